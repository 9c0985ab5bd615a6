#include "shellfixture.h"

#include "link/ui/connectionpage.h"
#include "monitor/ui/signalpage.h"
#include "shell/core/helptopics.h"
#include "shell/ui/helpwindow.h"
#include "shell/ui/menucommands.h"
#include "shell/ui/propertypage.h"
#include "shell/ui/propsheet.h"
#include "shell/ui/statuspanel.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

namespace telvio::test {
namespace {

using Help = ShellFixture;

TEST_F(Help, EveryTopicIsShippedAndItsLinksResolve)
{
    QStringList topics{HelpTopics::Contents(), HelpTopics::Terminal(), HelpTopics::Options(),
                       HelpTopics::ForControl(HelpTopics::kSignalTopicId),
                       HelpTopics::ForControl(HelpTopics::kDiagnosticTopicId)};
    for (PageId id : {PageId::Connection, PageId::Basic, PageId::Serial, PageId::Sms, PageId::Gprs, PageId::Signal,
                      PageId::Diagnostic, PageId::Io, PageId::Callback})
        topics << HelpTopics::ForPage(id);
    const QRegularExpression link(QStringLiteral("href=\"([a-z]+\\.html)\""));
    for (const QString &topic : topics) {
        QFile file(QStringLiteral(":/help/") + topic);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(topic);
        const QString html = QString::fromUtf8(file.readAll());
        for (auto m = link.globalMatch(html); m.hasNext();) {
            const QString target = m.next().captured(1);
            EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/") + target)) << qPrintable(topic + " -> " + target);
        }
    }
}

TEST_F(Help, HelpMenuOpensTheContents)
{
    MainDialog &w = ShownWindow();
    w.MenuAction(CmdHelp)->trigger();
    ASSERT_NE(w.Help(), nullptr);
    EXPECT_TRUE(w.Help()->isVisible());
    EXPECT_EQ(w.Help()->CurrentTopic(), QStringLiteral("index.html"));
    EXPECT_TRUE(w.Help()->Browser()->toPlainText().contains(QStringLiteral("Telvio Help")));
}

TEST_F(Help, F1OpensTheTopicOfTheControlOrElseOfItsPage)
{
    MainDialog &w = ShownWindow();
    Session().SetOffline(true); // keeps the page guard away from the Signal page
    Session().AddPage(PageId::Signal, false);
    w.Sheet()->SetActivePage(PageId::Signal);
    auto *field = new QLineEdit(w.Sheet()->SignalPage());
    field->show();

    struct {
        QWidget *focus;
        int helpId;
        const char *topic;
    } cases[] = {
        {field, 0, "signal.html"},                 // inside the Signal page: its topic, 5001
        {field, HelpTopics::kDiagnosticTopicId, "diagnostic.html"}, // a control with a topic of its own
        {w.Panel()->CommandInput(), 0, "terminal.html"},
    };
    for (const auto &c : cases) {
        SetHelpId(c.focus, c.helpId);
        c.focus->setEnabled(true);
        c.focus->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return c.focus->hasFocus(); }, 1000));
        QTest::keyClick(c.focus, Qt::Key_F1);
        ASSERT_NE(w.Help(), nullptr);
        EXPECT_EQ(w.Help()->CurrentTopic(), QLatin1String(c.topic));
        w.activateWindow();
    }

    w.Sheet()->SetActivePage(PageId::Connection);
    QComboBox *ports = w.Sheet()->ConnectionPage()->PortList();
    ports->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ports->hasFocus(); }, 1000));
    QTest::keyClick(ports, Qt::Key_F1);
    EXPECT_EQ(w.Help()->CurrentTopic(), QStringLiteral("connection.html"));
}

} // namespace
} // namespace telvio::test
