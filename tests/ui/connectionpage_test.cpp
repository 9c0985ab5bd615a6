#include "shellfixture.h"

#include "link/ui/connectionpage.h"
#include "shell/ui/menucommands.h"
#include "shell/ui/propsheet.h"
#include "shell/ui/statuspanel.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QApplication>
#include <QStyle>
#include <QToolTip>
#include <QTextDocumentFragment>

namespace telvio::test {
namespace {

class ConnectionPage : public ShellFixture {
protected:
    Cserial &Page() { return *Window().Sheet()->ConnectionPage(); }
};

TEST_F(ConnectionPage, ExtraPortsComeFirstAndSelected)
{
    Window({QStringLiteral("/dev/pts/7"), QStringLiteral("/dev/ttyUSB3")});
    ASSERT_GE(Page().PortList()->count(), 2);
    EXPECT_EQ(Page().PortList()->itemText(0), QStringLiteral("pts/7"));
    EXPECT_EQ(Page().PortList()->currentData().toString(), QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(Page().BaudList()->currentText(), QStringLiteral("9600"));
    EXPECT_EQ(Page().ParityList()->currentText(), QStringLiteral("None"));
    EXPECT_EQ(Page().DataBitsList()->currentText(), QStringLiteral("8"));
    EXPECT_EQ(Page().StopBitsList()->currentText(), QStringLiteral("1"));
}

TEST_F(ConnectionPage, OpenForTheTerminal)
{
    MainDialog &w = Window();
    Page().BaudList()->setCurrentText(QStringLiteral("115200"));
    Page().ParityList()->setCurrentText(QStringLiteral("Even"));
    Page().DataBitsList()->setCurrentText(QStringLiteral("7"));
    Page().OpenButton()->click();

    ModemSession &s = Session();
    EXPECT_TRUE(s.Connected());
    EXPECT_TRUE(s.TerminalOnly());
    EXPECT_EQ(s.StatusText(), QStringLiteral("Open"));
    EXPECT_EQ(s.PortName(), QStringLiteral("/dev/ttyTEST0"));
    EXPECT_EQ(s.Parity(), QLatin1Char('E'));
    EXPECT_EQ(s.PollUnit(), 20);
    EXPECT_FALSE(s.Busy());
    EXPECT_EQ(m_port.CommPort(), QStringLiteral("/dev/ttyTEST0"));
    EXPECT_EQ(m_port.Settings(), QStringLiteral("115200,E,7,1"));
    EXPECT_EQ(m_port.RThreshold(), 1);
    EXPECT_TRUE(m_port.Writes().isEmpty()); // nothing is sent on opening

    EXPECT_FALSE(Page().PortList()->isEnabled());
    EXPECT_FALSE(Page().OpenButton()->isEnabled());
    EXPECT_TRUE(Page().DisconnectButton()->isEnabled());
    EXPECT_FALSE(w.MenuAction(CmdOpenPort)->isEnabled());
    EXPECT_TRUE(w.MenuAction(CmdDisconnect)->isEnabled());
    EXPECT_FALSE(w.MenuAction(CmdWriteProfile)->isEnabled()); // terminal only

    // Open again while open.
    Page().ExecuteCommand(Cserial::CmdOpen);
    EXPECT_EQ(m_prompts.Texts(), QStringList{QStringLiteral("Already connected!")});
    EXPECT_EQ(m_prompts.Log().last().icon, Prompter::Icon::Error);
}

TEST_F(ConnectionPage, OpenFailureSaysTheComportIsNotAvailable)
{
    Window();
    m_port.SetRefuseOpen(true);
    Page().ExecuteCommand(Cserial::CmdOpen);
    EXPECT_FALSE(Session().Connected());
    // The message, and under it why the port did not open (the port doctor's).
    ASSERT_EQ(m_prompts.Texts().size(), 1);
    EXPECT_EQ(m_prompts.Texts().first().section(QLatin1Char('\n'), 0, 0), QStringLiteral("Comport not available"));
    EXPECT_TRUE(Page().OpenButton()->isEnabled());
}

TEST_F(ConnectionPage, OpenDoesNothingWhileBusy)
{
    Window();
    Session().SetBusy(true);
    Page().ExecuteCommand(Cserial::CmdOpen);
    EXPECT_FALSE(Session().Connected());
    EXPECT_TRUE(m_prompts.Log().isEmpty());
}

TEST_F(ConnectionPage, ChangingTheBaudRateWhileOpenMovesThePcPortAtOnce)
{
    Window();
    OpenTerminal();
    Page().BaudList()->setCurrentText(QStringLiteral("57600"));
    EXPECT_EQ(m_port.Settings(), QStringLiteral("57600,N,8,1"));
    EXPECT_EQ(Session().BaudText(), QStringLiteral("57600"));
    EXPECT_EQ(Window().Panel()->Field(QStringLiteral("Baud rate")), QStringLiteral("57600"));
    EXPECT_TRUE(m_port.Writes().isEmpty()); // the modem is not told
}

TEST_F(ConnectionPage, DisconnectClosesAndAsksOnlyAboutUnsavedPages)
{
    MainDialog &w = Window();
    Page().ExecuteCommand(Cserial::CmdDisconnect);
    EXPECT_EQ(m_prompts.Texts(), QStringList{QStringLiteral("Not connected!")});
    m_prompts.Clear();

    OpenTerminal();
    Session().Flags(PageId::Sms).modified = true;
    m_prompts.AnswerQuestion(false);
    Page().ExecuteCommand(Cserial::CmdDisconnect);
    EXPECT_TRUE(Session().Connected());
    EXPECT_TRUE(Session().Flags(PageId::Sms).modified);

    m_prompts.AnswerQuestion(true);
    Page().ExecuteCommand(Cserial::CmdDisconnect);
    EXPECT_FALSE(Session().Connected());
    EXPECT_FALSE(Session().Flags(PageId::Sms).modified);
    EXPECT_EQ(m_prompts.Texts(), (QStringList{QStringLiteral("All unsaved changes will be lost.\nDu you wish to contiune?"),
                                              QStringLiteral("All unsaved changes will be lost.\nDu you wish to contiune?")}));
    EXPECT_TRUE(Page().OpenButton()->isEnabled());
    EXPECT_FALSE(w.MenuAction(CmdDisconnect)->isEnabled());
    EXPECT_EQ(Session().BaudText(), QStringLiteral("-"));
}

TEST_F(ConnectionPage, NoPortsMeansNothingToOpen)
{
    MainDialog &w = Window();
    // Which ports the system reports differs from machine to machine; an
    // emptied list is what a machine without any shows.
    Page().Logic().form.portLabels.clear();
    Page().Logic().form.portPaths.clear();
    Page().Logic().form.port = -1;
    Page().OnSetActive();
    EXPECT_EQ(Page().PortList()->count(), 0);
    EXPECT_FALSE(Page().OpenButton()->isEnabled());
    EXPECT_FALSE(Page().AutoconnectButton()->isEnabled());
    EXPECT_FALSE(Page().ConnectButton()->isEnabled());
    EXPECT_FALSE(w.MenuAction(CmdOpenPort)->isEnabled());
    EXPECT_FALSE(w.MenuAction(CmdAutoconnect)->isEnabled());
    EXPECT_FALSE(w.MenuAction(CmdConnect)->isEnabled());
    Page().ExecuteCommand(Cserial::CmdOpen);
    EXPECT_FALSE(Session().Connected());
    EXPECT_TRUE(m_prompts.Log().isEmpty());
}

TEST_F(ConnectionPage, FixedPortListWhenNotSearching)
{
    WriteSettingsFile("[Settings]\nSearchPorts=0\nNumberOfPorts=3\n");
    Window({});
    QStringList ports;
    for (int i = 0; i < Page().PortList()->count(); ++i)
        ports << Page().PortList()->itemText(i);
    EXPECT_EQ(ports, (QStringList{"ttyS0", "ttyS1", "ttyS2", "ttyS3"}));
}

TEST_F(ConnectionPage, OpeningThePortListOffersPortsPluggedInSince)
{
    WriteSettingsFile("[Settings]\nSearchPorts=0\nNumberOfPorts=1\n");
    MainDialog &w = Window({QStringLiteral("/dev/pts/7")});
    ASSERT_EQ(Page().PortList()->count(), 3);
    Page().PortList()->setCurrentIndex(2); // ttyS1
    Session().options.numberOfPorts = 2;   // ttyS2 appeared
    Page().PortList()->showPopup();
    QStringList ports;
    for (int i = 0; i < Page().PortList()->count(); ++i)
        ports << Page().PortList()->itemText(i);
    EXPECT_EQ(ports, (QStringList{"pts/7", "ttyS0", "ttyS1", "ttyS2"}));
    EXPECT_EQ(Page().PortList()->currentText(), QStringLiteral("ttyS1"));
    Page().PortList()->hidePopup();
    // The choice made after the refresh is the one the procedures use.
    Page().PortList()->setCurrentIndex(3);
    Page().ExecuteCommand(Cserial::CmdOpen);
    EXPECT_EQ(m_port.CommPort(), QStringLiteral("/dev/ttyS2"));
    EXPECT_TRUE(w.MenuAction(CmdDisconnect)->isEnabled());
}

TEST_F(ConnectionPage, FirstPortPluggedInEnablesTheProcedures)
{
    MainDialog &w = Window();
    Page().Logic().form.portLabels.clear();
    Page().Logic().form.portPaths.clear();
    Page().Logic().form.port = -1;
    Page().OnSetActive();
    ASSERT_FALSE(Page().OpenButton()->isEnabled());
    Session().SetExtraPorts({QStringLiteral("/dev/ttyUSB0")});
    Page().PortList()->showPopup();
    Page().PortList()->hidePopup();
    EXPECT_EQ(Page().PortList()->itemText(0), QStringLiteral("ttyUSB0"));
    EXPECT_TRUE(Page().OpenButton()->isEnabled());
    EXPECT_TRUE(Page().ConnectButton()->isEnabled());
    EXPECT_TRUE(w.MenuAction(CmdOpenPort)->isEnabled());
}

TEST_F(ConnectionPage, TooltipsFollowTheOption)
{
    Window();
    auto plain = [](const QWidget *w) { return QTextDocumentFragment::fromHtml(w->toolTip()).toPlainText().trimmed(); };
    EXPECT_EQ(plain(Page().OpenButton()), QStringLiteral("Opens the COM port with current settings."));
    EXPECT_EQ(plain(Page().PortList()), QStringLiteral("Port number"));
    // The longest tip wraps within the page's 200 pixels instead of running
    // past the window's edge.
    QPushButton *autoconnect = Page().AutoconnectButton();
    EXPECT_TRUE(plain(autoconnect).startsWith(QStringLiteral("The Autoconnect feature searches")));
    QToolTip::showText(autoconnect->mapToGlobal(QPoint(2, 2)), autoconnect->toolTip(), autoconnect);
    QWidget *tip = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->inherits("QTipLabel") && w->isVisible())
            tip = w;
    }
    ASSERT_NE(tip, nullptr);
    EXPECT_LE(tip->width(), 200 + 2 * tip->style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth) + 10);
    QToolTip::hideText();
    Session().options.tooltip = 0;
    Window().Sheet()->ReactivateActivePage();
    EXPECT_TRUE(Page().OpenButton()->toolTip().isEmpty());
}

} // namespace
} // namespace telvio::test
