// The Signal page's cycle against the simulator, through the real serial
// control on a pseudo-terminal, after a connect as the page only ever runs
// on an identified modem.
#include "monitor/core/signallogic.h"
#include "sim/simmodem.h"
#include "support/linerate.h"
#include "support/simlink.h"

#include <gtest/gtest.h>

using namespace telvio;
using namespace telvio::test;

namespace {

class SignalFlow {
public:
    explicit SignalFlow(const sim::SimConfig &config) : link(config)
    {
        link.session.SetTraceSink([this](TraceDirection dir, const QByteArray &bytes) {
            if (dir == TraceDirection::Sent)
                sent += bytes;
        });
    }
    bool Connect()
    {
        ConnectParams p;
        p.port = link.path;
        return link.session.Connect(p) == 1;
    }
    QByteArray Variable(const QByteArray &name)
    {
        QByteArray value;
        link.modem.withModem([&](sim::SimModem &m) { value = m.state().variable(name); });
        return value;
    }
    QByteArray Setting(const QByteArray &name)
    {
        QByteArray value;
        link.modem.withModem([&](sim::SimModem &m) { value = m.state().value(name); });
        return value;
    }
    QList<QByteArray> TakeSent()
    {
        QList<QByteArray> lines;
        for (const QByteArray &l : sent.split('\r')) {
            if (!l.isEmpty())
                lines << l;
        }
        sent.clear();
        return lines;
    }

    SimLink link;
    QByteArray sent;
    SignalLogic logic{link.session, nullptr};
};

class SignalOverTheLine : public AtBothRates {};

TEST_P(SignalOverTheLine, CycleShowsTheServingCellAndSixNeighbours)
{
    SignalFlow f(Paced());
    ASSERT_TRUE(f.Connect());
    f.TakeSent();
    ASSERT_TRUE(f.logic.RunMeasurement());
    const QList<QByteArray> sent = f.TakeSent();
    EXPECT_EQ(sent.mid(sent.indexOf("at+cced=0,1")),
              (QList<QByteArray>{"at+cced=0,1", "at+csq", "at+cced=0,2", "at+wopn=0,24001", "at+wopn=0,24001",
                                 "at+wopn=0,24001", "at+wopn=0,24002", "at+wopn=0,24001", "at+wopn=0,24002",
                                 "at+wopn=0,24001"}));
    const auto &c = f.logic.Cells();
    EXPECT_EQ(c[0].operatorName, "Nordvik Mobil");
    EXPECT_EQ(c[0].cellId, "3c4d");
    EXPECT_EQ(c[0].rxlev, 40);
    EXPECT_EQ(f.logic.BerLabel(), "99 (BER Unknown)");
    EXPECT_EQ(c[3].operatorName, "Kestnet");
    EXPECT_EQ(c[3].cellId, "0a11");
    EXPECT_EQ(c[6].rxlev, 11);
    EXPECT_EQ(c[6].colour, SignalColour::Red);
}

TEST_P(SignalOverTheLine, NumericModemIsMeasuredInWordsAndLeftNumeric)
{
    sim::SimConfig config;
    config.verbose = false;
    config.assignments = {{"CSQ_BER", "2"}};
    SignalFlow f(Paced(config));
    ASSERT_TRUE(f.Connect());
    ASSERT_EQ(f.Setting("V"), "0");
    f.TakeSent();
    ASSERT_TRUE(f.logic.RunMeasurement());
    const QList<QByteArray> sent = f.TakeSent();
    EXPECT_EQ(sent.count("ATV1"), 1);
    EXPECT_EQ(sent.last(), "ATV0");
    EXPECT_EQ(f.Setting("V"), "0");
    EXPECT_EQ(f.logic.BerLabel(), "2  (0.4%<BER<0.8%)");
    EXPECT_EQ(f.logic.Cells()[6].cellId, "0b2f");
}

TELVIO_AT_BOTH_RATES(SignalOverTheLine);

// Timing does not matter here: the drift and the changing cell list.
TEST(SignalDrift, LevelsMoveCsqFollowsAndANeighbourFadesOut)
{
    sim::SimConfig config;
    config.assignments = {{"SIGNAL_DRIFT", "1"}, {"SIGNAL_STEP", "18"}};
    SignalFlow f(config);
    ASSERT_TRUE(f.Connect());
    ASSERT_TRUE(f.logic.RunMeasurement()); // step 19
    const int first = f.logic.Cells()[0].rxlev;
    EXPECT_EQ(f.Variable("CSQ_RSSI").toInt(), (first + 3) / 2);
    EXPECT_TRUE(f.logic.Cells()[6].present);
    ASSERT_TRUE(f.logic.RunMeasurement()); // step 20: the last neighbour is gone
    EXPECT_NE(f.logic.Cells()[0].rxlev, first);
    EXPECT_EQ(f.Variable("CSQ_RSSI").toInt(), (f.logic.Cells()[0].rxlev + 3) / 2);
    EXPECT_TRUE(f.logic.Cells()[5].present);
    EXPECT_FALSE(f.logic.Cells()[6].present);
    EXPECT_TRUE(f.logic.Cells()[6].cellId.isEmpty());
    EXPECT_EQ(f.logic.History().Size(), 2);
    EXPECT_TRUE(f.logic.History().At(0).present[6]);
    EXPECT_FALSE(f.logic.History().At(1).present[6]);
}

TEST(SignalDrift, StagedCellsAndLevelsHoldWithoutDrift)
{
    sim::SimConfig config;
    config.assignments = {{"CSQ_RSSI", "7"}, {"CSQ_BER", "5"}, {"CELL_4", ""}, {"CELL_5", ""}, {"CELL_6", ""}};
    SignalFlow f(config);
    ASSERT_TRUE(f.Connect());
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(f.logic.RunMeasurement());
        EXPECT_EQ(f.logic.Cells()[0].rxlev, 40);
        EXPECT_EQ(f.logic.BerLabel(), "5  (3.2%<BER<6.4%)");
        EXPECT_EQ(f.Variable("CSQ_RSSI"), "7");
        EXPECT_TRUE(f.logic.Cells()[3].present);
        EXPECT_FALSE(f.logic.Cells()[4].present);
    }
}

} // namespace
