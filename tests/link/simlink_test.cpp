#include "link/core/autoconnect.h"
#include "link/core/identification.h"
#include "support/linerate.h"
#include "support/scriptedprompter.h"
#include "support/simlink.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace telvio;
using namespace telvio::test;

namespace {

sim::SimConfig Config(sim::Model model = sim::Model::Pike3)
{
    sim::SimConfig c;
    c.model = model;
    return c;
}

struct ProbeModeCase {
    const char *name;
    bool verbose;
    bool echo;
    bool quiet;
    int result;
};

void PrintTo(const ProbeModeCase &c, std::ostream *os)
{
    *os << c.name;
}

class ProbeOverTheLine : public ::testing::TestWithParam<CaseAtRate<ProbeModeCase>> {};

TEST_P(ProbeOverTheLine, LearnsTheModemsMode)
{
    const ProbeModeCase &c = std::get<0>(GetParam());
    sim::SimConfig config = AtRate(Config(), std::get<1>(GetParam()));
    config.verbose = c.verbose;
    config.echo = c.echo;
    config.quiet = c.quiet;
    config.line.baud = 115200; // short waits for the quiet case's timeouts
    SimLink link(config);
    ASSERT_TRUE(link.Started());
    ASSERT_TRUE(link.Open("115200,N,8,1"));
    EXPECT_EQ(link.session.Probe(), c.result) << c.name;
    EXPECT_EQ(link.session.Verbose(), c.verbose) << c.name;
    EXPECT_EQ(link.session.Echo(), c.echo) << c.name;
    EXPECT_EQ(link.session.Quiet(), c.quiet ? 1 : 0) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Modes, ProbeOverTheLine,
                         EachAtBothRates(std::vector<ProbeModeCase>{{"verbose", true, false, false, 1},
                                                                    {"verbose with echo", true, true, false, 1},
                                                                    {"numeric", false, false, false, 2},
                                                                    {"numeric with echo", false, true, false, 2},
                                                                    {"quiet with echo", true, true, true, 1},
                                                                    {"quiet", true, false, true, 1}}),
                         CaseAtRateName<ProbeModeCase>);

class SimLinkExchange : public AtBothRates {};

TEST_P(SimLinkExchange, MismatchedRateGetsNoAnswer)
{
    sim::SimConfig config = Paced(Config());
    config.line.baud = 19200;
    SimLink link(config);
    ASSERT_TRUE(link.Open("115200,N,8,1"));
    QByteArray cmd = "AT";
    EXPECT_EQ(link.session.Exchange(cmd, 1, "OK\r\n", "ERROR"), ExTimeout);
    EXPECT_FALSE(cmd.contains("OK")); // noise, not an answer
    // The same modem at its own rate answers.
    link.comm.SetSettings("19200,N,8,1");
    link.session.SetPollUnit(19200);
    cmd = "AT";
    EXPECT_EQ(link.session.Exchange(cmd, 1, "OK\r\n", "ERROR"), ExSuccess);
}

TEST_P(SimLinkExchange, HangUpDuringAWaitEndsItAtOnce)
{
    SimLink link(Paced(Config()));
    ASSERT_TRUE(link.Open());
    link.modem.addFault(sim::Fault{"+CGSN", sim::FaultKind::HangUp, 0, true});
    QByteArray cmd = "AT+CGSN";
    EXPECT_EQ(link.session.Exchange(cmd, 3, "OK\r\n", "ERROR"), ExLinkDown);
    // Ended well inside the wait, not by running it out.
    EXPECT_LT(link.session.TickCount(), 3 * link.session.PollUnit());
    EXPECT_FALSE(link.session.LinkUp());
    EXPECT_FALSE(link.comm.PortOpen());
    // Nothing more goes out, and nothing hangs.
    cmd = "AT";
    EXPECT_EQ(link.session.Exchange(cmd, 3, "OK\r\n", "ERROR"), ExLinkDown);
    EXPECT_EQ(cmd, ModemSession::kDisconnectedText);
}

TEST_P(SimLinkExchange, ErrorAndDelayFaults)
{
    SimLink link(Paced(Config()));
    ASSERT_TRUE(link.Open());
    link.modem.addFault(sim::Fault{"+CPIN?", sim::FaultKind::Error, 0, true});
    QByteArray cmd = "AT+CPIN?";
    EXPECT_EQ(link.session.Exchange(cmd, 3, "+CPIN:\n", "ERROR\n"), ExError);
    link.modem.addFault(sim::Fault{"+CPIN?", sim::FaultKind::Delay, 400, true});
    cmd = "AT+CPIN?";
    EXPECT_EQ(link.session.Exchange(cmd, 3, "+CPIN:\n", "ERROR\n"), ExSuccess);
    EXPECT_TRUE(cmd.contains("READY"));
}

TELVIO_AT_BOTH_RATES(SimLinkExchange);

struct ModelCase {
    sim::Model model;
    int code;
    const char *name;
    int maker;
    int extended;
    int pages; // pages added besides the Connection page
};

void PrintTo(const ModelCase &c, std::ostream *os)
{
    *os << c.name;
}

class ConnectEveryModel : public ::testing::TestWithParam<CaseAtRate<ModelCase>> {};

TEST_P(ConnectEveryModel, InEveryResultCodeMode)
{
    const ModelCase &c = std::get<0>(GetParam());
    const LineRate rate = std::get<1>(GetParam());
    for (const bool verbose : {true, false}) {
        for (const bool echo : {true, false}) {
            sim::SimConfig config = AtRate(Config(c.model), rate);
            config.verbose = verbose;
            config.echo = echo;
            SimLink link(config);
            ASSERT_TRUE(link.Started());
            ConnectParams p;
            p.port = link.path;
            ASSERT_EQ(link.session.Connect(p), 1) << c.name << " verbose " << verbose << " echo " << echo;
            EXPECT_EQ(int(link.session.Traits().model), c.code);
            EXPECT_EQ(link.session.ModelName(), QString(c.name));
            EXPECT_EQ(int(link.session.Traits().makerFirmware), c.maker) << c.name << " verbose " << verbose << " echo " << echo;
            EXPECT_EQ(int(link.session.Traits().extendedFirmware), c.extended) << c.name << " verbose " << verbose;
            EXPECT_EQ(link.session.SimStatus(), 1);
            EXPECT_EQ(link.session.Imei().size(), 15);
            int added = 0;
            for (PageId page : {PageId::Basic, PageId::Serial, PageId::Sms, PageId::Gprs, PageId::Signal,
                                PageId::Diagnostic, PageId::Io, PageId::Callback})
                added += link.session.Flags(page).added ? 1 : 0;
            EXPECT_EQ(added, c.pages);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Models, ConnectEveryModel,
                         EachAtBothRates(std::vector<ModelCase>{{sim::Model::Orca1, 1, "Orca-1", 0, 0, 6},
                                                                {sim::Model::Orca1Us, 2, "Orca-1 US", 0, 1, 6},
                                                                {sim::Model::Pike2, 3, "Pike-2", 1, 1, 6},
                                                                {sim::Model::Pike3, 4, "Pike-3", 1, 1, 8}}),
                         CaseAtRateName<ModelCase>);

class ConnectOverTheLine : public AtBothRates {};

TEST_P(ConnectOverTheLine, SimStatesAndTheSmsPage)
{
    const struct {
        sim::SimCard card;
        int status;
    } cases[] = {{sim::SimCard::Absent, 0}, {sim::SimCard::PinRequired, 2}, {sim::SimCard::PukRequired, 3}};
    for (const auto &c : cases) {
        sim::SimConfig config = Paced(Config(sim::Model::Pike2));
        config.sim = c.card;
        SimLink link(config);
        ConnectParams p;
        p.port = link.path;
        ASSERT_EQ(link.session.Connect(p), 1);
        EXPECT_EQ(link.session.SimStatus(), c.status);
        EXPECT_EQ(link.session.Flags(PageId::Sms).added, c.status != 0);
        EXPECT_TRUE(link.session.Flags(PageId::Gprs).added);
    }
}

TEST_P(ConnectOverTheLine, UnknownImeiAndPike2Precedence)
{
    sim::SimConfig config = Paced(Config(sim::Model::Pike2));
    config.imei = "358021081917381";
    {
        SimLink link(config);
        ConnectParams p;
        p.port = link.path;
        EXPECT_EQ(link.session.Connect(p), 0);
        EXPECT_FALSE(link.comm.PortOpen());
        EXPECT_FALSE(link.session.LinkUp());
    }
    config.imei = "351079009991230";
    SimLink link(config);
    ConnectParams p;
    p.port = link.path;
    EXPECT_EQ(link.session.Connect(p), 1);
    EXPECT_EQ(link.session.ModelName(), QString("Pike-2"));
}

TEST_P(ConnectOverTheLine, OldEmbeddedVersionIsNotExtended)
{
    sim::SimConfig config = Paced(Config(sim::Model::Pike3));
    config.wopenVersion = "3.0";
    SimLink link(config);
    ConnectParams p;
    p.port = link.path;
    ASSERT_EQ(link.session.Connect(p), 1);
    EXPECT_EQ(int(link.session.Traits().makerFirmware), 1);
    EXPECT_EQ(int(link.session.Traits().extendedFirmware), 0);
}

TELVIO_AT_BOTH_RATES(ConnectOverTheLine);

// At full speed only: its 40 s go into the 31 attempts at settings where
// nothing answers, whose timeouts the pacing does not change; the one
// attempt that finds the modem is a connect like those above.
TEST(AutoconnectOverTheLine, FindsAModemAtAnotherRateAndFraming)
{
    sim::SimConfig config = Config(sim::Model::Pike3);
    config.line.baud = 19200;
    config.line.stopBits = 2;
    SimLink link(config);
    ScriptedPrompter prompts;
    link.session.SetPrompter(&prompts);
    int attempts = 0;
    const int r = RunAutoconnectSearch(link.session, link.path, "pts", [&](int n, const QString &) { attempts = n; },
                                       [] { return false; });
    EXPECT_EQ(r, 1);
    EXPECT_TRUE(link.session.Connected());
    EXPECT_EQ(link.session.BaudText(), QString("19200"));
    EXPECT_EQ(link.session.StopBitsText(), QString("2"));
    // 10 first-round tries, 7 each at 115200, 57600 and 38400, then 8N2 at 19200.
    EXPECT_EQ(attempts, 32);
    EXPECT_TRUE(prompts.Log().isEmpty());
}

} // namespace

namespace {

// At the real line rate identification's "AT+CPIN?" exchange is satisfied by
// "+CPIN: READY" while the rest of that answer is still on the wire. Every
// read after it must still get its own answer, in either result-code format.
class ReadAfterIdentify : public ::testing::TestWithParam<bool> {};

TEST_P(ReadAfterIdentify, GetsEachCommandsOwnAnswerAtTheRealRate)
{
    sim::SimConfig config = Config();
    config.realRate = true;
    config.verbose = GetParam();
    config.echo = true;
    SimLink link(config);
    ASSERT_TRUE(link.Started());
    ConnectParams p;
    p.port = link.path;
    ASSERT_EQ(link.session.Connect(p), 1);
    ASSERT_EQ(link.session.SimStatus(), 1);
    ModemSession &s = link.session;
    QByteArray answer = "ATS0=3";
    ASSERT_EQ(s.ExchangeLine(answer, 3, "OK\r\n", "0\r"), ExSuccess) << answer.constData();
    answer = "ATS0?";
    ASSERT_EQ(s.ExchangeLine(answer, 3, "OK\r\n", "0\r"), ExSuccess);
    EXPECT_TRUE(answer.startsWith("ATS0?\r")) << answer.constData();
    EXPECT_TRUE(answer.contains("003")) << answer.constData();
    answer = "AT+CBST?";
    const QByteArray cbst = s.Verbose() ? "+CBST:\rOK\r\n" : "+CBST:\r0\r";
    ASSERT_EQ(s.Exchange(answer, 3, cbst, s.Verbose() ? "ERROR" : "4\r"), ExSuccess);
    EXPECT_TRUE(answer.startsWith("AT+CBST?\r")) << answer.constData();
    EXPECT_TRUE(answer.contains("+CBST: ")) << answer.constData();
    answer = "AT+CGSN";
    ASSERT_EQ(s.ExchangeLine(answer, 3, "OK\r\n", "0\r"), ExSuccess);
    EXPECT_TRUE(answer.contains(s.Imei())) << answer.constData();
    answer = "AT+CPIN?";
    ASSERT_EQ(s.Exchange(answer, 3, "+CPIN:\n", "ERROR\n"), ExSuccess);
    // Straight after an answer cut short: the next one is still its own.
    answer = "ATS0?";
    ASSERT_EQ(s.ExchangeFinal(answer, 3), ExSuccess);
    EXPECT_TRUE(answer.startsWith("ATS0?\r")) << answer.constData();
    EXPECT_TRUE(answer.contains("003")) << answer.constData();
}

INSTANTIATE_TEST_SUITE_P(ResultCodes, ReadAfterIdentify, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return std::string(info.param ? "verbose" : "numeric");
                         });

} // namespace
