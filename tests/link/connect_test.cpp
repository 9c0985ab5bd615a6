#include "link/core/autoconnect.h"
#include "link/core/identification.h"
#include "link/sessionfixture.h"
#include "support/scriptedprompter.h"

using namespace telvio;
using namespace telvio::test;

namespace {

class PageRecordingHost : public RecordingHost {
public:
    void AddPage(PageId page) override { pages.append(page); }
    QList<PageId> pages;
};

// A connect against the in-memory port; the fake modem answers per command.
class ConnectTest : public ::testing::Test {
protected:
    ConnectTest()
    {
        pump.Attach(&session);
        session.SetPrompter(&prompts);
    }

    void Modem(const QByteArray &imei, int sim = 1, bool verbose = true)
    {
        const QByteArray ok = verbose ? "\r\nOK\r\n" : "0\r";
        auto info = [&](const QByteArray &text) { return verbose ? "\r\n" + text + "\r\n" + ok : text + "\r\n" + ok; };
        modem.Answer("AT", ok);
        modem.Answer("AT+CGSN", info(imei));
        modem.Answer("ATI9", info("\"DWL\",\"6200\""));
        modem.Answer("AT+WOPEN=2", info("+WOPEN: 2,\"AT v3.10\",\"AT v2.00\""));
        modem.Answer("AT#VVERSION", info("#VVERSION: \"eDsoft 1.2\""));
        const QByteArray states[] = {"", "READY", "SIM PIN", "SIM PUK"};
        if (sim == 0)
            modem.Answer("AT+CPIN?", verbose ? "\r\n+CME ERROR: 10\r\n" : "+CME ERROR: 10\r\n");
        else
            modem.Answer("AT+CPIN?", info("+CPIN: " + states[sim]));
    }

    int Connect()
    {
        ConnectParams p;
        p.port = "/dev/ttyS0";
        return session.Connect(p);
    }

    MemoryPort port;
    ScriptedPump pump;
    PageRecordingHost host;
    ScriptedPrompter prompts;
    ModemSession session{&port, &host, &pump};
    FakeModem modem{&port, &pump};
};

TEST_F(ConnectTest, Pike3GetsEveryPage)
{
    Modem("357831001234567");
    EXPECT_EQ(Connect(), 1);
    EXPECT_TRUE(session.Connected());
    EXPECT_FALSE(session.Connecting());
    EXPECT_EQ(session.StatusText(), QString("Connected"));
    EXPECT_EQ(session.Traits().model, Model::Pike3);
    EXPECT_EQ(session.ModelName(), QString("Pike-3"));
    EXPECT_EQ(session.ImeiPrefix(), QString("35783100"));
    EXPECT_EQ(session.Imei(), QByteArray("357831001234567"));
    EXPECT_EQ(int(session.Traits().makerFirmware), 1);
    EXPECT_EQ(int(session.Traits().extendedFirmware), 1);
    EXPECT_EQ(session.SimStatus(), 1);
    EXPECT_EQ(host.pages, (QList<PageId>{PageId::Basic, PageId::Serial, PageId::Sms, PageId::Gprs, PageId::Signal,
                                        PageId::Diagnostic, PageId::Io, PageId::Callback}));
    EXPECT_TRUE(session.Flags(PageId::Basic).mustRead);
    EXPECT_FALSE(session.Flags(PageId::Signal).mustRead);
    EXPECT_TRUE(session.Flags(PageId::Callback).mustRead);
    EXPECT_EQ(session.gprsRecord.Text(52, 8), QByteArray("9000")); // defaults applied
    EXPECT_EQ(port.RThreshold(), 1);
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(ConnectTest, Orca1WithoutSimGetsNeitherSmsNorIoPages)
{
    Modem("351079430123456", 0);
    EXPECT_EQ(Connect(), 1);
    EXPECT_EQ(session.Traits().model, Model::Orca1);
    EXPECT_EQ(session.SimStatus(), 0);
    EXPECT_EQ(host.pages, (QList<PageId>{PageId::Basic, PageId::Serial, PageId::Gprs, PageId::Signal,
                                        PageId::Diagnostic}));
    // No firmware questions for an Orca-1.
    for (const QByteArray &w : port.Writes())
        EXPECT_FALSE(w.startsWith("ATI9") || w.startsWith("AT#VVERSION")) << w.constData();
}

TEST_F(ConnectTest, UnknownImeiClosesThePort)
{
    Modem("358021081917381");
    EXPECT_EQ(Connect(), 0);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_FALSE(session.LinkUp());
    EXPECT_EQ(session.Traits().model, Model::Unknown);
    EXPECT_EQ(session.ModelName(), QString("-"));
    EXPECT_TRUE(host.pages.isEmpty());
    EXPECT_TRUE(prompts.Log().isEmpty()); // the caller tells the user
}

TEST_F(ConnectTest, SilentPortFailsQuicklyWithTheFastProbe)
{
    EXPECT_EQ(Connect(), 0);
    EXPECT_FALSE(port.PortOpen());
    // 9600 baud: unit 40 / 5 = 8 ticks per "AT", three tries; 40 ms sleep.
    EXPECT_EQ(pump.Now(), 24);
    EXPECT_EQ(session.PollUnit(), 40);
    EXPECT_FALSE(session.FastProbe());
}

TEST_F(ConnectTest, PortThatWillNotOpen)
{
    port.SetRefuseOpen(true);
    EXPECT_EQ(Connect(), -1);
    EXPECT_EQ(session.PortName(), QString("0"));
    // The message, and under it why the port did not open (the port doctor's).
    ASSERT_EQ(prompts.Texts().size(), 1);
    EXPECT_EQ(prompts.Texts().first().section(QLatin1Char('\n'), 0, 0), QStringLiteral("Unable to open COM-port..."));
    ASSERT_EQ(prompts.Log().size(), 1);
    EXPECT_EQ(prompts.Log().front().icon, Prompter::Icon::None); // a plain notice, no error sign
    EXPECT_TRUE(port.Writes().isEmpty());
}

TEST_F(ConnectTest, NumericModeReachesTheSameVerdict)
{
    Modem("357832001234567", 2, false);
    EXPECT_EQ(Connect(), 1);
    EXPECT_FALSE(session.Verbose());
    EXPECT_EQ(session.Traits().model, Model::Pike2);
    EXPECT_EQ(int(session.Traits().makerFirmware), 1);
    EXPECT_EQ(int(session.Traits().extendedFirmware), 1);
    EXPECT_EQ(session.SimStatus(), 2);
}

TEST_F(ConnectTest, NumericVversionSucceedsOnZeroAndFailsOnFour)
{
    Modem("010424001234567", 1, false);
    EXPECT_EQ(Connect(), 1);
    EXPECT_EQ(session.Traits().model, Model::Orca1Us);
    EXPECT_EQ(int(session.Traits().extendedFirmware), 1);

    session.Disconnect();
    port.SetPortOpen(false);
    modem.Answer("AT#VVERSION", "4\r");
    EXPECT_EQ(Connect(), 1);
    EXPECT_EQ(int(session.Traits().extendedFirmware), 0);
}

TEST_F(ConnectTest, OldWopenVersionIsNotExtended)
{
    Modem("357831001234567");
    modem.Answer("AT+WOPEN=2", "\r\n+WOPEN: 2,\"AT v3.0\",\"AT v2.00\"\r\n\r\nOK\r\n");
    EXPECT_EQ(Connect(), 1);
    EXPECT_EQ(int(session.Traits().makerFirmware), 1);
    EXPECT_EQ(int(session.Traits().extendedFirmware), 0);
}

TEST_F(ConnectTest, PlainFirmwareSkipsWopen)
{
    Modem("357831001234567");
    modem.Answer("ATI9", "\r\nKestrava modem\r\n\r\nOK\r\n");
    EXPECT_EQ(Connect(), 1);
    EXPECT_EQ(int(session.Traits().makerFirmware), 0);
    for (const QByteArray &w : port.Writes())
        EXPECT_FALSE(w.startsWith("AT+WOPEN")) << w.constData();
}

TEST_F(ConnectTest, LinkLostDuringIdentificationIsNoSuccess)
{
    Modem("357831001234567");
    port.SetResponder([this](const QByteArray &w) {
        if (w == "AT\r")
            pump.FeedAfter(&port, 1, "\r\nOK\r\n");
        else if (w == "AT+CGSN\r")
            pump.FeedAfter(&port, 1, "\r\n357831001234567\r\n\r\nOK\r\n");
        else if (w == "ATI9\r")
            pump.After(1, [this] { port.Unplug(); });
    });
    EXPECT_EQ(Connect(), 0);
    EXPECT_FALSE(session.Connected());
    EXPECT_TRUE(host.pages.isEmpty());
}

TEST_F(ConnectTest, SearchStopsAtTheFirstAnsweringSettingsAndCanBeAborted)
{
    // Nobody answers: every attempt fails; abort after the third.
    int attempts = 0;
    QStringList texts;
    const int r = RunAutoconnectSearch(
        session, "/dev/ttyS0", "ttyS0", [&](int n, const QString &t) { attempts = n; texts << t; },
        [&] { return attempts == 3; });
    EXPECT_EQ(r, -1);
    EXPECT_EQ(attempts, 3);
    EXPECT_EQ(texts.first(), QString("Searching ttyS0 @ 115200 bps (8,N,1)"));
    EXPECT_EQ(port.Settings(), QString("38400,N,8,1"));

    // A port that cannot be opened ends the search at once with 1.
    port.SetRefuseOpen(true);
    attempts = 0;
    EXPECT_EQ(RunAutoconnectSearch(session, "/dev/ttyS0", "ttyS0", [&](int n, const QString &) { attempts = n; },
                                   [] { return false; }),
              1);
    EXPECT_EQ(attempts, 1);
}

} // namespace
