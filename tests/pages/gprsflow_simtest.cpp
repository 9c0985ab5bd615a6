// The GPRS page against the simulator through the real serial path: each
// of the three command sets read, written and read back, and the page's
// actions on the firmwares that have them.
#include "pages/core/gprslogic.h"
#include "pages/pagehost.h"
#include "sim/simmodem.h"
#include "support/linerate.h"
#include "support/scriptedprompter.h"
#include "support/simlink.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace telvio;
using namespace telvio::test;

namespace {

class AcceptPing : public PingDialogs {
public:
    bool RunPing(PingDialog &dialog) override
    {
        dialog.form.delay.text = QStringLiteral("1");
        dialog.form.count.text = QStringLiteral("3");
        dialog.form.address.octets = {10, 1, 2, 3};
        return true;
    }
};

// A connected, identified modem with the GPRS page's logic on its session.
class GprsFlow {
public:
    explicit GprsFlow(const sim::SimConfig &config) : link(config)
    {
        link.session.SetPrompter(&prompts);
        link.session.SetHost(&host);
        link.session.SetTraceSink([this](TraceDirection dir, const QByteArray &bytes) {
            if (dir == TraceDirection::Sent)
                sent += bytes;
        });
        line = config.line;
    }

    bool Connect()
    {
        ConnectParams p;
        p.port = link.path;
        p.line.baud = line.baud;
        return link.session.Connect(p) == 1;
    }

    QByteArray Setting(const QByteArray &name, sim::ProfileSlot slot = sim::ProfileSlot::Active)
    {
        QByteArray value;
        link.modem.withModem([&](sim::SimModem &m) { value = m.state().value(name, slot); });
        return value;
    }
    QByteArray Variable(const QByteArray &name)
    {
        QByteArray value;
        link.modem.withModem([&](sim::SimModem &m) { value = m.state().variable(name); });
        return value;
    }
    // Waits, serving events, until `done` holds or `ms` have passed.
    bool WaitFor(const std::function<bool()> &done, int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < ms)
            link.session.Wait(20);
        return done();
    }
    QString Said() const { return prompts.Texts().join('\n'); }

    SimLink link;
    sim::LineSettings line;
    QByteArray sent;
    PageHost host;
    ScriptedPrompter prompts;
    AcceptPing pings;
    GprsLogic logic{link.session, prompts, pings};
};

struct SetCase {
    const char *name;
    sim::Model model;
    GprsCommandSet set;
};

void PrintTo(const SetCase &c, std::ostream *os)
{
    *os << c.name;
}

const std::vector<SetCase> kSets = {
    {"tcp firmware", sim::Model::Pike3, GprsCommandSet::TcpFirmware},
    {"ip stack", sim::Model::Orca1Us, GprsCommandSet::IpStack},
    {"plain", sim::Model::Orca1, GprsCommandSet::PlainGprs},
};

class GprsEverySet : public ::testing::TestWithParam<CaseAtRate<SetCase>> {
protected:
    const SetCase &Set() const { return std::get<0>(GetParam()); }
    sim::SimConfig Config() const
    {
        sim::SimConfig c;
        c.model = Set().model;
        return AtRate(c, std::get<1>(GetParam()));
    }
};

TEST_P(GprsEverySet, ReadWriteAndReadBack)
{
    GprsFlow f(Config());
    ASSERT_TRUE(f.link.Started());
    ASSERT_TRUE(f.Connect());
    ASSERT_EQ(f.link.session.Traits().gprs, Set().set);
    f.logic.Activate();
    ASSERT_TRUE(f.prompts.Log().isEmpty()) << qPrintable(f.Said());
    GprsForm &form = f.logic.form;
    EXPECT_EQ(form.attachState.current, 0);
    EXPECT_TRUE(form.apn.visible);

    form.apn.text = QStringLiteral("web.example");
    form.userName.text = QStringLiteral("guest");
    form.password.text = QStringLiteral("secret");
    form.serverIp.octets = {10, 0, 0, 1};
    form.port.text = QStringLiteral("1234");
    form.delay.text = QStringLiteral("115");
    form.autoConnect.Select(2);
    form.connectionMode.Select(1);
    form.clientIp.octets = {192, 168, 0, 7};
    form.tcpStatus.Select(1);
    form.syncMode.Select(0);
    form.syncDelay.text = QStringLiteral("300");
    form.syncIdle.text = QStringLiteral("40000");
    f.logic.Command(GprsCommand::Edited);
    EXPECT_TRUE(f.link.session.Flags(PageId::Gprs).modified);
    ASSERT_TRUE(f.logic.Command(GprsCommand::Write)) << qPrintable(f.Said());
    EXPECT_FALSE(f.link.session.Flags(PageId::Gprs).modified);

    const sim::ProfileSlot stored = sim::ProfileSlot::Stored;
    switch (Set().set) {
    case GprsCommandSet::TcpFirmware:
        EXPECT_EQ(f.Setting("*WGPRSAPN", stored), "\"web.example\"");
        EXPECT_EQ(f.Setting("*WGPRSPW", stored), "\"secret\"");
        EXPECT_EQ(f.Setting("*WTCPSERV", stored), "\"10.0.0.1\"");
        EXPECT_EQ(f.Setting("*WTCPTXDELAY", stored), "100");
        EXPECT_EQ(f.Setting("*WTCPCLIENTIP", stored), "\"192.168.0.7\"");
        EXPECT_EQ(f.Setting("*WTCPPINGSYNC", stored), "0,255,32767");
        EXPECT_EQ(f.Setting("*WTCPCONNECT", stored), "2");
        break;
    case GprsCommandSet::IpStack:
        EXPECT_EQ(f.Setting("#APNSERV", stored), "\"web.example\"");
        EXPECT_EQ(f.Setting("#APNUN", stored), "\"guest\"");
        EXPECT_EQ(f.Setting("#TCPSERV", stored), "\"10.0.0.1\"");
        EXPECT_EQ(f.Setting("#TCPPORT", stored), "1234");
        break;
    case GprsCommandSet::PlainGprs:
        EXPECT_EQ(f.Variable("CGDCONT_1"), "1,\"IP\",\"web.example\",\"0.0.0.0\",0,0");
        break;
    }

    // A page made anew shows what the modem holds now.
    GprsLogic again(f.link.session, f.prompts, f.pings);
    again.Activate();
    ASSERT_TRUE(f.prompts.Log().isEmpty()) << qPrintable(f.Said());
    EXPECT_EQ(again.form.apn.text, "web.example");
    if (Set().set != GprsCommandSet::PlainGprs) {
        EXPECT_EQ(again.form.userName.text, "guest");
        EXPECT_EQ(again.form.serverIp.octets, (Octets{10, 0, 0, 1}));
        EXPECT_EQ(again.form.port.text, "1234");
        EXPECT_EQ(again.form.delay.text, "100");
    }
    if (Set().set == GprsCommandSet::TcpFirmware) {
        EXPECT_EQ(again.form.syncDelay.text, "255");
        EXPECT_EQ(again.form.connectionMode.current, 1);
        EXPECT_EQ(again.form.clientIp.octets, (Octets{192, 168, 0, 7}));
    }
    EXPECT_FALSE(f.link.session.Busy());
}

TEST_P(GprsEverySet, AttachAndDetach)
{
    GprsFlow f(Config());
    ASSERT_TRUE(f.link.Started());
    ASSERT_TRUE(f.Connect());
    f.logic.Activate();
    f.logic.form.attachState.Select(1);
    f.logic.Command(GprsCommand::ListChosen);
    ASSERT_TRUE(f.logic.Command(GprsCommand::Change)) << qPrintable(f.Said());
    EXPECT_EQ(f.Setting("+CGATT"), "1");
    EXPECT_EQ(f.logic.form.attachState.current, 1);
    // The modem knows no combined detach: it says so, and the page shows
    // the state the modem is in.
    f.logic.form.attachState.Select(2);
    f.logic.Command(GprsCommand::ListChosen);
    EXPECT_FALSE(f.logic.Command(GprsCommand::Change));
    EXPECT_EQ(f.prompts.Texts(), QStringList{"Error: Unable to preform requested operation..."});
    EXPECT_EQ(f.logic.form.attachState.current, 1);
}

INSTANTIATE_TEST_SUITE_P(Gprs, GprsEverySet, EachAtBothRates(kSets), CaseAtRateName<SetCase>);

class GprsActionsOnTheSim : public AtBothRates {};

TEST_P(GprsActionsOnTheSim, TcpFirmwareConnectsPingsAndRunsTheSocket)
{
    sim::SimConfig c;
    c.assignments.append(sim::SimAssignment{"PING_SECOND_MS", "30"});
    GprsFlow f(Paced(c));
    ASSERT_TRUE(f.link.Started());
    ASSERT_TRUE(f.Connect());
    f.logic.Activate();
    EXPECT_EQ(f.logic.form.gprsConnect.caption, "Connect");
    EXPECT_FALSE(f.logic.form.ping.enabled);
    // The status turns CONNECTED a moment after the connect; the page asks
    // after its pause.
    ASSERT_TRUE(f.logic.Command(GprsCommand::GprsConnect)) << qPrintable(f.Said());
    EXPECT_EQ(f.logic.form.gprsConnect.caption, "Disconnect");
    EXPECT_TRUE(f.logic.form.ping.enabled);

    ASSERT_TRUE(f.logic.Command(GprsCommand::Ping));
    EXPECT_EQ(f.Setting("*WPINGCONFIG"), "1,3,\"10.1.2.3\"");
    // The results arrive later, as the modem's own lines; at the real line
    // rate the last one comes in character by character.
    EXPECT_TRUE(f.WaitFor([&f] { return f.host.terminal.contains("*WPING: 3,\"10.1.2.3\""); }, 5000))
        << f.host.terminal.constData();
    EXPECT_EQ(f.host.terminal.count("*WPING: "), 3);

    ASSERT_TRUE(f.logic.Command(GprsCommand::Start));
    EXPECT_EQ(f.Variable("TCP_STATE"), "STARTED");
    ASSERT_TRUE(f.logic.Command(GprsCommand::Stop));
    EXPECT_EQ(f.Variable("TCP_STATE"), "STOPPED");
    ASSERT_TRUE(f.logic.Command(GprsCommand::GprsConnect));
    EXPECT_EQ(f.Variable("GPRS_STATE"), "DISCONNECTED");
    EXPECT_EQ(f.logic.form.gprsConnect.caption, "Connect");
    EXPECT_TRUE(f.prompts.Log().isEmpty()) << qPrintable(f.Said());
}

TEST_P(GprsActionsOnTheSim, IpStackActivatesAndRunsASessionThatEtxEnds)
{
    sim::SimConfig c;
    c.model = sim::Model::Orca1Us;
    GprsFlow f(Paced(c));
    ASSERT_TRUE(f.link.Started());
    ASSERT_TRUE(f.Connect());
    f.logic.Activate();
    EXPECT_FALSE(f.logic.contextActive);
    ASSERT_TRUE(f.logic.Command(GprsCommand::Activate));
    EXPECT_EQ(f.Variable("CONTEXT"), "1");
    EXPECT_EQ(f.logic.form.activate.caption, "Deactivate");
    EXPECT_TRUE(f.host.terminal.contains("Ok_Info_GprsActivation"));

    ASSERT_TRUE(f.logic.Command(GprsCommand::ContextConnect));
    EXPECT_EQ(f.Variable("TCP_SESSION"), "client");
    ASSERT_TRUE(f.logic.Command(GprsCommand::ContextConnect));
    EXPECT_TRUE(f.WaitFor([&f] { return f.Variable("TCP_SESSION") == "0"; }, 2000));
    // Out of the data mode: the modem takes commands again.
    ASSERT_TRUE(f.logic.Command(GprsCommand::Read)) << qPrintable(f.Said());
    EXPECT_TRUE(f.logic.contextActive);
    EXPECT_EQ(f.Variable("TCP_DATA"), "");
}

TELVIO_AT_BOTH_RATES(GprsActionsOnTheSim);

// The modem takes the connect and never gets there: the status it reports
// after the pause decides.
TEST(GprsNoNetwork, LeavesTheConnectionDown)
{
    sim::SimConfig c;
    c.assignments.append(sim::SimAssignment{"GPRS_COVERAGE", "0"});
    c.assignments.append(sim::SimAssignment{"GPRS_CONNECT_MS", "100"});
    GprsFlow f(c);
    ASSERT_TRUE(f.link.Started());
    ASSERT_TRUE(f.Connect());
    f.logic.Activate();
    EXPECT_FALSE(f.logic.Command(GprsCommand::GprsConnect));
    EXPECT_EQ(f.logic.form.gprsConnect.caption, "Connect");
    EXPECT_FALSE(f.logic.form.ping.enabled);
    EXPECT_FALSE(f.link.session.Busy());
}

// A modem found numeric with echo is numeric again after every transfer.
TEST(GprsNumericModem, EveryTransferRestoresNumericCodes)
{
    sim::SimConfig c;
    c.verbose = false;
    c.echo = true;
    GprsFlow f(c);
    ASSERT_TRUE(f.link.Started());
    ASSERT_TRUE(f.Connect());
    f.logic.Activate();
    ASSERT_TRUE(f.prompts.Log().isEmpty()) << qPrintable(f.Said());
    EXPECT_EQ(f.Setting("V"), "0");
    f.logic.form.apn.text = QStringLiteral("numeric.apn");
    f.logic.Command(GprsCommand::Edited);
    ASSERT_TRUE(f.logic.Command(GprsCommand::Write)) << qPrintable(f.Said());
    EXPECT_EQ(f.Setting("V"), "0");
    // The store ran numeric again: the next power-up is numeric too.
    EXPECT_EQ(f.Setting("V", sim::ProfileSlot::Stored), "0");
    EXPECT_EQ(f.Setting("*WGPRSAPN", sim::ProfileSlot::Stored), "\"numeric.apn\"");
    // Refused (no GPRS connection yet), and numeric all the same.
    EXPECT_FALSE(f.logic.Command(GprsCommand::Start));
    EXPECT_EQ(f.Setting("V"), "0");
    EXPECT_FALSE(f.link.session.Busy());
}

} // namespace
