#include "link/sessionfixture.h"

using namespace telvio;
using namespace telvio::test;

namespace {

struct ProbeCase {
    const char *name;
    QByteArray atAnswer; // what the modem sends for "AT\r" (echo included)
    int result;
    bool verbose;
    bool echo;
};

void PrintTo(const ProbeCase &c, std::ostream *os)
{
    *os << c.name;
}

class ProbeModes : public SessionTest, public ::testing::WithParamInterface<ProbeCase> {};

TEST_P(ProbeModes, LearnsResultCodeFormatAndEcho)
{
    const ProbeCase &c = GetParam();
    modem.Answer("AT", c.atAnswer);
    session.SetVerbose(!c.verbose); // must be overwritten
    EXPECT_EQ(session.Probe(), c.result) << c.name;
    EXPECT_EQ(session.Verbose(), c.verbose) << c.name;
    EXPECT_EQ(session.Echo(), c.echo) << c.name;
    EXPECT_EQ(session.Quiet(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ProbeModes,
    ::testing::Values(ProbeCase{"verbose", "\r\nOK\r\n", 1, true, false},
                      ProbeCase{"verbose with echo", "AT\r\r\nOK\r\n", 1, true, true},
                      ProbeCase{"numeric", "0\r", 2, false, false},
                      ProbeCase{"numeric with echo", "AT\r0\r", 2, false, true}));

TEST_F(SessionTest, ProbeEndsAnyPartialLineAndWaitsBeforeAsking)
{
    session.options.delayBeforeAT = 100;
    modem.Answer("AT", "\r\nOK\r\n");
    session.Probe();
    ASSERT_GE(port.Writes().size(), 2);
    EXPECT_EQ(port.Writes().at(0), QByteArray("\r")); // bare CR, no CR appended, not delayed
    EXPECT_EQ(port.Writes().at(1), QByteArray("AT\r"));
    EXPECT_EQ(pump.SleepStarts().front(), 0);
    EXPECT_EQ(pump.Sleeps(), (std::vector<int>{200, 100})); // 40 x 5 ms, then the delay
}

TEST_F(SessionTest, ProbeSwitchesResultCodesBackOnForAQuietModem)
{
    // ATQ1 with echo: "AT" only comes back as its echo.
    bool quietMode = true;
    port.SetResponder([&](const QByteArray &w) {
        QByteArray reply = w; // echo
        if (w == "ATQ0\r")
            quietMode = false;
        if (w != "\r" && !quietMode)
            reply += "\r\nOK\r\n";
        pump.FeedAfter(&port, 1, reply);
    });
    EXPECT_EQ(session.Probe(), ExSuccess);
    EXPECT_EQ(session.Quiet(), 1);
    EXPECT_TRUE(session.Verbose());
    EXPECT_TRUE(session.Echo());
    EXPECT_EQ(port.Writes(), (QList<QByteArray>{"\r", "AT\r", "AT\r", "ATQ0\r", "AT\r"}));
}

TEST_F(SessionTest, ProbeOfASilentLineReportsNoModem)
{
    EXPECT_EQ(session.Probe(), ExTimeout);
    EXPECT_EQ(session.Quiet(), 0);
    EXPECT_FALSE(session.Echo());
    EXPECT_EQ(port.Writes(), (QList<QByteArray>{"\r", "AT\r", "AT\r", "ATQ0\r"}));
}

TEST_F(SessionTest, ProbeSecondTryKeepsTheVerboseFlag)
{
    int ats = 0;
    port.SetResponder([&](const QByteArray &w) {
        if (w == "AT\r" && ++ats == 2)
            pump.FeedAfter(&port, 1, "0\r");
    });
    session.SetVerbose(true);
    EXPECT_EQ(session.Probe(), ExError);
    EXPECT_TRUE(session.Verbose());
}

TEST_F(SessionTest, ProbeOnADeadLinkReportsLinkDown)
{
    session.SetConnected(false);
    EXPECT_EQ(session.Probe(), ExLinkDown);
    EXPECT_EQ(session.Quiet(), 0);
}

TEST_F(SessionTest, FastProbeUsesAFifthOfTheUnit)
{
    session.SetFastProbe(true);
    session.SetPollUnit(115200);
    EXPECT_EQ(session.PollUnit(), 4);
    session.Probe(); // silent line: 3 exchanges of factor 1 at 4 ticks, plus the 20 ms sleep
    EXPECT_EQ(pump.Sleeps(), std::vector<int>{20});
    EXPECT_EQ(pump.Now(), 12);
}

} // namespace
