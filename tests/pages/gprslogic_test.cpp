// The GPRS page's logic on the in-memory line: reading and writing each
// command set, the result-code guard, the SIM's say over the attach
// controls, and the page's actions.
#include "link/core/modemsession.h"
#include "pages/core/gprslogic.h"
#include "pages/pagehost.h"
#include "support/fakemodem.h"
#include "support/linerate.h"
#include "support/memoryport.h"
#include "support/scriptedprompter.h"
#include "support/scriptedpump.h"

#include <gtest/gtest.h>

using namespace telvio;
using namespace telvio::test;

namespace {

const QByteArray kOk = "\r\nOK\r\n";

// The dialog as a user leaves it: closed with OK (after the given edit) or
// cancelled.
class ScriptedPing : public PingDialogs {
public:
    bool RunPing(PingDialog &dialog) override
    {
        ++runs;
        shownRead = dialog.ConfigRead();
        if (edit)
            edit(dialog.form);
        return accept;
    }
    bool accept = true;
    std::function<void(PingForm &)> edit;
    int runs = 0;
    bool shownRead = false;
};

class GprsPage : public ::testing::Test {
protected:
    GprsPage()
    {
        pump.Attach(&session);
        port.SetSettings(QStringLiteral("9600,N,8,1"));
        port.SetPortOpen(true);
        session.SetConnected(true);
        session.SetPollUnit(9600);
        session.SetPrompter(&prompts);
        session.SetDefaults();
        session.SetSimStatus(1);
    }

    void Firmware(GprsCommandSet set)
    {
        switch (set) {
        case GprsCommandSet::TcpFirmware: session.SetIdentity(Model::Pike3, true, true); break;
        case GprsCommandSet::IpStack: session.SetIdentity(Model::Orca1Us, false, true); break;
        case GprsCommandSet::PlainGprs: session.SetIdentity(Model::Orca1, false, false); break;
        }
    }

    // A TCP firmware modem's answers to the whole read.
    void AnswerTcpRead(const QByteArray &delay = "100", const QByteArray &status = "DISCONNECTED")
    {
        Firmware(GprsCommandSet::TcpFirmware);
        modem.Answer("AT", kOk);
        modem.Answer("AT*WGPRSAPN?", "\r\n*WGPRSAPN: \"internet\"\r\n" + kOk);
        modem.Answer("AT*WGPRSUN?", "\r\n*WGPRSUN: \"user\"\r\n" + kOk);
        modem.Answer("AT*WGPRSPW?", "\r\n*WGPRSPW: \"pw\"\r\n" + kOk);
        modem.Answer("AT*WTCPSERV?", "\r\n*WTCPSERV: \"10.0.0.1\"\r\n" + kOk);
        modem.Answer("AT*WTCPPORT?", "\r\n*WTCPPORT: 9000\r\n" + kOk);
        modem.Answer("AT*WTCPTXDELAY?", "\r\n*WTCPTXDELAY: " + delay + "\r\n" + kOk);
        modem.Answer("AT*WTCPCONNECT?", "\r\n*WTCPCONNECT: 1\r\n" + kOk);
        modem.Answer("AT*WTCPMODE?", "\r\n*WTCPMODE: 1\r\n" + kOk);
        modem.Answer("AT*WTCPCLIENTIP?", "\r\n*WTCPCLIENTIP: \"192.168.0.7\"\r\n" + kOk);
        modem.Answer("AT*WTCPPINGSYNC?", "\r\n*WTCPPINGSYNC: 1,5,20\r\n" + kOk);
        modem.Answer("AT*WTCPI?", "\r\n*WTCPI: 1\r\n" + kOk);
        modem.Answer("AT+CGATT?", "\r\n+CGATT: 1\r\n" + kOk);
        modem.Answer("AT*WIPSTATUS", "\r\n*WIPSTATUS: " + status + "\r\n" + kOk);
    }

    void AnswerIpStackRead(const QByteArray &state = "IDLE")
    {
        Firmware(GprsCommandSet::IpStack);
        modem.Answer("AT", kOk);
        modem.Answer("AT#VSTATE", "\r\n#STATE: \"" + state + "\"\r\n" + kOk);
        modem.Answer("AT#APNSERV?", "\r\n#APNSERV: \"my apn\"\r\n" + kOk);
        modem.Answer("AT#APNUN?", "\r\n#APNUN: \"\"\r\n" + kOk);
        modem.Answer("AT#APNPW?", "\r\n#APNPW: \"\"\r\n" + kOk);
        modem.Answer("AT#TCPSERV?", "\r\n#TCPSERV: \"\"\r\n" + kOk);
        modem.Answer("AT#TCPTXDELAY?", "\r\n#TCPTXDELAY: 100\r\n" + kOk);
        modem.Answer("AT#TCPPORT?", "\r\n#TCPPORT: 9000\r\n" + kOk);
        modem.Answer("AT+CGATT?", "\r\n+CGATT: 0\r\n" + kOk);
    }

    // Shows the page, which reads, and forgets what went out so far.
    void Shown()
    {
        logic.Activate();
        ASSERT_TRUE(prompts.Log().isEmpty()) << qPrintable(prompts.Texts().join('\n'));
        m_from = int(port.CommandLines().size());
    }
    QList<QByteArray> Sent() const { return port.CommandLines().mid(m_from); }
    PageFlags &Flags() { return session.Flags(PageId::Gprs); }
    const GprsSettingsRecord &Record() const { return session.gprsRecord; }

    MemoryPort port;
    ScriptedPump pump;
    PageHost host;
    ScriptedPrompter prompts;
    ModemSession session{&port, &host, &pump};
    FakeModem modem{&port, &pump};
    ScriptedPing ping;
    GprsLogic logic{session, prompts, ping};

private:
    int m_from = 0;
};

// --- read ---------------------------------------------------------------------

TEST_F(GprsPage, TcpFirmwareReadFillsRecordAndFormInTableOrder)
{
    AnswerTcpRead();
    logic.Activate();
    EXPECT_EQ(port.CommandLines(),
              (QList<QByteArray>{"AT", "AT*WGPRSAPN?", "AT*WGPRSUN?", "AT*WGPRSPW?", "AT*WTCPSERV?", "AT*WTCPPORT?",
                                 "AT*WTCPTXDELAY?", "AT*WTCPCONNECT?", "AT*WTCPMODE?", "AT*WTCPCLIENTIP?",
                                 "AT*WTCPPINGSYNC?", "AT*WTCPI?", "AT+CGATT?", "AT*WIPSTATUS"}));
    const GprsForm &f = logic.form;
    EXPECT_EQ(f.apn.text, "internet");
    EXPECT_EQ(f.userName.text, "user");
    EXPECT_EQ(f.password.text, "pw");
    EXPECT_EQ(f.serverIp.octets, (Octets{10, 0, 0, 1}));
    EXPECT_EQ(f.clientIp.octets, (Octets{192, 168, 0, 7}));
    EXPECT_EQ(f.port.text, "9000");
    EXPECT_EQ(f.autoConnect.CurrentText(), "1 - Enabled");
    EXPECT_EQ(f.connectionMode.CurrentText(), "1 - Server");
    EXPECT_EQ(f.tcpStatus.CurrentText(), "1 - Display status information");
    EXPECT_EQ(f.syncMode.CurrentText(), "On");
    EXPECT_EQ(f.syncDelay.text, "5");
    EXPECT_EQ(f.syncIdle.text, "20");
    EXPECT_EQ(f.attachState.CurrentText(), "1 - Attached");
    EXPECT_EQ(f.apnLabel.text, "Access Point Name [*WGPRSAPN]");
    EXPECT_EQ(f.serverIpLabel.text, "IP Server [*WTCPSERV]");
    EXPECT_FALSE(f.activate.visible);
    EXPECT_TRUE(f.gprsConnect.visible);
    EXPECT_EQ(f.gprsConnect.caption, "Connect");
    EXPECT_FALSE(f.ping.enabled);
    EXPECT_TRUE(logic.unreadFields.isEmpty());
    EXPECT_FALSE(Flags().mustRead);
    EXPECT_FALSE(Flags().modified);
    EXPECT_FALSE(session.Busy());
    EXPECT_EQ(host.windows.value(0), "Transfering data");
    EXPECT_EQ(host.openWindows, 0);
}

TEST_F(GprsPage, ConnectedStatusEnablesPingAndNamesTheButtonDisconnect)
{
    AnswerTcpRead("100", "CONNECTED");
    Shown();
    EXPECT_TRUE(logic.gprsConnected);
    EXPECT_EQ(logic.form.gprsConnect.caption, "Disconnect");
    EXPECT_TRUE(logic.form.ping.enabled);
}

// The snapshot holds what the controls make of the read: a delay off the
// 20 ms steps is not an edit of the user's.
TEST_F(GprsPage, DelayOffTheStepsIsNoEditAfterTheRead)
{
    AnswerTcpRead("115");
    Shown();
    EXPECT_EQ(logic.form.delay.text, "115");
    logic.Command(GprsCommand::Edited);
    EXPECT_FALSE(Flags().modified);
    EXPECT_EQ(Record().Text(gprsfield::TxDelay, gprsfield::TxDelayWidth), "100");
}

TEST_F(GprsPage, ReadStopsAtTheFirstRefusalAndSaysSo)
{
    AnswerTcpRead();
    modem.Answer("AT*WTCPPORT?", "\r\nERROR\r\n");
    logic.Create();
    logic.form.syncIdle.text = "77";
    EXPECT_FALSE(logic.Command(GprsCommand::Read));
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: Unable to retrieve settings..."});
    EXPECT_FALSE(port.CommandLines().contains("AT*WTCPTXDELAY?"));
    // What was read is in the record; the rest is zero, while the controls
    // keep what they showed.
    EXPECT_EQ(Record().Text(gprsfield::Apn, gprsfield::ApnWidth), "internet");
    EXPECT_EQ(Record().Int(gprsfield::SyncIdle), 0);
    EXPECT_EQ(logic.form.syncIdle.text, "77");
    EXPECT_FALSE(logic.form.write.enabled);
    EXPECT_FALSE(logic.form.apn.enabled);
    EXPECT_TRUE(logic.form.read.enabled);
    EXPECT_FALSE(session.Busy());
}

TEST_F(GprsPage, FailedFirstReadLeavesTheRecordShownAndNothingModified)
{
    Firmware(GprsCommandSet::TcpFirmware);
    modem.Answer("AT", kOk);
    session.gprsRecord.SetText(gprsfield::Apn, gprsfield::ApnWidth, "before");
    logic.Activate();
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: Unable to retrieve settings..."});
    EXPECT_EQ(logic.form.apn.text, "before");
    EXPECT_EQ(logic.form.port.text, "9000");
    EXPECT_FALSE(Flags().mustRead);
    logic.Command(GprsCommand::Edited);
    EXPECT_FALSE(Flags().modified);
}

TEST_F(GprsPage, NumericModemIsSwitchedForTheReadAndBack)
{
    AnswerTcpRead();
    modem.Answer("AT", "0\r");
    modem.Answer("ATV1", kOk);
    modem.Answer("ATV0", "0\r");
    logic.Create();
    ASSERT_TRUE(logic.Command(GprsCommand::Read));
    const QList<QByteArray> sent = port.CommandLines();
    EXPECT_EQ(sent.mid(0, 2), (QList<QByteArray>{"AT", "ATV1"}));
    EXPECT_EQ(sent.mid(sent.size() - 3), (QList<QByteArray>{"AT*WIPSTATUS", "AT", "ATV0"}));
}

TEST_F(GprsPage, NumericModemIsStoredNumericAfterAWrite)
{
    AnswerIpStackRead();
    Shown();
    modem.Answer("AT", "0\r");
    modem.Answer("ATV1", kOk);
    for (const char *c : {"AT#APNSERV=\"myapn\"", "AT#APNUN=\"\"", "AT#APNPW=\"\"", "AT#TCPSERV=\"\"",
                          "AT#TCPTXDELAY=100", "AT#TCPPORT=9000", "AT&W"})
        modem.Answer(c, kOk);
    modem.Answer("ATV0", "0\r");
    ASSERT_TRUE(logic.Command(GprsCommand::Write));
    const QList<QByteArray> sent = Sent();
    EXPECT_EQ(sent.mid(0, 2), (QList<QByteArray>{"AT", "ATV1"}));
    EXPECT_EQ(sent.mid(sent.size() - 3), (QList<QByteArray>{"AT&W", "ATV0", "AT&W"}));
}

TEST_F(GprsPage, IpStackReadTakesTheContextStateAndNameWithoutBlanks)
{
    AnswerIpStackRead("CONNECTED");
    Shown();
    EXPECT_TRUE(logic.contextActive);
    EXPECT_EQ(logic.form.activate.caption, "Deactivate");
    EXPECT_EQ(logic.form.activateLabel.text, "#CONNECTIONSTOP");
    EXPECT_EQ(logic.form.apn.text, "myapn");
    EXPECT_EQ(logic.form.apnLabel.text, "Access Point Name [#APNSERV]");
    EXPECT_TRUE(logic.form.activate.visible);
    EXPECT_FALSE(logic.form.autoConnect.visible);
    EXPECT_EQ(logic.form.contextMode.CurrentText(), "Client [#OTCP]");
}

TEST_F(GprsPage, PlainModemShowsOnlyTheNameItReadsLineByLine)
{
    Firmware(GprsCommandSet::PlainGprs);
    modem.Answer("AT", kOk);
    modem.Answer("AT+CGDCONT?", "\r\n+CGDCONT: 1,\"IP\",\"web.net\",\"0.0.0.0\",0,0\r\n" + kOk);
    modem.Answer("AT+CGATT?", "\r\n+CGATT: 0\r\n" + kOk);
    logic.Create();
    EXPECT_FALSE(logic.form.apn.visible);
    Shown();
    EXPECT_EQ(logic.form.apn.text, "web.net");
    EXPECT_TRUE(logic.form.apn.visible);
    EXPECT_EQ(logic.form.apnLabel.text, "Access Point Name [+GDDCONT]");
    EXPECT_FALSE(logic.form.userName.visible);
    EXPECT_FALSE(logic.form.gprsGroup.visible);
    EXPECT_FALSE(logic.form.tcpGroup.visible);
}

TEST_F(GprsPage, PlainModemRefusingTheQueryHasNoNameAndStillReads)
{
    Firmware(GprsCommandSet::PlainGprs);
    modem.Answer("AT", kOk);
    modem.Answer("AT+CGDCONT?", "\r\nERROR\r\n");
    modem.Answer("AT+CGATT?", "\r\n+CGATT: 1\r\n" + kOk);
    Shown();
    EXPECT_EQ(logic.form.apn.text, "");
    EXPECT_EQ(logic.form.attachState.current, 1);
}

TEST_F(GprsPage, SimNotReadySendsNoAttachQueryAndDisablesTheAttachControls)
{
    session.SetSimStatus(2);
    Firmware(GprsCommandSet::PlainGprs);
    modem.Answer("AT", kOk);
    Shown();
    EXPECT_EQ(port.CommandLines(), QList<QByteArray>{"AT"});
    EXPECT_FALSE(logic.form.change.enabled);
    EXPECT_FALSE(logic.form.attachState.enabled);
    EXPECT_FALSE(logic.form.apn.enabled);
    EXPECT_FALSE(logic.form.apnLabel.enabled);
    // Nor does a write define the context.
    modem.Answer("AT&W", kOk);
    ASSERT_TRUE(logic.Command(GprsCommand::Write));
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT", "AT&W"}));
}

// --- record and controls --------------------------------------------------------

struct NormaliseCase {
    const char *name;
    QString delay, syncDelay, syncIdle;
    QByteArray storedDelay;
    int storedSyncDelay, storedSyncIdle;
};

void PrintTo(const NormaliseCase &c, std::ostream *os)
{
    *os << c.name;
}

class GprsNormalise : public GprsPage, public ::testing::WithParamInterface<NormaliseCase> {};

TEST_P(GprsNormalise, ControlsToRecord)
{
    const NormaliseCase &c = GetParam();
    logic.form.delay.text = c.delay;
    logic.form.syncDelay.text = c.syncDelay;
    logic.form.syncIdle.text = c.syncIdle;
    GprsSettingsRecord r;
    r.SetText(0, 8, "junk");
    logic.ControlsToRecord(r);
    EXPECT_EQ(r.Text(gprsfield::TxDelay, gprsfield::TxDelayWidth), c.storedDelay);
    EXPECT_EQ(r.Byte(gprsfield::SyncDelay), c.storedSyncDelay);
    EXPECT_EQ(r.Int(gprsfield::SyncIdle), c.storedSyncIdle);
    EXPECT_EQ(r.Text(gprsfield::UserName, gprsfield::UserNameWidth), "");
}

INSTANTIATE_TEST_SUITE_P(Gprs, GprsNormalise,
                         ::testing::Values(NormaliseCase{"on the steps", "100", "5", "20", "100", 5, 20},
                                           NormaliseCase{"delay down to a step", "115", "0", "0", "100", 0, 0},
                                           NormaliseCase{"largest delay typed", "99999", "255", "32767", "99980",
                                                         255, 32767},
                                           NormaliseCase{"caps", "19", "300", "40000", "0", 255, 32767},
                                           NormaliseCase{"empty edits", "", "", "", "0", 0, 0}),
                         [](const ::testing::TestParamInfo<NormaliseCase> &info) {
                             std::string n;
                             for (const char *c = info.param.name; *c; ++c)
                                 n += std::isalnum(uchar(*c)) ? *c : '_';
                             return n;
                         });

// --- write --------------------------------------------------------------------

TEST_F(GprsPage, WriteGoesOnPastARefusedValue)
{
    AnswerTcpRead();
    Shown();
    logic.form.delay.text = "99999";
    logic.Command(GprsCommand::Edited);
    EXPECT_TRUE(Flags().modified);
    for (const char *c : {"AT*WGPRSAPN=\"internet\"", "AT*WGPRSUN=\"user\"", "AT*WGPRSPW=\"pw\"",
                          "AT*WTCPSERV=\"10.0.0.1\"", "AT*WTCPPORT=9000", "AT*WTCPCONNECT=1", "AT*WTCPMODE=1",
                          "AT*WTCPCLIENTIP=\"192.168.0.7\"", "AT*WTCPI=1", "AT*WTCPPINGSYNC=1,5,20", "AT&W"})
        modem.Answer(c, kOk);
    modem.Answer("AT*WTCPTXDELAY=99980", "\r\nERROR\r\n");
    EXPECT_FALSE(logic.Command(GprsCommand::Write));
    EXPECT_EQ(Sent().size(), 13);
    EXPECT_EQ(Sent().at(6), "AT*WTCPTXDELAY=99980");
    EXPECT_EQ(Sent().last(), "AT&W");
    // The modem did not take everything: the user is told and the page
    // stays modified.
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: Unable to save settings..."});
    EXPECT_TRUE(Flags().modified);
    EXPECT_EQ(host.windows.last(), "Transfering data...");

    modem.Answer("AT*WTCPTXDELAY=99980", kOk);
    EXPECT_TRUE(logic.Command(GprsCommand::Write));
    EXPECT_FALSE(Flags().modified);
}

TEST_F(GprsPage, WriteEndsOnASilentModem)
{
    AnswerTcpRead();
    Shown();
    modem.Answer("AT*WGPRSAPN=\"internet\"", kOk);
    EXPECT_FALSE(logic.Command(GprsCommand::Write));
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT", "AT*WGPRSAPN=\"internet\"", "AT*WGPRSUN=\"user\""}));
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: Unable to save settings..."});
    EXPECT_FALSE(session.Busy());
}

struct UnsafeCase {
    const char *name;
    EditState GprsForm::*edit;
    QString text;
    const char *field;
};

void PrintTo(const UnsafeCase &c, std::ostream *os)
{
    *os << c.name;
}

class GprsUnsafeText : public GprsPage, public ::testing::WithParamInterface<UnsafeCase> {};

TEST_P(GprsUnsafeText, IsRefusedBeforeAnythingIsSent)
{
    const UnsafeCase &c = GetParam();
    AnswerIpStackRead();
    Shown();
    (logic.form.*c.edit).text = c.text;
    logic.Command(GprsCommand::Edited);
    EXPECT_FALSE(logic.Command(GprsCommand::Write));
    EXPECT_TRUE(Sent().isEmpty()) << Sent().join(' ').constData();
    ASSERT_EQ(prompts.Texts().size(), 1);
    EXPECT_TRUE(prompts.Texts().first().startsWith(QLatin1String(c.field))) << qPrintable(prompts.Texts().first());
    // The profile writer calls the write directly: it refuses the same way.
    EXPECT_FALSE(logic.WriteToModem());
    EXPECT_TRUE(Sent().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Gprs, GprsUnsafeText,
    ::testing::Values(UnsafeCase{"quote in the name", &GprsForm::apn, "web\";+CFUN=0;\"", "Access Point Name [#APNSERV]"},
                      UnsafeCase{"line end in the user name", &GprsForm::userName, "me\rAT&F", "User Name [#APNUN]"},
                      UnsafeCase{"ctrl z in the password", &GprsForm::password, "pw\x1a", "Password [#APNPW]"},
                      UnsafeCase{"line feed in the password", &GprsForm::password, "a\nb", "Password [#APNPW]"},
                      UnsafeCase{"command after the port", &GprsForm::port, "1;+CFUN=0", "Port [#TCPPORT]"}),
    [](const ::testing::TestParamInfo<UnsafeCase> &info) { return WordName(info.param.name); });

TEST_F(GprsPage, IpStackWritesNoServerAsEmpty)
{
    AnswerIpStackRead();
    Shown();
    for (const char *c : {"AT#APNSERV=\"myapn\"", "AT#APNUN=\"\"", "AT#APNPW=\"\"", "AT#TCPSERV=\"\"",
                          "AT#TCPTXDELAY=100", "AT#TCPPORT=9000", "AT&W"})
        modem.Answer(c, kOk);
    ASSERT_TRUE(logic.Command(GprsCommand::Write));
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT", "AT#APNSERV=\"myapn\"", "AT#APNUN=\"\"", "AT#APNPW=\"\"",
                                         "AT#TCPSERV=\"\"", "AT#TCPTXDELAY=100", "AT#TCPPORT=9000", "AT&W"}));
}

TEST_F(GprsPage, PlainEmptyNameUndefinesTheContext)
{
    Firmware(GprsCommandSet::PlainGprs);
    modem.Answer("AT", kOk);
    modem.Answer("AT+CGDCONT?", kOk);
    modem.Answer("AT+CGATT?", "\r\n+CGATT: 0\r\n" + kOk);
    Shown();
    modem.Answer("AT+CGDCONT=1", kOk);
    modem.Answer("AT&W", kOk);
    ASSERT_TRUE(logic.Command(GprsCommand::Write));
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT", "AT+CGDCONT=1", "AT&W"}));
}

TEST_F(GprsPage, ProfileIsShownWithoutReadingAndCountsAsAnEditLater)
{
    Firmware(GprsCommandSet::TcpFirmware);
    logic.Create();
    session.gprsRecord.SetText(gprsfield::Apn, gprsfield::ApnWidth, "from.file");
    Flags().profilePending = true;
    Flags().modified = true;
    logic.Activate();
    EXPECT_EQ(logic.form.apn.text, "from.file");
    EXPECT_FALSE(Flags().modified);
    EXPECT_FALSE(Flags().mustRead);
    EXPECT_TRUE(port.CommandLines().isEmpty());
    logic.Command(GprsCommand::Edited);
    EXPECT_TRUE(Flags().modified);
}

// --- actions ------------------------------------------------------------------

TEST_F(GprsPage, RefusedAttachIsToldAndTheActualStateReadBack)
{
    AnswerTcpRead();
    Shown();
    logic.form.attachState.Select(2);
    modem.Answer("AT+CGATT=2", "\r\nERROR\r\n");
    modem.Answer("AT+CGATT?", "\r\n+CGATT: 1\r\n" + kOk);
    EXPECT_FALSE(logic.Command(GprsCommand::Change));
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT", "AT+CGATT=2", "AT+CGATT?"}));
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: Unable to preform requested operation..."});
    EXPECT_EQ(logic.form.attachState.current, 1);
    EXPECT_FALSE(Flags().modified);
    EXPECT_EQ(host.windows.last(), "Transfering data...");
}

TEST_F(GprsPage, AttachTakesTheNewStateIntoTheRecord)
{
    AnswerIpStackRead();
    Shown();
    logic.form.attachState.Select(1);
    modem.Answer("AT+CGATT=1", kOk);
    modem.Answer("AT+CGATT?", "\r\n+CGATT: 1\r\n" + kOk);
    EXPECT_TRUE(logic.Command(GprsCommand::ListChosen));
    ASSERT_TRUE(logic.Command(GprsCommand::Change));
    EXPECT_EQ(Record().Int(gprsfield::AttachState), 1);
    // The snapshot still holds the detached state.
    EXPECT_TRUE(Flags().modified);
}

TEST_F(GprsPage, StatusSayingDisconnectedLeavesConnectAndPingOff)
{
    AnswerTcpRead();
    Shown();
    modem.Answer("AT*WGPRSCONNECT", kOk);
    modem.Answer("AT*WIPSTATUS", "\r\n*WIPSTATUS: DISCONNECTED\r\n" + kOk);
    EXPECT_FALSE(logic.Command(GprsCommand::GprsConnect));
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT", "AT*WGPRSCONNECT", "AT*WIPSTATUS"}));
    EXPECT_EQ(logic.form.gprsConnect.caption, "Connect");
    EXPECT_FALSE(logic.form.ping.enabled);
    // The status is asked two seconds after the connect.
    ASSERT_FALSE(pump.Sleeps().empty());
    EXPECT_EQ(pump.Sleeps().back(), 2000);
}

TEST_F(GprsPage, RefusedConnectSkipsTheStatusAndTogglesBackOnDisconnect)
{
    AnswerTcpRead();
    Shown();
    modem.Answer("AT*WGPRSCONNECT", "\r\nERROR\r\n");
    EXPECT_FALSE(logic.Command(GprsCommand::GprsConnect));
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT", "AT*WGPRSCONNECT"}));
    EXPECT_FALSE(logic.gprsConnected);

    modem.Answer("AT*WGPRSCONNECT", kOk);
    modem.Answer("AT*WIPSTATUS", "\r\n*WIPSTATUS: CONNECTED\r\n" + kOk);
    ASSERT_TRUE(logic.Command(GprsCommand::GprsConnect));
    EXPECT_EQ(logic.form.gprsConnect.caption, "Disconnect");
    EXPECT_TRUE(logic.form.ping.enabled);
    modem.Answer("AT*WGPRSDISCONNECT", kOk);
    ASSERT_TRUE(logic.Command(GprsCommand::GprsConnect));
    EXPECT_EQ(logic.form.gprsConnect.caption, "Connect");
    EXPECT_FALSE(logic.form.ping.enabled);
}

TEST_F(GprsPage, ActivateTogglesOnlyOnTheStacksOwnAnswer)
{
    AnswerIpStackRead();
    Shown();
    modem.Answer("AT#CONNECTIONSTART", "\r\nERROR\r\n");
    EXPECT_FALSE(logic.Command(GprsCommand::Activate));
    EXPECT_EQ(logic.form.activate.caption, "Activate");
    modem.Answer("AT#CONNECTIONSTART", "\r\nOk_Info_GprsActivation\r\n");
    ASSERT_TRUE(logic.Command(GprsCommand::Activate));
    EXPECT_EQ(logic.form.activate.caption, "Deactivate");
    EXPECT_EQ(logic.form.activateLabel.text, "#CONNECTIONSTOP");
    // Without the Debug option the answer goes to the terminal.
    EXPECT_TRUE(host.terminal.contains("Ok_Info_GprsActivation"));
    modem.Answer("AT#CONNECTIONSTOP", kOk);
    ASSERT_TRUE(logic.Command(GprsCommand::Activate));
    EXPECT_EQ(logic.form.activate.caption, "Activate");
    EXPECT_EQ(logic.form.activateLabel.text, "#CONNECTIONSTART");
}

TEST_F(GprsPage, ClientSessionIsClosedByEtxAlone)
{
    AnswerIpStackRead("CONNECTED");
    Shown();
    modem.Answer("AT#OTCP", kOk);
    ASSERT_TRUE(logic.Command(GprsCommand::ContextConnect));
    EXPECT_EQ(logic.form.contextConnect.caption, "Disconnect");
    const int before = int(port.Writes().size());
    ASSERT_TRUE(logic.Command(GprsCommand::ContextConnect));
    EXPECT_EQ(port.Writes().mid(before), QList<QByteArray>{"\x03"});
    EXPECT_EQ(logic.form.contextConnect.caption, "Connect");
    EXPECT_FALSE(logic.tcpSessionOpen);
}

TEST_F(GprsPage, ServerSessionTogglesWhateverTheModemSaidAndStopsWithLtcpstop)
{
    AnswerIpStackRead();
    Shown();
    logic.form.contextMode.Select(1);
    logic.Command(GprsCommand::ListChosen);
    modem.Answer("AT#LTCPSTART", "\r\nERROR\r\n");
    EXPECT_FALSE(logic.Command(GprsCommand::ContextConnect));
    EXPECT_TRUE(logic.tcpSessionOpen);
    EXPECT_EQ(logic.form.contextConnect.caption, "Disconnect");
    modem.Answer("AT#LTCPSTOP", kOk);
    const int before = int(port.Writes().size());
    ASSERT_TRUE(logic.Command(GprsCommand::ContextConnect));
    // ETX first, then the probe and the stop.
    const QList<QByteArray> writes = port.Writes().mid(before);
    ASSERT_GE(writes.size(), 2);
    EXPECT_EQ(writes.first(), "\x03");
    EXPECT_EQ(writes.last(), "AT#LTCPSTOP\r");
    EXPECT_FALSE(logic.tcpSessionOpen);
}

TEST_F(GprsPage, PingUnchangedWritesNoConfigButStillPings)
{
    AnswerTcpRead("100", "CONNECTED");
    Shown();
    modem.Answer("AT*WPINGCONFIG?", "\r\n*WPINGCONFIG: 1,4,\"10.0.0.1\"\r\n" + kOk);
    EXPECT_TRUE(logic.Command(GprsCommand::Ping));
    EXPECT_TRUE(ping.shownRead);
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT", "AT*WPINGCONFIG?", "AT*WPING"}));
}

TEST_F(GprsPage, PingChangedWritesTheConfigFirst)
{
    AnswerTcpRead("100", "CONNECTED");
    Shown();
    modem.Answer("AT*WPINGCONFIG?", "\r\n*WPINGCONFIG: 1,4,\"10.0.0.1\"\r\n" + kOk);
    modem.Answer("AT*WPINGCONFIG=2,4,\"10.0.0.9\"", kOk);
    ping.edit = [](PingForm &f) {
        f.delay.text = "2";
        f.address.octets[3] = 9;
    };
    EXPECT_TRUE(logic.Command(GprsCommand::Ping));
    EXPECT_EQ(Sent().mid(2), (QList<QByteArray>{"AT", "AT*WPINGCONFIG=2,4,\"10.0.0.9\"", "AT*WPING"}));
}

TEST_F(GprsPage, PingAfterAFailedConfigReadWritesTheFieldsAndCancelSendsNothing)
{
    AnswerTcpRead("100", "CONNECTED");
    Shown();
    modem.Answer("AT*WPINGCONFIG?", "\r\nERROR\r\n");
    ping.accept = false;
    EXPECT_FALSE(logic.Command(GprsCommand::Ping));
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT", "AT*WPINGCONFIG?"}));
    ping.accept = true;
    ping.edit = [](PingForm &f) {
        f.delay.text = "1";
        f.count.text = "4";
    };
    modem.Answer("AT*WPINGCONFIG=1,4,\"0.0.0.0\"", kOk);
    EXPECT_TRUE(logic.Command(GprsCommand::Ping));
    EXPECT_FALSE(ping.shownRead);
    EXPECT_EQ(Sent().mid(Sent().size() - 2), (QList<QByteArray>{"AT*WPINGCONFIG=1,4,\"0.0.0.0\"", "AT*WPING"}));
}

TEST_F(GprsPage, ActionsWhileBusyAreSilentNoOps)
{
    AnswerTcpRead();
    Shown();
    session.SetBusy(true);
    for (GprsCommand c : {GprsCommand::Change, GprsCommand::Activate, GprsCommand::ContextConnect,
                          GprsCommand::GprsConnect, GprsCommand::Start, GprsCommand::Stop})
        EXPECT_FALSE(logic.Command(c));
    EXPECT_TRUE(Sent().isEmpty());
    EXPECT_TRUE(prompts.Texts().isEmpty());
    // The Ping dialog still opens, empty, and OK still pings.
    EXPECT_TRUE(logic.Command(GprsCommand::Ping));
    EXPECT_EQ(ping.runs, 1);
    EXPECT_EQ(Sent(), QList<QByteArray>{"AT*WPING"});
    session.SetBusy(false);
}

struct WrapCase {
    const char *name;
    GprsCommand command;
    const char *sent;
};

void PrintTo(const WrapCase &c, std::ostream *os)
{
    *os << c.name;
}

class GprsNumericActions : public GprsPage, public ::testing::WithParamInterface<WrapCase> {};

TEST_P(GprsNumericActions, AreWrappedInVerboseCodes)
{
    AnswerIpStackRead("CONNECTED");
    Firmware(GprsCommandSet::IpStack);
    Shown();
    modem.Answer("AT", "0\r");
    modem.Answer("ATV1", kOk);
    modem.Answer("ATV0", "0\r");
    modem.Answer(GetParam().sent, kOk);
    logic.Command(GetParam().command);
    const QList<QByteArray> sent = Sent();
    ASSERT_GE(sent.size(), 5) << sent.join(' ').constData();
    EXPECT_EQ(sent.mid(0, 3), (QList<QByteArray>{"AT", "ATV1", GetParam().sent}));
    EXPECT_EQ(sent.mid(sent.size() - 2), (QList<QByteArray>{"AT", "ATV0"}));
}

INSTANTIATE_TEST_SUITE_P(Gprs, GprsNumericActions,
                         ::testing::Values(WrapCase{"Change", GprsCommand::Change, "AT+CGATT=0"},
                                           WrapCase{"Activate", GprsCommand::Activate, "AT#CONNECTIONSTOP"},
                                           WrapCase{"ContextConnect", GprsCommand::ContextConnect, "AT#OTCP"},
                                           WrapCase{"Start", GprsCommand::Start, "AT*WTCPSTART"},
                                           WrapCase{"Stop", GprsCommand::Stop, "AT*WTCPSTOP"}),
                         [](const ::testing::TestParamInfo<WrapCase> &info) { return std::string(info.param.name); });

TEST_F(GprsPage, VerboseActionsSendNoResultCodeSwitch)
{
    AnswerTcpRead();
    Shown();
    modem.Answer("AT*WTCPSTART", kOk);
    EXPECT_TRUE(logic.Command(GprsCommand::Start));
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT", "AT*WTCPSTART"}));
}

TEST_F(GprsPage, ShownTextsForTheReport)
{
    AnswerTcpRead();
    Shown();
    const GprsShownTexts t = ShownTexts(Record());
    EXPECT_EQ(t.apn, "internet");
    EXPECT_EQ(t.userName, "user");
    EXPECT_EQ(t.password, "pw");
    EXPECT_EQ(t.ip, "10.0.0.1");
    EXPECT_EQ(t.delay, "100");
    EXPECT_EQ(t.port, "9000");
}

} // namespace
