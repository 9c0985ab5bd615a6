// Every page of the sheet, and the dialogs the pages open, at the size the
// main window gives them: no caption, button text or field is cut. The
// sheet keeps a fixed width, so a layout that asks for more than that is
// squeezed and clips its texts; these checks find such a clip on any page.
#include "shellfixture.h"

#include "link/core/pagetable.h"
#include "link/ui/connectionpage.h"
#include "pages/core/iorecord.h"
#include "pages/ui/ioentrydialog.h"
#include "pages/ui/iopage.h"
#include "pages/ui/pingdialog.h"
#include "shell/ui/propsheet.h"
#include "support/linerate.h"
#include "support/memoryport.h"
#include "support/simport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>

namespace telvio::test {
namespace {

// The text a label or button paints: "&&" is one "&", a single "&" marks
// the mnemonic and is not painted.
QString Painted(const QString &text)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

QString Describe(const QWidget *w, const QString &text)
{
    return QStringLiteral("%1 \"%2\" %3x%4").arg(w->metaObject()->className(), text).arg(w->width()).arg(w->height());
}

// What is cut among the visible widgets inside `root`, one line each. A
// widget must also lie wholly inside `root`: the sheet clips what a page
// pushes past its edge.
QStringList CutWidgets(QWidget *root)
{
    QStringList cut;
    const QRect area = root->rect();
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(root) || w->isWindow())
            continue;
        const QFontMetrics fm(w->font());
        const QRect at(w->mapTo(root, QPoint(0, 0)), w->size());
        if (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w) || qobject_cast<QComboBox *>(w)
            || qobject_cast<QLineEdit *>(w) || qobject_cast<QGroupBox *>(w)) {
            if (!area.contains(at))
                cut << Describe(w, QStringLiteral("outside the page"));
        }
        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
                continue;
            const QString text = Painted(label->text());
            // A wrapping label breaks between words: each word fits, and
            // the height holds all the lines.
            const QStringList parts = label->wordWrap() ? text.split(QRegularExpression(QStringLiteral("\\s+")))
                                                        : text.split(QLatin1Char('\n'));
            int widest = 0;
            for (const QString &part : parts)
                widest = qMax(widest, fm.horizontalAdvance(part));
            const int high = label->wordWrap() ? label->heightForWidth(label->width()) : fm.height();
            if (label->contentsRect().width() < widest || label->height() < high)
                cut << Describe(label, text);
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            if (button->text().isEmpty())
                continue;
            const QString text = Painted(button->text());
            int need = fm.horizontalAdvance(text);
            if (!button->icon().isNull())
                need += button->iconSize().width() + 4;
            if (button->width() < need || button->height() < fm.height() + 4)
                cut << Describe(button, text);
        } else if (auto *box = qobject_cast<QGroupBox *>(w)) {
            if (box->width() < fm.horizontalAdvance(Painted(box->title())))
                cut << Describe(box, Painted(box->title()));
        } else if (auto *list = qobject_cast<QComboBox *>(w)) {
            // A narrow list may show its item shortened while closed; its
            // height still has to hold the text.
            if (list->height() < list->minimumSizeHint().height())
                cut << Describe(list, list->currentText());
            // The open list shows every item whole.
            int widest = 0;
            for (int i = 0; i < list->count(); ++i)
                widest = qMax(widest, fm.horizontalAdvance(list->itemText(i)));
            if (list->isEnabled() && list->width() < widest + 2 * fm.height()) {
                list->showPopup();
                if (list->view()->viewport()->width() < widest)
                    cut << Describe(list, QStringLiteral("popup ") + list->currentText());
                list->hidePopup();
            }
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            // A short field (a number) shows all of its characters.
            const int chars = edit->maxLength() <= 8 ? edit->maxLength() : 0;
            const int need = fm.horizontalAdvance(QString(chars, QLatin1Char('0'))) + 8;
            if (edit->height() < edit->minimumSizeHint().height() || edit->width() < need)
                cut << Describe(edit, edit->text());
        }
    }
    return cut;
}

struct ModemCase {
    const char *name;
    sim::Model model;
};

void PrintTo(const ModemCase &c, std::ostream *os)
{
    *os << c.name;
}

// The models whose page sets differ: the GPRS page's three command sets,
// and the Pike-3's I/O and Callback pages.
const ModemCase kModems[] = {
    {"pike3 tcp firmware", sim::Model::Pike3},
    {"orca1 us ip stack", sim::Model::Orca1Us},
    {"orca1 plain gprs", sim::Model::Orca1},
};

sim::SimConfig ConfigOf(const ModemCase &c)
{
    sim::SimConfig config;
    config.model = c.model;
    config.line.baud = 115200;
    return config;
}

class PageCaptions : public ShellFixture, public ::testing::WithParamInterface<ModemCase> {
protected:
    SimPort m_sim{&m_port, nullptr, ConfigOf(GetParam())};
};

TEST_P(PageCaptions, EveryPageShowsItsTextsWholeInTheSheet)
{
    MainDialog &window = ShownWindow();
    Cserial &connection = *window.Sheet()->ConnectionPage();
    connection.BaudList()->setCurrentText(QStringLiteral("115200"));
    connection.ExecuteCommand(Cserial::CmdConnect);
    ASSERT_TRUE(Session().Connected()) << qPrintable(m_prompts.Texts().join('\n'));
    CPropSheet &sheet = *window.Sheet();
    int shown = 0;
    for (const PageRow &row : kPageTable) {
        if (!sheet.HasPage(row.id))
            continue;
        sheet.SetActivePage(row.id);
        QWidget *page = sheet.currentWidget();
        ASSERT_EQ(page, sheet.Page(row.id));
        QTest::qWait(0);
        const QStringList cut = CutWidgets(page);
        EXPECT_TRUE(cut.isEmpty()) << qPrintable(sheet.tabText(sheet.currentIndex())) << " page, cut:\n"
                                   << qPrintable(cut.join('\n'));
        ++shown;
    }
    EXPECT_GE(shown, 6);
}

INSTANTIATE_TEST_SUITE_P(Pages, PageCaptions, ::testing::ValuesIn(kModems),
                         [](const ::testing::TestParamInfo<ModemCase> &info) { return WordName(info.param.name); });

class IoListCaptions : public ShellFixture {
protected:
    SimPort m_sim{&m_port, nullptr};
};

// Each column caption of the I/O list sits just above its column, not
// wherever spare height pushed it.
TEST_F(IoListCaptions, ColumnCaptionsSitAboveTheirColumns)
{
    MainDialog &window = ShownWindow();
    window.Sheet()->ConnectionPage()->ExecuteCommand(Cserial::CmdConnect);
    ASSERT_TRUE(Session().Connected()) << qPrintable(m_prompts.Texts().join('\n'));
    window.Sheet()->SetActivePage(PageId::Io);
    auto *page = static_cast<Cio *>(window.Sheet()->Page(PageId::Io));
    QTest::qWait(0);
    const IoRowWidgets &first = page->Row(0);
    const std::pair<const char *, QWidget *> columns[] = {
        {"Service", first.service}, {"Retry <flag>", first.retry}, {"Time", first.time}, {"Priority", first.priority}};
    for (const auto &[caption, field] : columns) {
        const QLabel *label = nullptr;
        for (const QLabel *l : page->findChildren<QLabel *>()) {
            if (l->text() == QLatin1String(caption))
                label = l;
        }
        ASSERT_NE(label, nullptr) << caption;
        const QRect at(label->mapTo(page, QPoint(0, 0)), label->size());
        const QRect below(field->mapTo(page, QPoint(0, 0)), field->size());
        const int textBottom = at.top() + (at.height() + label->fontMetrics().height()) / 2;
        EXPECT_LE(below.top() - textBottom, 8) << caption;
        EXPECT_GE(below.top(), at.bottom()) << caption;
        EXPECT_EQ(at.left(), below.left()) << caption;
    }
}

// The entry dialog's data captions change with the service: each service's
// set of captions fits.
TEST(DialogCaptions, IoEntryDialogShowsEveryServicesCaptionsWhole)
{
    IoRecord record;
    for (int service = 0; service < 8; ++service) {
        record.SetInt(iofield::ServiceAt(0), service);
        IoEntryDialog dialog(record, 0, false);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        const QStringList cut = CutWidgets(&dialog);
        EXPECT_TRUE(cut.isEmpty()) << "service " << qPrintable(dialog.Service()->currentText()) << ", cut:\n"
                                   << qPrintable(cut.join('\n'));
    }
}

TEST(DialogCaptions, PingDialogShowsItsTextsWhole)
{
    MemoryPort port;
    ModemSession session(&port, nullptr);
    PingDialog logic(session);
    logic.form.address.octets = {255, 255, 255, 255};
    logic.form.addressShown = true;
    logic.form.count.text = QStringLiteral("99999");
    logic.form.delay.text = QStringLiteral("99999");
    PingDialogWindow window(logic);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QStringList cut = CutWidgets(&window);
    EXPECT_TRUE(cut.isEmpty()) << qPrintable(cut.join('\n'));
}

} // namespace
} // namespace telvio::test
