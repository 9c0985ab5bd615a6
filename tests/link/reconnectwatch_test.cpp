// Reconnecting after the modem was unplugged: the path watched for a
// minute, the question, the automatic option, and nothing read but the
// identity.
#include "link/core/reconnectwatch.h"
#include "link/sessionfixture.h"
#include "support/scriptedprompter.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace telvio;
using namespace telvio::test;

namespace {

class StatusHost : public RecordingHost {
public:
    void SetStatusBarConnected(bool c) override { statusBarConnected = c; }
    bool statusBarConnected = false;
};

// What happens to the path after the link went down, poll by poll
// (half a second apart): 'g' gone, 'b' back.
struct Case {
    const char *name;
    const char *path;
    bool automatic;
    bool answer; // to the question, when asked
    ReconnectWatch::Outcome outcome;
    bool asked;
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.name;
}

class ReconnectAfterUnplug : public ::testing::TestWithParam<Case> {
protected:
    ReconnectAfterUnplug()
    {
        pump.Attach(&session);
        session.SetPrompter(&prompts);
        modem.Answer("AT", "\r\nOK\r\n");
        modem.Answer("AT+CGSN", "\r\n357831001234567\r\n\r\nOK\r\n");
        modem.Answer("ATI9", "\r\n\"DWL\",\"6200\"\r\n\r\nOK\r\n");
        modem.Answer("AT+WOPEN=2", "\r\n+WOPEN: 2,\"AT v3.10\"\r\n\r\nOK\r\n");
        modem.Answer("AT+CPIN?", "\r\n+CPIN: READY\r\n\r\nOK\r\n");
        modem.Answer("AT+ICF?", "\r\n+ICF: 3,4\r\n\r\nOK\r\n");
        watch.SetExists([this](const QString &path) {
            EXPECT_EQ(path, QStringLiteral("/dev/ttyUSB0"));
            return present;
        });
    }
    bool ConnectFirst()
    {
        ConnectParams p;
        p.port = QStringLiteral("/dev/ttyUSB0");
        p.line.baud = 19200;
        return session.Connect(p) == 1;
    }

    MemoryPort port;
    ScriptedPump pump;
    StatusHost host;
    ScriptedPrompter prompts;
    ModemSession session{&port, &host, &pump};
    FakeModem modem{&port, &pump};
    ReconnectWatch watch{session, prompts};
    bool present = true;
};

TEST_P(ReconnectAfterUnplug, PathWatchedForAMinute)
{
    const Case &c = GetParam();
    ASSERT_TRUE(ConnectFirst());
    const PortSettings line = session.Line();
    const QList<QByteArray> identification = port.CommandLines();
    port.Unplug();
    ASSERT_FALSE(session.LinkUp());
    watch.SetAutomatic(c.automatic);
    watch.LinkLost(0);
    ASSERT_TRUE(watch.Watching());
    prompts.AnswerQuestion(c.answer);

    ReconnectWatch::Outcome outcome = ReconnectWatch::Outcome::Waiting;
    qint64 now = 0;
    for (const char *step = c.path; *step && outcome == ReconnectWatch::Outcome::Waiting; ++step) {
        now += 500;
        present = *step == 'b';
        outcome = watch.Poll(now);
    }
    if (outcome == ReconnectWatch::Outcome::Waiting)
        outcome = watch.Poll(ReconnectWatch::kWindowMs + 1);
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_FALSE(watch.Watching());
    EXPECT_EQ(prompts.Log().size(), c.asked ? 1 : 0);
    if (c.asked)
        EXPECT_EQ(prompts.Log().first().text, "The device /dev/ttyUSB0 is back.\nReconnect at " + line.ToString() + "?");
    const bool back = c.outcome == ReconnectWatch::Outcome::Reconnected;
    EXPECT_EQ(session.Connected(), back);
    EXPECT_EQ(host.statusBarConnected, back);
    if (back) {
        EXPECT_EQ(session.Line(), line) << "the last rate and framing";
        // Identified again, and not one page read: the user asks for those.
        EXPECT_EQ(port.CommandLines().mid(identification.size()), identification);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReconnectAfterUnplug,
    ::testing::Values(Case{"OfferedAndAccepted", "ggb", false, true, ReconnectWatch::Outcome::Reconnected, true},
                      Case{"OfferedAndDeclined", "gb", false, false, ReconnectWatch::Outcome::Declined, true},
                      Case{"AutomaticAsksNothing", "gggb", true, false, ReconnectWatch::Outcome::Reconnected, false},
                      // A hang-up with the device still there is no unplugging.
                      Case{"NeverGoneNotOffered", "bbbb", false, true, ReconnectWatch::Outcome::Expired, false},
                      Case{"NotBackWithinAMinute", "gggg", true, true, ReconnectWatch::Outcome::Expired, false}),
    [](const ::testing::TestParamInfo<Case> &info) { return std::string(info.param.name); });

TEST_F(ReconnectAfterUnplug, ConnectedByHandMeanwhileStopsTheWatch)
{
    ASSERT_TRUE(ConnectFirst());
    port.Unplug();
    watch.LinkLost(0);
    present = false;
    EXPECT_EQ(watch.Poll(500), ReconnectWatch::Outcome::Waiting);
    ASSERT_TRUE(ConnectFirst());
    present = true;
    EXPECT_EQ(watch.Poll(1000), ReconnectWatch::Outcome::Idle);
    EXPECT_TRUE(prompts.Log().isEmpty());
}

} // namespace
