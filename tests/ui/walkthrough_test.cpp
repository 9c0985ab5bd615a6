// What a user sees of the program's notices: the line breaks of its
// questions and where its "Wait" window stands.
#include "shellfixture.h"

#include "link/ui/messagewindow.h"
#include "shell/ui/propsheet.h"
#include "shell/ui/widgetprompter.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace telvio::test {
namespace {

using Notices = ShellFixture;

TEST_F(Notices, EachLineBreakOfAQuestionIsOneLineBreak)
{
    WidgetPrompter widgets(&ShownWindow());
    Prompter &prompter = widgets;
    const QString asked = QStringLiteral("Warning: all unsaved changes will be lost.\n\rThe modem will reset and the "
                                         "connection will be closed.\n\rDo you wish to continue?");
    QString shown;
    WithModal([&] { prompter.Question(asked); },
              [&](QWidget *modal) {
                  auto *box = qobject_cast<QMessageBox *>(modal);
                  ASSERT_NE(box, nullptr);
                  shown = box->text();
                  box->button(QMessageBox::No)->click();
              });
    EXPECT_EQ(shown.split(QLatin1Char('\n')).size(), 3) << qPrintable(shown);
    EXPECT_FALSE(shown.contains(QLatin1Char('\r')));

    WithModal([&] { prompter.Message(QStringLiteral("one\n\rtwo")); },
              [&](QWidget *modal) {
                  auto *box = qobject_cast<QMessageBox *>(modal);
                  ASSERT_NE(box, nullptr);
                  shown = box->text();
                  box->accept();
              });
    EXPECT_EQ(shown, QStringLiteral("one\ntwo"));
}

TEST_F(Notices, WaitWindowStandsOverThePageThatAsked)
{
    MainDialog &w = ShownWindow();
    QWidget *page = w.Sheet()->currentWidget();
    const QPoint pageCentre = page->mapToGlobal(page->rect().center());
    const QPoint windowCentre = w.mapToGlobal(w.rect().center());
    ASSERT_GT((pageCentre - windowCentre).manhattanLength(), 20) << "the page fills the window: nothing to tell";

    w.ShowMessageWindow(QStringLiteral("Transfering data"));
    MessageWindow *shown = w.ShownMessageWindow();
    ASSERT_NE(shown, nullptr);
    const QPoint centre = shown->mapToGlobal(shown->rect().center());
    EXPECT_LE((centre - pageCentre).manhattanLength(), 4);
    w.CloseMessageWindow();
}

} // namespace
} // namespace telvio::test
