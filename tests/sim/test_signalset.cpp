#include "sim/simmodem.h"
#include "sim/simoptions.h"

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

QByteArray answer(const QByteArray &line)
{
    return "\r\n" + line + "\r\n\r\nOK\r\n";
}

SimConfig quietEcho(const QList<SimAssignment> &assignments = {})
{
    SimConfig config;
    config.echo = false;
    config.assignments = assignments;
    return config;
}

TEST(SimSignal, CellDumpsInTheModemsShape)
{
    SimModem modem(quietEcho({{"CELL_3", ""}, {"CELL_5", ""}}));
    EXPECT_EQ(modem.feed("AT+CCED=0,1\r"), answer("+CCED: 240,01,1a2b,3c4d,35,62,40,40,40,0,0,0,0"));
    // Neighbours not heard leave no gap: the others close up.
    EXPECT_EQ(modem.feed("at+cced=0,2\r"), answer("+CCED: 240,01,1a2b,3c4e,21,70,33,240,01,1a2b,5f01,17,75,27,"
                                                  "240,01,1a2c,0b20,12,90,18,240,01,1a2c,0b2f,09,99,11"));
    EXPECT_EQ(modem.feed("AT+CCED=?\r"), answer("+CCED: (0-2),(1-15)"));
    EXPECT_EQ(modem.feed("AT+CCED=1,1\r"), "\r\n+CME ERROR: 50\r\n");
    EXPECT_EQ(modem.feed("AT+CCED?\r"), "\r\nERROR\r\n");
}

TEST(SimSignal, OperatorNamesByNumber)
{
    SimModem modem(quietEcho({{"OPERATOR_26201", "Testnetz"}}));
    EXPECT_EQ(modem.feed("at+wopn=0,24001\r"), answer("+WOPN: 0,\"Nordvik Mobil\""));
    EXPECT_EQ(modem.feed("AT+WOPN=0,26201\r"), answer("+WOPN: 0,\"Testnetz\""));
    EXPECT_EQ(modem.feed("AT+WOPN=0,99999\r"), "\r\n+CME ERROR: 50\r\n");
    EXPECT_EQ(modem.feed("AT+WOPN=2,24001\r"), "\r\n+CME ERROR: 50\r\n");
}

TEST(SimSignal, DriftStepsWithEachServingCellDumpAndCsqFollows)
{
    SimModem modem(quietEcho({{"SIGNAL_DRIFT", "1"}}));
    QList<int> levels;
    for (int i = 0; i < 30; ++i) {
        const QByteArray dump = modem.feed("AT+CCED=0,1\r");
        const int level = dump.split(',').value(6).toInt();
        levels << level;
        EXPECT_EQ(modem.feed("AT+CSQ\r"),
                  answer("+CSQ: " + QByteArray::number((level + 3) / 2) + ',' + modem.state().variable("CSQ_BER")));
    }
    EXPECT_EQ(*std::max_element(levels.begin(), levels.end()) - *std::min_element(levels.begin(), levels.end()), 12);
    // The neighbour dump asked twice in one cycle is the same.
    EXPECT_EQ(modem.feed("AT+CCED=0,2\r"), modem.feed("AT+CCED=0,2\r"));
}

TEST(SimSignal, DriftOptionIsTheVariable)
{
    SimOptions options;
    QString error;
    ASSERT_TRUE(parseSimOptions({"telvio-sim", "--signal-drift"}, &options, &error)) << error.toStdString();
    EXPECT_TRUE(options.config.assignments.contains(SimAssignment{"SIGNAL_DRIFT", "1"}));
    // A --set later on the line still wins.
    ASSERT_TRUE(parseSimOptions({"telvio-sim", "--signal-drift", "--set", "SIGNAL_DRIFT=0"}, &options, &error));
    SimModem modem(options.config);
    EXPECT_EQ(modem.state().variable("SIGNAL_DRIFT"), "0");
}

} // namespace
