#include "link/core/connectionlogic.h"
#include "link/sessionfixture.h"
#include "support/scriptedprompter.h"

using namespace telvio;
using namespace telvio::test;

namespace {

class PagesHost : public RecordingHost {
public:
    int PageCount() const override { return 1 + int(pages.size()); }
    void AddPage(PageId page) override { pages.append(page); }
    void RemovePage(PageId page) override { pages.removeAll(page); }
    void SetStatusBarConnected(bool c) override { statusBarConnected = c; }
    void ShowMessageWindow(const QString &text) override { windows << text; ++open; }
    void CloseMessageWindow() override { --open; }
    QList<PageId> pages;
    QStringList windows;
    int open = 0;
    bool statusBarConnected = false;
};

// Runs the search at once; aborts after `abortAfter` attempts when set.
class ScriptedWait : public WaitDialogRunner, public SearchProgress {
public:
    int Run(const std::function<int(SearchProgress &)> &search) override
    {
        ++runs;
        return search(*this);
    }
    void Step(int attempt, const QString &text) override
    {
        attempts = attempt;
        texts << text;
    }
    bool Aborted() const override { return abortAfter > 0 && attempts >= abortAfter; }
    int runs = 0;
    int attempts = 0;
    int abortAfter = 0;
    QStringList texts;
};

class ConnectionLogicTest : public ::testing::Test {
protected:
    ConnectionLogicTest()
    {
        pump.Attach(&session);
        session.SetPrompter(&prompts);
        session.options.searchPorts = 0;
        session.options.numberOfPorts = 1;
        logic.FillPorts();
    }

    void AnsweringPike3()
    {
        modem.Answer("AT", "\r\nOK\r\n");
        modem.Answer("AT+CGSN", "\r\n357831001234567\r\n\r\nOK\r\n");
        modem.Answer("ATI9", "\r\n\"DWL\",\"6200\"\r\n\r\nOK\r\n");
        modem.Answer("AT+WOPEN=2", "\r\n+WOPEN: 2,\"AT v3.10\"\r\n\r\nOK\r\n");
        modem.Answer("AT+CPIN?", "\r\n+CPIN: READY\r\n\r\nOK\r\n");
        modem.Answer("AT+ICF?", "\r\n+ICF: 5,1\r\n\r\nOK\r\n");
    }

    MemoryPort port;
    ScriptedPump pump;
    PagesHost host;
    ScriptedPrompter prompts;
    ScriptedWait wait;
    ModemSession session{&port, &host, &pump};
    FakeModem modem{&port, &pump};
    ConnectionLogic logic{session, prompts, wait};
};

TEST_F(ConnectionLogicTest, NoPortsGreysTheProcedures)
{
    logic.form.portPaths.clear();
    logic.form.portLabels.clear();
    logic.Activate();
    EXPECT_FALSE(logic.form.autoconnectEnabled);
    EXPECT_FALSE(logic.form.connectEnabled);
    EXPECT_FALSE(logic.form.openEnabled);
    EXPECT_FALSE(logic.form.disconnectEnabled);
    EXPECT_FALSE(logic.form.menu.autoconnect);
    EXPECT_FALSE(logic.form.menu.connect);
    EXPECT_FALSE(logic.form.menu.openPort);
    EXPECT_FALSE(logic.form.menu.remote);
}

TEST_F(ConnectionLogicTest, ConnectReadsThePagesAndReturnsHere)
{
    AnsweringPike3();
    logic.Connect();
    EXPECT_TRUE(session.Connected());
    EXPECT_FALSE(session.Busy());
    EXPECT_EQ(host.windows, QStringList{"Connecting..."});
    EXPECT_EQ(host.open, 0);
    // AutoLoad: Basic, Serial, SMS and GPRS are each shown once, then back.
    EXPECT_EQ(host.active, (QList<PageId>{PageId::Basic, PageId::Connection, PageId::Serial, PageId::Connection,
                                         PageId::Sms, PageId::Connection, PageId::Gprs, PageId::Connection,
                                         PageId::Connection}));
    EXPECT_TRUE(host.statusBarConnected);
    logic.Activate();
    EXPECT_EQ(logic.form.connectCaption, QString("Reconnect"));
    EXPECT_FALSE(logic.form.portListEnabled);
    EXPECT_TRUE(logic.form.disconnectEnabled);
    EXPECT_TRUE(logic.form.menu.writeProfile);
}

TEST_F(ConnectionLogicTest, ConnectWithoutModemSaysSo)
{
    logic.Connect();
    EXPECT_EQ(prompts.Texts(), QStringList{"No Kestrava modem found!"});
    EXPECT_FALSE(session.LinkUp());
    EXPECT_FALSE(session.Busy());
    EXPECT_EQ(host.open, 0);
}

TEST_F(ConnectionLogicTest, ReconnectAsksAboutUnsavedPages)
{
    AnsweringPike3();
    logic.Connect();
    session.Flags(PageId::Serial).modified = true;
    prompts.AnswerQuestion(false);
    const int writes = int(port.Writes().size());
    logic.Connect();
    EXPECT_EQ(prompts.Texts().last(), QString("Reconnecting! All unsaved changes will be lost.\nDu you wish to contiune?"));
    EXPECT_EQ(port.Writes().size(), writes); // No: nothing happened
    EXPECT_TRUE(session.Connected());
    EXPECT_FALSE(session.Busy());
}

TEST_F(ConnectionLogicTest, DisconnectOfflineClosesTheProfileWithoutAsking)
{
    session.EnterOffline();
    logic.Disconnect();
    EXPECT_TRUE(prompts.Log().isEmpty());
    EXPECT_FALSE(session.Offline());
    EXPECT_FALSE(session.Busy());
}

TEST_F(ConnectionLogicTest, DisconnectWithNothingOpen)
{
    logic.Disconnect();
    EXPECT_EQ(prompts.Texts(), QStringList{"Not connected!"});
}

TEST_F(ConnectionLogicTest, DisconnectOffersToSwitchResultCodesOffAgain)
{
    AnsweringPike3();
    logic.Connect();
    session.SetQuiet(1);
    session.SetIdentity(session.Traits().model, false, session.Traits().extendedFirmware);
    prompts.AnswerQuestion(true);
    logic.Disconnect();
    ASSERT_EQ(prompts.Texts().size(), 1);
    EXPECT_TRUE(prompts.Texts().first().startsWith("Result Code Suppression will now be activated"));
    EXPECT_EQ(port.Writes().mid(port.Writes().size() - 2), (QList<QByteArray>{"ATQ1\r", "AT&W\r"}));
    EXPECT_FALSE(session.LinkUp());
    EXPECT_EQ(session.Quiet(), 0);
}

TEST_F(ConnectionLogicTest, ListChangeWhileConnectedMovesThePortOnly)
{
    AnsweringPike3();
    logic.Connect();
    const int writes = int(port.Writes().size());
    logic.form.SelectBaud("115200");
    logic.RouteCommand();
    EXPECT_EQ(port.Settings(), QString("115200,N,8,1"));
    EXPECT_EQ(session.BaudText(), QString("115200"));
    EXPECT_EQ(session.PollUnit(), 20);
    EXPECT_EQ(port.Writes().size(), writes); // the modem is not told
}

TEST_F(ConnectionLogicTest, OpenForTheTerminal)
{
    logic.form.SelectBaud("19200");
    logic.Open();
    EXPECT_TRUE(session.Connected());
    EXPECT_TRUE(session.TerminalOnly());
    EXPECT_EQ(session.StatusText(), QString("Open"));
    EXPECT_EQ(session.BaudText(), QString("19200"));
    EXPECT_EQ(session.PollUnit(), 30);
    EXPECT_EQ(port.RThreshold(), 1);
    EXPECT_TRUE(port.Writes().isEmpty());
    logic.Activate();
    EXPECT_EQ(logic.form.connectCaption, QString("Connect"));
    EXPECT_FALSE(logic.form.menu.writeProfile);

    logic.Open();
    EXPECT_EQ(prompts.Texts(), QStringList{"Already connected!"});
}

TEST_F(ConnectionLogicTest, OpenThatFails)
{
    port.SetRefuseOpen(true);
    logic.Open();
    // The message, and under it why the port did not open (the port doctor's).
    ASSERT_EQ(prompts.Texts().size(), 1);
    EXPECT_EQ(prompts.Texts().first().section(QLatin1Char('\n'), 0, 0), QStringLiteral("Comport not available"));
    EXPECT_FALSE(session.Connected());
}

TEST_F(ConnectionLogicTest, AutoconnectAdoptsTheModemsParity)
{
    AnsweringPike3();
    logic.Autoconnect();
    EXPECT_EQ(wait.runs, 1);
    EXPECT_EQ(wait.attempts, 1); // found at 115200 8N1
    EXPECT_TRUE(session.Connected());
    EXPECT_EQ(session.Parity(), QChar('E'));
    EXPECT_EQ(port.Settings(), QString("115200,E,8,1"));
    EXPECT_EQ(logic.form.BaudText(), QString("115200"));
    EXPECT_EQ(logic.form.ParityLetter(), QChar('E'));
    EXPECT_TRUE(prompts.Log().isEmpty());

    logic.Autoconnect();
    EXPECT_EQ(prompts.Texts(), QStringList{"Already connected!"});
}

TEST_F(ConnectionLogicTest, AbortedSearchEndsSilently)
{
    wait.abortAfter = 2;
    logic.Autoconnect();
    EXPECT_EQ(wait.attempts, 2);
    EXPECT_TRUE(prompts.Log().isEmpty());
    EXPECT_FALSE(session.Busy());
}

TEST_F(ConnectionLogicTest, FruitlessSearchSaysSo)
{
    session.SetPollUnit(9600);
    logic.Autoconnect();
    EXPECT_EQ(wait.attempts, 80);
    EXPECT_EQ(prompts.Texts(), QStringList{"No Kestrava modem found!"});
}

TEST_F(ConnectionLogicTest, BusySessionIgnoresTheProcedures)
{
    session.SetBusy(true);
    logic.Connect();
    logic.Open();
    logic.Autoconnect();
    EXPECT_TRUE(port.Writes().isEmpty());
    EXPECT_EQ(wait.runs, 0);
    EXPECT_TRUE(session.Busy());
}

} // namespace

namespace {

// What is plugged in changes while the program runs; here the candidates
// change through the options (a fixed list of ttyS ports) and the ports named
// on the command line.
TEST_F(ConnectionLogicTest, RefreshOffersNewPortsAndKeepsTheChoice)
{
    session.SetExtraPorts({QStringLiteral("/dev/pts/7")});
    logic.FillPorts();
    ASSERT_EQ(logic.form.portPaths, (QStringList{"/dev/pts/7", "/dev/ttyS0", "/dev/ttyS1"}));
    logic.form.SelectPort(QStringLiteral("/dev/ttyS1"));

    session.options.numberOfPorts = 3; // two more appeared
    logic.RefreshPorts();
    EXPECT_EQ(logic.form.portPaths,
              (QStringList{"/dev/pts/7", "/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"}));
    EXPECT_EQ(logic.form.portLabels.first(), QStringLiteral("pts/7"));
    EXPECT_EQ(logic.form.PortPath(), QStringLiteral("/dev/ttyS1"));

    session.options.numberOfPorts = 0; // the chosen one went away
    logic.RefreshPorts();
    EXPECT_EQ(logic.form.portPaths, (QStringList{"/dev/pts/7", "/dev/ttyS0"}));
    EXPECT_EQ(logic.form.PortPath(), QStringLiteral("/dev/pts/7"));
}

TEST_F(ConnectionLogicTest, RefreshThatFindsTheFirstPortOffersTheProcedures)
{
    logic.form.portPaths.clear();
    logic.form.portLabels.clear();
    logic.form.port = -1;
    logic.Activate();
    ASSERT_FALSE(logic.form.openEnabled);
    logic.RefreshPorts();
    EXPECT_EQ(logic.form.PortPath(), QStringLiteral("/dev/ttyS0"));
    EXPECT_TRUE(logic.form.autoconnectEnabled);
    EXPECT_TRUE(logic.form.connectEnabled);
    EXPECT_TRUE(logic.form.openEnabled);
    EXPECT_TRUE(logic.form.menu.openPort);
    EXPECT_FALSE(logic.form.disconnectEnabled);
}

TEST_F(ConnectionLogicTest, RefreshWhileConnectedLeavesTheProceduresAlone)
{
    port.SetPortOpen(true);
    session.SetConnected(true);
    logic.Activate();
    session.options.numberOfPorts = 3;
    logic.RefreshPorts();
    EXPECT_EQ(logic.form.portPaths.size(), 4);
    EXPECT_FALSE(logic.form.openEnabled);
    EXPECT_FALSE(logic.form.autoconnectEnabled);
    EXPECT_TRUE(logic.form.disconnectEnabled);
}

} // namespace
