// The signal history: its bound, its CSV and the thinning for the plot.
#include "monitor/core/signalhistory.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace telvio;

namespace {

SignalSample Sample(int second, int level, int neighbours = 2)
{
    SignalSample s;
    s.time = QDateTime(QDate(2026, 12, 10), QTime(6, 0), Qt::UTC).addSecs(second);
    s.cellId[0] = "3c4d";
    s.rxlev[0] = level;
    s.present[0] = true;
    s.berCode = 3;
    for (int n = 1; n <= neighbours; ++n) {
        s.cellId[n] = "5f0" + QByteArray::number(n);
        s.rxlev[n] = level - n;
        s.present[n] = true;
    }
    return s;
}

TEST(SignalHistory, KeepsADayAtOneSecondAndThenDropsTheOldest)
{
    SignalHistory history;
    EXPECT_GE(history.Capacity(), 24 * 3600);
    SignalHistory small(3);
    for (int i = 0; i < 5; ++i)
        small.Append(Sample(i, 10 + i));
    ASSERT_EQ(small.Size(), 3);
    EXPECT_EQ(small.Appended(), 5u);
    EXPECT_EQ(small.At(0).rxlev[0], 12);
    EXPECT_EQ(small.At(2).rxlev[0], 14);
    EXPECT_EQ(small.At(2).time, Sample(4, 0).time);
    EXPECT_EQ(small.At(2).cellId[1], "5f01");
    EXPECT_FALSE(small.At(2).present[3]);
}

TEST(SignalHistory, CsvHasAHeaderAndOneUtcRowPerCycle)
{
    SignalHistory history;
    history.Append(Sample(0, 40));
    SignalSample odd = Sample(1, 12, 1);
    odd.cellId[0] = "a,\"b\"";
    odd.berCode = 99;
    history.Append(odd);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(history.WriteCsv(&out));
    const QList<QByteArray> rows = out.data().split('\n');
    ASSERT_EQ(rows.size(), 4); // the last line end leaves an empty piece
    EXPECT_EQ(rows[0], "time,main_cell_id,main_rxlev,ber,n1_cell_id,n1_rxlev,n2_cell_id,n2_rxlev,n3_cell_id,n3_rxlev,"
                       "n4_cell_id,n4_rxlev,n5_cell_id,n5_rxlev,n6_cell_id,n6_rxlev\r");
    EXPECT_EQ(rows[1], "2026-12-10T06:00:00Z,3c4d,40,3,5f01,39,5f02,38,,,,,,,,\r");
    // A neighbour not reported leaves both its columns empty; a cell id
    // with a comma or quote is quoted.
    EXPECT_EQ(rows[2], "2026-12-10T06:00:01Z,\"a,\"\"b\"\"\",12,99,5f01,11,,,,,,,,,,\r");
    EXPECT_EQ(rows[3], "");
}

TEST(SignalHistory, PlotThinningKeepsEachRunsLowAndHighInOrder)
{
    SignalHistory history;
    // 1000 samples of a level that dips to 5 once and peaks to 60 once.
    for (int i = 0; i < 1000; ++i)
        history.Append(Sample(i, i == 123 ? 5 : (i == 789 ? 60 : 30), i < 500 ? 1 : 0));
    const QVector<PlotPoint> main = ReduceForPlot(history, 0, 100);
    EXPECT_LE(main.size(), 200);
    int low = 99, high = -1;
    for (int i = 0; i < main.size(); ++i) {
        low = std::min(low, main[i].rxlev);
        high = std::max(high, main[i].rxlev);
        if (i > 0) {
            EXPECT_LT(main[i - 1].msecs, main[i].msecs);
        }
    }
    EXPECT_EQ(low, 5);
    EXPECT_EQ(high, 60);
    // Neighbour 1 was heard only in the first half: no points after it.
    const QVector<PlotPoint> n1 = ReduceForPlot(history, 1, 100);
    ASSERT_FALSE(n1.isEmpty());
    EXPECT_LT(n1.last().msecs, history.MsecsAt(500));
    // Few samples: every one is a point.
    SignalHistory few;
    few.Append(Sample(0, 1));
    few.Append(Sample(1, 2));
    EXPECT_EQ(ReduceForPlot(few, 0, 100).size(), 2);
}

// Once full, runs begin partly in samples pushed out: those must neither
// show nor hide what is left.
TEST(SignalHistory, PlotThinningAfterTheOldestWerePushedOut)
{
    SignalHistory history(1000);
    for (int i = 0; i < 1537; ++i) {
        // The lowest level of all sits in the samples pushed out.
        int level = i < 537 ? 1 : 20 + (i * 37) % 23;
        if (i == 540)
            level = 7; // the lowest kept, in the partly pushed-out block
        if (i == 1536)
            level = 63; // the newest
        history.Append(Sample(i, level, 0));
    }
    const QVector<PlotPoint> points = ReduceForPlot(history, 0, 30);
    ASSERT_FALSE(points.isEmpty());
    EXPECT_LE(points.size(), 2 * 30 + 2);
    int low = 99, high = -1;
    for (const PlotPoint &p : points) {
        EXPECT_GE(p.msecs, history.MsecsAt(0));
        low = std::min(low, p.rxlev);
        high = std::max(high, p.rxlev);
    }
    EXPECT_EQ(low, 7);
    EXPECT_EQ(high, 63);
    EXPECT_EQ(points.last().msecs, history.MsecsAt(999));
}

} // namespace
