// The Signal page's cycle and polling states on the in-memory line.
#include "link/core/modemsession.h"
#include "monitor/core/signallogic.h"
#include "pages/pagehost.h"
#include "support/fakemodem.h"
#include "support/linerate.h"
#include "support/memoryport.h"
#include "support/scriptedpump.h"

#include <gtest/gtest.h>

using namespace telvio;
using namespace telvio::test;

namespace {

// The main window's signal timer as the page drives it.
class TimerLog : public SignalTimerControl {
public:
    void StartSignalTimer(int intervalMs) override
    {
        running = true;
        interval = intervalMs;
        calls << QStringLiteral("start %1").arg(intervalMs);
    }
    void StopSignalTimer() override
    {
        running = false;
        calls << QStringLiteral("stop");
    }
    bool running = false;
    int interval = 0;
    QStringList calls;
};

const QByteArray kOk = "\r\nOK\r\n";
const QByteArray kMain = "\r\n+CCED: 240,01,1a2b,3c4d,35,62,40,40,38,0,0,0,0\r\n\r\nOK\r\n";
const QByteArray kThreeNeighbours =
    "\r\n+CCED: 240,01,1a2b,3c4e,21,70,16,240,01,1a2b,5f01,17,75,28,240,02,2b10,0a11,40,81,29\r\n\r\nOK\r\n";

class SignalCycle : public ::testing::Test {
protected:
    SignalCycle()
    {
        pump.Attach(&session);
        port.SetSettings(QStringLiteral("9600,N,8,1"));
        port.SetPortOpen(true);
        session.SetConnected(true);
        session.SetPollUnit(9600);
        session.SetDefaults();
    }

    void AnswerAll(const QByteArray &probe = kOk)
    {
        modem.Answer("AT", probe);
        modem.Answer("at+cced=0,1", kMain);
        modem.Answer("at+csq", "\r\n+CSQ: 20,3\r\n\r\nOK\r\n");
        modem.Answer("at+cced=0,2", kThreeNeighbours);
        modem.Answer("at+wopn=0,24001", "\r\n+WOPN: 0,\"Nordvik Mobil\"\r\n\r\nOK\r\n");
        modem.Answer("at+wopn=0,24002", "\r\n+WOPN: 0,\"Kestnet\"\r\n\r\nOK\r\n");
    }
    QList<QByteArray> Sent() const { return port.CommandLines(); }

    MemoryPort port;
    ScriptedPump pump;
    PageHost host;
    ModemSession session{&port, &host, &pump};
    FakeModem modem{&port, &pump};
    TimerLog timer;
    SignalLogic logic{session, &timer};
};

TEST_F(SignalCycle, FillsThreeNeighboursAndEmptiesTheRest)
{
    AnswerAll();
    ASSERT_TRUE(logic.RunMeasurement());
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT", "at+cced=0,1", "at+csq", "at+cced=0,2", "at+wopn=0,24001",
                                         "at+wopn=0,24001", "at+wopn=0,24001", "at+wopn=0,24002"}));
    const auto &c = logic.Cells();
    EXPECT_EQ(c[0].operatorName, "Nordvik Mobil");
    EXPECT_EQ(c[0].cellId, "3c4d");
    EXPECT_EQ(c[0].rxlev, 40);
    EXPECT_EQ(c[0].colour, SignalColour::Green);
    EXPECT_EQ(logic.BerLabel(), "3  (0.8%<BER<1.6%)");
    // 16 and 28 are the initial thresholds: both are amber.
    EXPECT_EQ(c[1].cellId, "3c4e");
    EXPECT_EQ(c[1].colour, SignalColour::Amber);
    EXPECT_EQ(c[2].rxlev, 28);
    EXPECT_EQ(c[2].colour, SignalColour::Amber);
    EXPECT_EQ(c[3].operatorName, "Kestnet");
    EXPECT_EQ(c[3].colour, SignalColour::Green);
    for (int n = 4; n <= 6; ++n) {
        EXPECT_TRUE(c[n].operatorName.isEmpty());
        EXPECT_TRUE(c[n].cellId.isEmpty());
        EXPECT_EQ(c[n].rxlev, 0);
        EXPECT_EQ(c[n].colour, SignalColour::Red);
        EXPECT_FALSE(c[n].present);
    }
    EXPECT_EQ(timer.calls, (QStringList{"stop", "start 3000"}));
    EXPECT_EQ(logic.History().Size(), 1);
    EXPECT_EQ(logic.History().At(0).rxlev[3], 29);
}

TEST_F(SignalCycle, ThresholdsAreReadFromTheListsAtEachCycle)
{
    AnswerAll();
    logic.ChooseRed(SignalForm::RedItems().indexOf("20"));
    logic.ChooseGreen(SignalForm::GreenItems().indexOf("20"));
    ASSERT_TRUE(logic.RunMeasurement());
    EXPECT_EQ(logic.Cells()[1].colour, SignalColour::Red);   // 16 < 20
    EXPECT_EQ(logic.Cells()[2].colour, SignalColour::Green); // 28 > 20
}

TEST_F(SignalCycle, MissingSignalPairShowsBerUnknown)
{
    AnswerAll();
    modem.Answer("at+csq", kOk);
    ASSERT_TRUE(logic.RunMeasurement());
    EXPECT_EQ(logic.BerLabel(), "99 (BER Unknown)");
    EXPECT_EQ(logic.Cells()[0].rxlev, 40);
}

TEST_F(SignalCycle, RefusedOperatorStallsAndKeepsTheLastGoodValues)
{
    AnswerAll();
    ASSERT_TRUE(logic.RunMeasurement());
    const auto before = logic.Cells();
    modem.Answer("at+cced=0,1", "\r\n+CCED: 240,01,1a2b,9999,35,62,10,10,10,0,0,0,0\r\n\r\nOK\r\n");
    modem.Answer("at+wopn=0,24002", "\r\nERROR\r\n");
    timer.calls.clear();
    EXPECT_FALSE(logic.RunMeasurement());
    EXPECT_EQ(Sent().last(), "at+wopn=0,24002");
    EXPECT_EQ(logic.Cells()[0].cellId, before[0].cellId);
    EXPECT_EQ(logic.Cells()[0].rxlev, before[0].rxlev);
    EXPECT_EQ(logic.BerLabel(), "3  (0.8%<BER<1.6%)");
    EXPECT_EQ(timer.calls, QStringList{"stop"});
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(logic.State(), PollingState::Stalled);
    EXPECT_EQ(logic.History().Size(), 1);
}

struct FailureCase {
    const char *name;
    QByteArray command; // answers nothing (silent) or ERROR
    QByteArray answer;
    QList<QByteArray> sent;
};
void PrintTo(const FailureCase &c, std::ostream *os) { *os << c.name; }

class SignalCycleFailures : public SignalCycle, public ::testing::WithParamInterface<FailureCase> {};

// A modem in numeric result mode: the cycle is framed by "ATV1" and "ATV0"
// whichever step fails, and the cells keep what they showed.
TEST_P(SignalCycleFailures, NumericModemIsSwitchedBackAfterAFailure)
{
    AnswerAll("0\r");
    modem.Answer("ATV1", kOk);
    modem.Answer("ATV0", "0\r");
    modem.Answer(GetParam().command, GetParam().answer);
    EXPECT_FALSE(logic.RunMeasurement());
    EXPECT_EQ(Sent(), GetParam().sent);
    EXPECT_EQ(logic.BerLabel(), signalpagetext::kBerBeforeFirstCycle);
    EXPECT_EQ(logic.History().Size(), 0);
    EXPECT_FALSE(timer.running);
}

INSTANTIATE_TEST_SUITE_P(
    Signal, SignalCycleFailures,
    ::testing::Values(
        FailureCase{"serving cell refused", "at+cced=0,1", "\r\nERROR\r\n", {"AT", "ATV1", "at+cced=0,1", "ATV0"}},
        FailureCase{"signal quality silent", "at+csq", "", {"AT", "ATV1", "at+cced=0,1", "at+csq", "ATV0"}},
        FailureCase{"neighbours refused with cme",
                    "at+cced=0,2",
                    "\r\n+CME ERROR: 3\r\n",
                    {"AT", "ATV1", "at+cced=0,1", "at+csq", "at+cced=0,2", "ATV0"}},
        FailureCase{"operator refused",
                    "at+wopn=0,24001",
                    "\r\nERROR\r\n",
                    {"AT", "ATV1", "at+cced=0,1", "at+csq", "at+cced=0,2", "at+wopn=0,24001", "ATV0"}}),
    [](const ::testing::TestParamInfo<FailureCase> &info) { return WordName(info.param.name); });

TEST_F(SignalCycle, NumericModemSucceedsFramedByV1AndV0)
{
    AnswerAll("0\r");
    modem.Answer("ATV1", kOk);
    modem.Answer("ATV0", "0\r");
    ASSERT_TRUE(logic.RunMeasurement());
    EXPECT_EQ(Sent().mid(0, 2), (QList<QByteArray>{"AT", "ATV1"}));
    EXPECT_EQ(Sent().last(), "ATV0");
    EXPECT_EQ(Sent().count("ATV0"), 1);
    EXPECT_EQ(logic.Cells()[0].rxlev, 40);
}

TEST_F(SignalCycle, RefusedV1AndSilentProbeSendNothingMore)
{
    modem.Answer("AT", "0\r");
    modem.Answer("ATV1", "4\r");
    EXPECT_FALSE(logic.RunMeasurement());
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT", "ATV1"}));

    MemoryPort silent;
    ScriptedPump silentPump;
    ModemSession quiet{&silent, &host, &silentPump};
    silentPump.Attach(&quiet);
    silent.SetSettings(QStringLiteral("9600,N,8,1"));
    silent.SetPortOpen(true);
    quiet.SetConnected(true);
    quiet.SetPollUnit(9600);
    bool ran = false;
    EXPECT_FALSE(RunSignalCycle(quiet, 16, 28, [&](const SignalReading &) { ran = true; }));
    EXPECT_FALSE(ran);
    for (const QByteArray &line : silent.CommandLines())
        EXPECT_TRUE(line == "AT" || line == "ATQ0") << line.constData();
}

// ---------------------------------------------------------------------------
// Polling states

TEST_F(SignalCycle, ShowingStartsTheTimerAndSetsTheLock)
{
    ASSERT_TRUE(logic.Activate());
    EXPECT_TRUE(session.UpdateRunning());
    EXPECT_EQ(host.panelRefreshes, 1);
    EXPECT_EQ(timer.calls, QStringList{"start 3000"});
    EXPECT_EQ(logic.State(), PollingState::Polling);

    logic.Deactivate();
    EXPECT_FALSE(session.UpdateRunning());
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(host.panelRefreshes, 2);
    EXPECT_EQ(logic.State(), PollingState::Idle);
}

TEST_F(SignalCycle, ShowingWithoutALinkLocksButDoesNotPoll)
{
    session.SetConnected(false);
    QString failure;
    EXPECT_FALSE(logic.Activate(&failure));
    EXPECT_EQ(failure, "connnection broken");
    EXPECT_TRUE(session.UpdateRunning());
    EXPECT_EQ(host.panelRefreshes, 1);
    EXPECT_TRUE(timer.calls.isEmpty());
    EXPECT_EQ(logic.State(), PollingState::Stalled);
}

TEST_F(SignalCycle, DisabledThenOneSecondResumesAtOnce)
{
    ASSERT_TRUE(logic.Activate());
    const int refreshes = host.panelRefreshes;
    logic.ChooseInterval(SignalForm::kDisabled);
    EXPECT_FALSE(session.UpdateRunning());
    EXPECT_EQ(timer.interval, 999999999);
    EXPECT_TRUE(timer.running);
    EXPECT_EQ(logic.State(), PollingState::Disabled);

    timer.calls.clear();
    logic.ChooseInterval(0);
    EXPECT_EQ(timer.calls, (QStringList{"stop", "start 1000"}));
    EXPECT_TRUE(session.UpdateRunning());
    EXPECT_EQ(logic.State(), PollingState::Polling);
    // The status panel is left alone by an interval change.
    EXPECT_EQ(host.panelRefreshes, refreshes);
}

TEST_F(SignalCycle, IntervalChoiceLeavesTheStalledState)
{
    AnswerAll();
    modem.Answer("at+csq", "\r\nERROR\r\n");
    ASSERT_TRUE(logic.Activate());
    EXPECT_FALSE(logic.RunMeasurement());
    EXPECT_EQ(logic.State(), PollingState::Stalled);
    EXPECT_TRUE(session.UpdateRunning());
    logic.ChooseInterval(5);
    EXPECT_EQ(timer.interval, 10000);
    EXPECT_TRUE(timer.running);
    EXPECT_EQ(logic.State(), PollingState::Polling);
}

TEST(SignalForms, ListsAndIntervals)
{
    EXPECT_EQ(SignalForm::IntervalItems().value(SignalForm::kInitialInterval), "3 seconds");
    EXPECT_EQ(SignalForm::RedItems().value(SignalForm::kInitialRed), "16");
    EXPECT_EQ(SignalForm::GreenItems().value(SignalForm::kInitialGreen), "28");
    EXPECT_EQ(SignalForm::RedItems().size(), 11);
    EXPECT_EQ(SignalForm::GreenItems().size(), 13);
    EXPECT_EQ(SignalForm::GreenItems().last(), "40");
    const int expected[] = {1000, 2000, 3000, 4000, 5000, 10000, 30000, 999999999};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(SignalForm::IntervalMs(i), expected[i]) << i;
    EXPECT_EQ(SignalForm::IntervalMs(8), 5000);
    EXPECT_EQ(SignalForm::IntervalMs(-1), 5000);
}

} // namespace
