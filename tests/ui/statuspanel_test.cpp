#include "shellfixture.h"

#include "shell/ui/historyspin.h"
#include "shell/ui/propsheet.h"
#include "shell/ui/statuspanel.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QScrollBar>
#include <QToolButton>

namespace telvio::test {
namespace {

class Terminal : public ShellFixture {
protected:
    StatusPanel &Panel() { return *Window().Panel(); }
    QLineEdit &Input() { return *Panel().CommandInput(); }
    void Type(const QString &line)
    {
        Input().setFocus();
        QTest::keyClicks(&Input(), line);
        QTest::keyClick(&Input(), Qt::Key_Return);
    }
    // The output window's text, with its line ends as the text's CR LF.
    QByteArray Shown()
    {
        Panel().ShowPendingText();
        return Panel().TerminalOutput()->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n")).toLatin1();
    }
};

TEST_F(Terminal, FieldsFollowTheLink)
{
    ShownWindow();
    EXPECT_EQ(Panel().Field(QStringLiteral("Status")), QStringLiteral("-"));
    EXPECT_FALSE(Input().isEnabled());
    EXPECT_FALSE(Panel().Spin()->isEnabled());

    OpenTerminal();
    const struct {
        const char *caption;
        const char *value;
    } fields[] = {{"Status", "Open"}, {"Port", "ttyTEST0"}, {"Baud rate", "9600"}, {"Parity", "None"},
                  {"Data bits", "8"},  {"Stop bits", "1"},   {"Modem", "-"},       {"SIM card", "-"}};
    for (const auto &f : fields)
        EXPECT_EQ(Panel().Field(QLatin1String(f.caption)), QLatin1String(f.value)) << f.caption;
    EXPECT_TRUE(Input().isEnabled());
    EXPECT_TRUE(Panel().Spin()->isEnabled());
    EXPECT_TRUE(Panel().OutputTypable());

    // Offline after the link: only status and model change.
    Session().SetConnected(false);
    Session().SetOffline(true);
    Session().SetModelName(QStringLiteral("Pike-3"));
    Panel().Refresh();
    EXPECT_EQ(Panel().Field(QStringLiteral("Status")), QStringLiteral("Offline"));
    EXPECT_EQ(Panel().Field(QStringLiteral("Modem")), QStringLiteral("Pike-3"));
    EXPECT_EQ(Panel().Field(QStringLiteral("Baud rate")), QStringLiteral("9600"));
    EXPECT_TRUE(Input().isEnabled());
}

TEST_F(Terminal, EnterSendsTheLineWithOneCarriageReturn)
{
    ShownWindow();
    OpenTerminal();
    Type(QStringLiteral("AT+CSQ"));
    EXPECT_EQ(m_port.Writes(), QList<QByteArray>{"AT+CSQ\r"});
    EXPECT_TRUE(Input().text().isEmpty());
    EXPECT_TRUE(Input().hasFocus());
    EXPECT_FALSE(Session().Busy());
    // The answer is not read here: it arrives as received data.
    EXPECT_TRUE(Panel().TerminalContents().isEmpty());
    m_port.Feed("AT+CSQ\r\r\n+CSQ: 17,0\r\n\r\nOK\r\n");
    EXPECT_EQ(Shown(), QByteArray("AT+CSQ\r\n\r\n+CSQ: 17,0\r\n\r\nOK\r\n"));

    // "+++" goes out bare.
    Type(QStringLiteral("+++"));
    EXPECT_EQ(m_port.Writes().last(), QByteArray("+++"));
}

TEST_F(Terminal, EnterIsRefusedWhileTheLinkIsTaken)
{
    ShownWindow();
    OpenTerminal();
    for (int which = 0; which < 2; ++which) {
        Panel().ClearTerminal();
        Session().SetBusy(which == 0);
        Session().SetUpdateRunning(which == 1);
        Type(QStringLiteral("ATI"));
        EXPECT_TRUE(m_port.Writes().isEmpty());
        EXPECT_EQ(Panel().TerminalContents(), StatusPanel::kSendRefusal);
        EXPECT_EQ(Shown(), QByteArray("The Update interval have to be\r\ndisabled or the Serial page have\r\n"
                                      "to be the active page to Send\r\nfrom terminal window.\r\n"));
        EXPECT_TRUE(Input().text().isEmpty());
        EXPECT_EQ(Panel().History().Count(), 0);
    }
}

TEST_F(Terminal, WithoutALinkTheLineIsOnlyRemembered)
{
    Window();
    Input().setText(QStringLiteral("ATZ"));
    Panel().SendLine();
    EXPECT_TRUE(m_port.Writes().isEmpty());
    EXPECT_EQ(Panel().History().Count(), 1);
    EXPECT_EQ(Panel().History().Slot(0), QStringLiteral("ATZ"));
}

TEST_F(Terminal, ArrowKeysWalkTheHistoryAfterSixtyLines)
{
    ShownWindow();
    OpenTerminal();
    for (int i = 1; i <= 60; ++i)
        Type(QStringLiteral("AT+L%1").arg(i));
    ASSERT_EQ(m_port.Writes().size(), 60);
    EXPECT_EQ(Panel().Spin()->Position(), 49);

    QTest::keyClick(&Input(), Qt::Key_Up);
    EXPECT_EQ(Input().text(), QStringLiteral("AT+L60"));
    EXPECT_EQ(Input().cursorPosition(), Input().text().size());
    EXPECT_EQ(Panel().Spin()->Position(), 48);
    for (int i = 0; i < 48; ++i)
        QTest::keyClick(&Input(), Qt::Key_Up);
    EXPECT_EQ(Input().text(), QStringLiteral("AT+L12"));
    QTest::keyClick(&Input(), Qt::Key_Up);
    EXPECT_EQ(Input().text(), QStringLiteral("AT+L12"));
    EXPECT_EQ(Panel().Spin()->Position(), 0);

    for (int i = 0; i < 55; ++i)
        QTest::keyClick(&Input(), Qt::Key_Down);
    EXPECT_EQ(Input().text(), QStringLiteral("AT+L60")); // slot 49, the copy
    EXPECT_EQ(Panel().History().Pos(), 49);
    // The keys never reached the modem.
    EXPECT_EQ(m_port.Writes().size(), 60);
}

TEST_F(Terminal, UpInAnEmptyHistoryShowsTheEmptyFirstSlot)
{
    ShownWindow();
    OpenTerminal();
    Input().setText(QStringLiteral("half typed"));
    Input().setFocus();
    QTest::keyClick(&Input(), Qt::Key_Up);
    EXPECT_EQ(Input().text(), QString());
    EXPECT_EQ(Panel().History().Pos(), 0);
}

TEST_F(Terminal, SpinShowsTheSlotItStoodOnAndRefusesPositionsPastTheHistory)
{
    ShownWindow();
    OpenTerminal();
    Type(QStringLiteral("ATI"));
    Type(QStringLiteral("ATE1"));
    HistorySpin *spin = Panel().Spin();
    ASSERT_EQ(spin->Position(), 2);

    spin->UpButton()->click(); // from 2: shows slot 2 (empty), then moves to 1
    EXPECT_EQ(Input().text(), QString());
    EXPECT_EQ(spin->Position(), 1);
    spin->UpButton()->click(); // from 1: slot 1
    EXPECT_EQ(Input().text(), QStringLiteral("ATE1"));
    EXPECT_EQ(spin->Position(), 0);

    spin->DownButton()->click(); // from 0
    spin->DownButton()->click(); // from 1
    spin->DownButton()->click(); // from 2: slot 2, spin to 3
    EXPECT_EQ(spin->Position(), 3);
    spin->DownButton()->click(); // from 3: past the two lines, put back
    EXPECT_EQ(spin->Position(), Panel().History().Pos());
    EXPECT_EQ(Panel().History().Pos(), 2);
}

TEST_F(Terminal, TypingInTheOutputSendsEachKeyAndShowsOnlyTheEcho)
{
    ShownWindow();
    OpenTerminal();
    QPlainTextEdit *out = Panel().TerminalOutput();
    out->setFocus();
    QTest::keyClicks(out, QStringLiteral("AT"));
    QTest::keyClick(out, Qt::Key_Return);
    EXPECT_EQ(m_port.Writes(), (QList<QByteArray>{"A", "T", "\r"}));
    EXPECT_EQ(Shown(), QByteArray());
    m_port.Feed("AT\r\r\nOK\r\n");
    EXPECT_EQ(Shown(), QByteArray("AT\r\n\r\nOK\r\n"));
    // Ctrl-Z ends an SMS text; it must reach the modem.
    QTest::keyClick(out, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_port.Writes().last(), QByteArray("\x1a"));
}

TEST_F(Terminal, WithTheTerminalOptionOffTheOutputTakesNoTyping)
{
    ShownWindow();
    Session().options.terminal = 0;
    OpenTerminal();
    EXPECT_FALSE(Panel().OutputTypable());
    QPlainTextEdit *out = Panel().TerminalOutput();
    out->setFocus();
    QTest::keyClicks(out, QStringLiteral("ATD123;"));
    QTest::keyClick(out, Qt::Key_Return);
    EXPECT_TRUE(m_port.Writes().isEmpty());
    EXPECT_TRUE(out->toPlainText().isEmpty());
}

TEST_F(Terminal, EscapeNeverClosesAnything)
{
    MainDialog &w = ShownWindow();
    OpenTerminal();
    Input().setText(QStringLiteral("AT"));
    QTest::keyClick(&Input(), Qt::Key_Escape);
    QTest::keyClick(Panel().TerminalOutput(), Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Input().text(), QStringLiteral("AT"));
    EXPECT_TRUE(m_port.Writes().isEmpty());
}

TEST_F(Terminal, WindowFollowsTheTextThroughALongStream)
{
    ShownWindow();
    OpenTerminal();
    QByteArray line;
    for (int i = 0; i < 1500; ++i) {
        // Split reads, backspaces and bare LFs on the way.
        line = QByteArrayLiteral("+CREG: 1,\"00C3\",\"") + QByteArray::number(i) + "\"\r";
        m_port.Feed(line.left(7));
        m_port.Feed(line.mid(7) + (i % 7 == 0 ? "\nX\b" : "\n"));
        if (i % 97 == 0)
            Panel().ShowPendingText();
    }
    const QByteArray text = Panel().TerminalContents();
    EXPECT_GE(text.size(), 10000);
    EXPECT_TRUE(text.endsWith("\"1499\"\r\n"));
    EXPECT_EQ(Shown(), text);
    // The newest line is in view.
    QScrollBar *bar = Panel().TerminalOutput()->verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(Terminal, BackspaceAloneTakesACharacterOffTheWindow)
{
    ShownWindow();
    OpenTerminal();
    m_port.Feed("AB");
    EXPECT_EQ(Shown(), QByteArray("AB"));
    m_port.Feed("\b");
    EXPECT_EQ(Shown(), QByteArray("A"));
    m_port.Feed("\r\n\b");
    EXPECT_EQ(Shown(), QByteArray("A\r\n"));
    // A lone backspace after a line end takes the LF, which the CR gets
    // back: read by read, backspaces never climb over a line end.
    m_port.Feed("\b");
    EXPECT_EQ(Shown(), QByteArray("A\r\n"));
    EXPECT_EQ(Panel().TerminalContents(), QByteArray("A\r\n"));
}

TEST_F(Terminal, ShownWithoutAskingOnceTheEventLoopRuns)
{
    ShownWindow();
    OpenTerminal();
    m_port.Feed("RING\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return Panel().TerminalOutput()->toPlainText() == QStringLiteral("RING\n"); },
                                1000));
}

} // namespace
} // namespace telvio::test
