// The help against the pages it describes: every control a technician can
// press F1 on has its own section, the sections of a page's topic are about
// that page's controls only, and nothing in the help points nowhere.
#include "shellfixture.h"

#include "link/ui/connectionpage.h"
#include "pages/ui/basicpage.h"
#include "pages/ui/gprspage.h"
#include "pages/ui/ioentrydialog.h"
#include "pages/ui/v24v25page.h"
#include "shell/core/helptopics.h"
#include "shell/ui/helpwindow.h"
#include "shell/ui/propertypage.h"
#include "shell/ui/propsheet.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace telvio::test {
namespace {

const struct {
    PageId id;
    const char *name;
} kPages[] = {
    {PageId::Connection, "Connection"}, {PageId::Basic, "Basic"}, {PageId::Serial, "Serial"},
    {PageId::Sms, "SMS"},               {PageId::Gprs, "GPRS"},   {PageId::Signal, "Signal"},
    {PageId::Diagnostic, "Diagnostic"}, {PageId::Io, "I/O"},      {PageId::Callback, "Callback"},
};

QString HelpFile(const QString &topic)
{
    QFile file(QStringLiteral(":/help/") + topic);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The ids of `root` and everything in it that carries one, but the page's
// own topic number (a page is not a control).
QSet<int> ControlIds(QWidget *root)
{
    QSet<int> ids;
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets << root;
    for (QWidget *w : widgets) {
        const int id = HelpId(w);
        if (id != 0 && id != HelpTopics::kSignalTopicId && id != HelpTopics::kDiagnosticTopicId)
            ids.insert(id);
    }
    return ids;
}

class HelpContent : public ShellFixture {
protected:
    // Every page in the sheet; offline, as a profile being edited, so that
    // no modem is needed to make them.
    MainDialog &AllPages()
    {
        MainDialog &w = ShownWindow();
        Session().SetOffline(true);
        for (const auto &p : kPages) {
            if (p.id != PageId::Connection)
                Session().AddPage(p.id, false);
        }
        return w;
    }
    QSet<int> IdsOf(PageId id)
    {
        QSet<int> ids = ControlIds(Window().Sheet()->Page(id));
        if (id == PageId::Io) {
            // The entry dialog is the I/O page's; its help is the page's.
            IoEntryDialog entry(Session().ioRecord, 0, false, Window().Sheet()->Page(id));
            ids += ControlIds(&entry);
        }
        return ids;
    }
};

TEST_F(HelpContent, EveryControlWithAnIdHasItsOwnSection)
{
    AllPages();
    for (const auto &p : kPages) {
        SCOPED_TRACE(p.name);
        const QString topic = HelpTopics::ForPage(p.id);
        const QSet<int> ids = IdsOf(p.id);
        EXPECT_GE(ids.size(), 4) << "a page without ids gets no sections";
        for (int id : ids)
            EXPECT_TRUE(HelpTopics::HasAnchor(topic, HelpTopics::Anchor(id))) << qPrintable(topic) << " lacks " << id;
    }
}

TEST_F(HelpContent, APageTopicDescribesOnlyControlsOfItsPage)
{
    AllPages();
    const QRegularExpression anchor(QStringLiteral("<a name=\"c(\\d+)\""));
    const QRegularExpression section(QStringLiteral("<h4>(.*?)</h4>"));
    for (const auto &p : kPages) {
        SCOPED_TRACE(p.name);
        const QString topic = HelpTopics::ForPage(p.id);
        const QString html = HelpFile(topic);
        ASSERT_FALSE(html.isEmpty()) << qPrintable(topic);
        const QSet<int> ids = IdsOf(p.id);
        for (auto m = anchor.globalMatch(html); m.hasNext();) {
            const int id = m.next().captured(1).toInt();
            EXPECT_TRUE(ids.contains(id)) << qPrintable(topic) << " has a section for " << id
                                          << ", which is no control of the page";
        }
        // Each control section (a level-4 heading) opens with the anchor of
        // a control of this page: a section without one would describe a
        // setting the page does not show.
        int sections = 0;
        for (auto m = section.globalMatch(html); m.hasNext(); ++sections) {
            const QString heading = m.next().captured(1);
            EXPECT_TRUE(anchor.match(heading).hasMatch()) << qPrintable(topic + ": " + heading);
        }
        EXPECT_GE(sections, 4) << qPrintable(topic);
    }
}

TEST_F(HelpContent, EveryLinkLeadsToAShippedTopicAndSection)
{
    const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
    const QStringList files = QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")});
    ASSERT_GE(files.size(), 10);
    int links = 0;
    for (const QString &file : files) {
        const QString html = HelpFile(file);
        for (auto m = link.globalMatch(html); m.hasNext();) {
            const QString target = m.next().captured(1);
            if (target.startsWith(QStringLiteral("http")))
                continue;
            ++links;
            const int hash = target.indexOf(QLatin1Char('#'));
            const QString topic = hash < 0 ? target : (hash == 0 ? file : target.left(hash));
            EXPECT_TRUE(files.contains(topic)) << qPrintable(file + " -> " + target);
            if (hash >= 0)
                EXPECT_TRUE(HelpTopics::HasAnchor(topic, target.mid(hash + 1))) << qPrintable(file + " -> " + target);
        }
    }
    EXPECT_GT(links, 20);
}

TEST_F(HelpContent, F1OpensTheSectionOfTheControlWithTheFocus)
{
    MainDialog &w = AllPages();
    auto *basic = static_cast<Cconfig *>(w.Sheet()->Page(PageId::Basic));
    auto *gprs = static_cast<Cgprs *>(w.Sheet()->Page(PageId::Gprs));
    const struct {
        const char *name;
        PageId page;
        QWidget *control;
        const char *topic;
        const char *anchor;
    } cases[] = {
        {"rings edit", PageId::Basic, basic->Widgets().rings, "basic.html", "c1734"},
        {"bearer speed list", PageId::Basic, basic->Widgets().bearerSpeed, "basic.html", "c1741"},
        {"attach state list", PageId::Gprs, gprs->Widgets().attachState, "gprs.html", "c1771"},
        {"message format list", PageId::Sms, w.Sheet()->Page(PageId::Sms)->findChildren<QComboBox *>().value(0),
         "sms.html", "c1494"},
        {"baud list", PageId::Connection, w.Sheet()->ConnectionPage()->BaudList(), "connection.html", "c1702"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        w.Sheet()->SetActivePage(c.page);
        ASSERT_NE(c.control, nullptr);
        // Offline without a profile the pages grey what a read would fill.
        for (QWidget *w = c.control; w && w != w->window(); w = w->parentWidget())
            w->setEnabled(true);
        c.control->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return c.control->hasFocus(); }, 1000));
        QTest::keyClick(c.control, Qt::Key_F1);
        ASSERT_NE(w.Help(), nullptr);
        EXPECT_EQ(w.Help()->CurrentTopic(), QLatin1String(c.topic));
        EXPECT_EQ(w.Help()->CurrentAnchor(), QLatin1String(c.anchor));
        // The help window stays in front: the next F1 still belongs to the
        // control it was pressed on.
    }
}

} // namespace
} // namespace telvio::test
