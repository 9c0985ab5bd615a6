// The Signal page's text operations and field walk, on answers as they
// come off the line.
#include "monitor/core/signalparsers.h"
#include "support/linerate.h"

#include <gtest/gtest.h>

using namespace telvio;
using telvio::test::WordName;

namespace {

template <class Case>
std::string CaseName(const ::testing::TestParamInfo<Case> &info)
{
    return WordName(info.param.name);
}

const QByteArray kMainAnswer = "at+cced=0,1\r\r\n+CCED: 240,01,1a2b,3c4d,35,62,40,40,38,0,0,0,0\r\n\r\nOK\r\n";

struct PayloadCase {
    const char *name;
    QByteArray answer;
    QByteArray keyword;
    QByteArray payload;
};
void PrintTo(const PayloadCase &c, std::ostream *os) { *os << c.name; }

class Payloads : public ::testing::TestWithParam<PayloadCase> {};

TEST_P(Payloads, FromOnePastTheKeywordToTheCr)
{
    EXPECT_EQ(AnswerPayload(GetParam().answer, GetParam().keyword), GetParam().payload);
}

INSTANTIATE_TEST_SUITE_P(
    Signal, Payloads,
    ::testing::Values(
        PayloadCase{"serving cell with echo", kMainAnswer, "+CCED:", "240,01,1a2b,3c4d,35,62,40,40,38,0,0,0,0"},
        PayloadCase{"signal pair", "\r\n+CSQ: 20,3\r\n\r\nOK\r\n", "+CSQ:", "20,3"},
        // Without the blank the separator swallows the first character.
        PayloadCase{"no blank after the colon", "+CSQ:4,0\r\nOK\r\n", "+CSQ:", ",0"},
        PayloadCase{"keyword missing", "\r\nOK\r\n", "+CSQ:", ""},
        PayloadCase{"no CR after the keyword", "\r\n+CSQ: 20,3", "+CSQ:", ""},
        PayloadCase{"keyword at the very end", "\r\n+CSQ:", "+CSQ:", ""},
        PayloadCase{"first of two", "\r\n+CSQ: 1,2\r\n+CSQ: 3,4\r\n", "+CSQ:", "1,2"}),
    CaseName<PayloadCase>);

TEST(SignalFields, TakeDropAndIntegerValue)
{
    EXPECT_EQ(TakeField("a,b,c"), "a");
    EXPECT_EQ(TakeField(",b"), "");
    EXPECT_EQ(TakeField("last"), ""); // no comma: nothing to take
    EXPECT_EQ(DropField("a,b,c"), "b,c");
    EXPECT_EQ(DropField("last"), "last"); // the last field stays however often it is dropped
    EXPECT_EQ(DropFields("a,b,c", 5), "c");

    EXPECT_EQ(IntegerValue("  42x"), 42);
    EXPECT_EQ(IntegerValue("-7"), -7);
    EXPECT_EQ(IntegerValue("+9,1"), 9);
    EXPECT_EQ(IntegerValue("99\r"), 99);
    EXPECT_EQ(IntegerValue("x1"), 0);
    EXPECT_EQ(IntegerValue(""), 0);
    EXPECT_EQ(IntegerValue("99999999999999999999"), 2147483647);
    EXPECT_EQ(IntegerValue("-99999999999999999999"), -2147483647 - 1);
}

struct MainCase {
    const char *name;
    QByteArray cced;
    QByteArray csq;
    QByteArray query;
    QByteArray cellId;
    int rxlev;
    int berCode;
    QString berText;
};
void PrintTo(const MainCase &c, std::ostream *os) { *os << c.name; }

class MainCells : public ::testing::TestWithParam<MainCase> {};

TEST_P(MainCells, WalkGivesOperatorQueryCellLevelAndBer)
{
    const MainCase &c = GetParam();
    QByteArray text = MainCellText(c.cced, c.csq);
    EXPECT_EQ(OperatorQuery(&text), c.query);
    const CellFields f = WalkMainCell(text);
    EXPECT_EQ(f.cellId, c.cellId);
    EXPECT_EQ(f.rxlev, c.rxlev);
    EXPECT_EQ(f.berCode, c.berCode);
    EXPECT_EQ(BerText(f.berCode), c.berText);
}

INSTANTIATE_TEST_SUITE_P(
    Signal, MainCells,
    ::testing::Values(
        MainCase{"thirteen fields and a known ber", kMainAnswer, "\r\n+CSQ: 20,3\r\n\r\nOK\r\n", "at+wopn=0,24001",
                 "3c4d", 40, 3, "3  (0.8%<BER<1.6%)"},
        MainCase{"ber not known", kMainAnswer, "\r\n+CSQ: 20,99\r\n\r\nOK\r\n", "at+wopn=0,24001", "3c4d", 40, 99,
                 "99 (BER Unknown)"},
        MainCase{"no signal pair in the csq answer", kMainAnswer, "\r\nOK\r\n", "at+wopn=0,24001", "3c4d", 40, 99,
                 "99 (BER Unknown)"},
        MainCase{"ber zero", kMainAnswer, "+CSQ: 31,0\r\n", "at+wopn=0,24001", "3c4d", 40, 0, "0  (BER<0.2%)"},
        MainCase{"ber seven", kMainAnswer, "+CSQ: 31,7\r\n", "at+wopn=0,24001", "3c4d", 40, 7, "7  (BER>12.8%)"},
        MainCase{"ber eight is unknown", kMainAnswer, "+CSQ: 31,8\r\n", "at+wopn=0,24001", "3c4d", 40, 8,
                 "99 (BER Unknown)"},
        // The walk counts fields, not names: one field more and field 15
        // is the rssi.
        MainCase{"fourteen fields shift the ber onto the rssi", "+CCED: 240,01,1a2b,3c4d,35,62,40,40,38,0,0,0,0,7\r\n",
                 "+CSQ: 5,2\r\n", "at+wopn=0,24001", "3c4d", 40, 5, "5  (3.2%<BER<6.4%)"},
        // An empty dump still asks for an operator, and the walk runs into
        // the signal pair.
        MainCase{"empty serving cell dump", "\r\nOK\r\n", "+CSQ: 20,3\r\n", "at+wopn=0,20", "", 0, 3,
                 "3  (0.8%<BER<1.6%)"}),
    CaseName<MainCase>);

struct NeighbourCase {
    const char *name;
    QByteArray answer;
    std::array<QByteArray, 6> texts;
};
void PrintTo(const NeighbourCase &c, std::ostream *os) { *os << c.name; }

class NeighbourSplits : public ::testing::TestWithParam<NeighbourCase> {};

TEST_P(NeighbourSplits, SevenFieldsEach)
{
    EXPECT_EQ(SplitNeighbours(GetParam().answer), GetParam().texts);
}

const QByteArray kN1 = "240,01,1a2b,3c4e,21,70,33";
const QByteArray kN2 = "240,01,1a2b,5f01,17,75,27";
const QByteArray kN3 = "240,02,2b10,0a11,40,81,22";

INSTANTIATE_TEST_SUITE_P(
    Signal, NeighbourSplits,
    ::testing::Values(
        NeighbourCase{"three groups fill three neighbours",
                      "at+cced=0,2\r\r\n+CCED: " + kN1 + ',' + kN2 + ',' + kN3 + "\r\n\r\nOK\r\n",
                      {kN1, kN2, kN3, "", "", ""}},
        NeighbourCase{"six groups", "\r\n+CCED: " + kN1 + ',' + kN2 + ',' + kN3 + ',' + kN1 + ',' + kN2 + ',' + kN3
                                        + "\r\n\r\nOK\r\n",
                      {kN1, kN2, kN3, kN1, kN2, kN3}},
        NeighbourCase{"no neighbours", "\r\n+CCED: \r\n\r\nOK\r\n", {}},
        // A short group borrows the next group's first field; the next
        // one then runs past the line end into the final result.
        NeighbourCase{"a short group shifts the rest", "\r\n+CCED: 240,01,1a2b,3c4e,21,70," + kN2 + "\r\n\r\nOK\r\n",
                      {"240,01,1a2b,3c4e,21,70,240", "01,1a2b,5f01,17,75,27\r\n", "", "", "", ""}},
        NeighbourCase{"answer cut before the line end", "\r\n+CCED: " + kN1 + ',' + kN2, {kN1, "", "", "", "", ""}},
        NeighbourCase{"no keyword", "\r\nOK\r\n", {}}),
    CaseName<NeighbourCase>);

TEST(SignalNeighbours, WalkTakesCellIdAndLevelAfterTheQuery)
{
    QByteArray text = kN1;
    EXPECT_EQ(OperatorQuery(&text), "at+wopn=0,24001");
    const CellFields f = WalkNeighbour(text);
    EXPECT_EQ(f.cellId, "3c4e");
    EXPECT_EQ(f.rxlev, 33);
}

struct OperatorCase {
    const char *name;
    QByteArray answer;
    QByteArray expected;
};
void PrintTo(const OperatorCase &c, std::ostream *os) { *os << c.name; }

class OperatorNames : public ::testing::TestWithParam<OperatorCase> {};

TEST_P(OperatorNames, TenPastTheKeywordToTheQuote)
{
    EXPECT_EQ(OperatorName(GetParam().answer), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Signal, OperatorNames,
    ::testing::Values(OperatorCase{"long name with echo", "at+wopn=0,24001\r\r\n+WOPN: 0,\"Nordvik Mobil\"\r\n\r\nOK\r\n",
                                   "Nordvik Mobil"},
                      OperatorCase{"empty name", "\r\n+WOPN: 0,\"\"\r\n\r\nOK\r\n", ""},
                      OperatorCase{"no closing quote", "\r\n+WOPN: 0,\"Nordvik", ""},
                      OperatorCase{"keyword missing", "\r\nOK\r\n", ""},
                      OperatorCase{"answer ends at the keyword", "+WOPN:", ""}),
    CaseName<OperatorCase>);

struct ColourCase {
    const char *name;
    int rxlev;
    SignalColour colour;
};
void PrintTo(const ColourCase &c, std::ostream *os) { *os << c.name; }

class Colours : public ::testing::TestWithParam<ColourCase> {};

// The initial thresholds: red below 16, green above 28.
TEST_P(Colours, ThresholdsBoundTheAmberBand)
{
    EXPECT_EQ(ColourOf(GetParam().rxlev, 16, 28), GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(Signal, Colours,
                         ::testing::Values(ColourCase{"empty cell", 0, SignalColour::Red},
                                           ColourCase{"one below red", 15, SignalColour::Red},
                                           ColourCase{"equal to red", 16, SignalColour::Amber},
                                           ColourCase{"equal to green", 28, SignalColour::Amber},
                                           ColourCase{"one above green", 29, SignalColour::Green}),
                         CaseName<ColourCase>);

TEST(SignalColours, RgbOfEachBar)
{
    EXPECT_EQ(ColourRgb(SignalColour::Red), 0xFF0000u);
    EXPECT_EQ(ColourRgb(SignalColour::Amber), 0xFFC832u);
    EXPECT_EQ(ColourRgb(SignalColour::Green), 0x00D200u);
}

} // namespace
