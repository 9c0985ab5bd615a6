#include "pages/core/basicform.h"
#include "pages/core/basicparsers.h"
#include "pages/core/pageframe.h"

#include <gtest/gtest.h>

using namespace telvio;

namespace {

// Answers come as real lines do: with the echo or without, leading line
// ends or none, a blank after the colon or not, LF-only line ends, and an
// unsolicited line in front.
struct IntCase {
    const char *name;
    QByteArray answer;
    int expected;
};

void PrintTo(const IntCase &c, std::ostream *os)
{
    *os << c.name;
}

class S0Answer : public testing::TestWithParam<IntCase> {};

TEST_P(S0Answer, RingsFromTheValueLine)
{
    EXPECT_EQ(ParseS0Answer(GetParam().answer), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, S0Answer,
    testing::Values(IntCase{"leading line end", "\r\n002\r\n\r\nOK\r\n", 2},
                    IntCase{"echo", "ATS0?\r\r\n002\r\n\r\nOK\r\n", 2},
                    IntCase{"zero", "\r\n000\r\n\r\nOK\r\n", 0},
                    IntCase{"no leading line end", "255\r\nOK\r\n", 255},
                    IntCase{"LF only", "ATS0?\n7\nOK\n", 7},
                    IntCase{"unsolicited line first", "\r\n+WIND: 4\r\n\r\n005\r\n\r\nOK\r\n", 5},
                    IntCase{"no value", "\r\nOK\r\n", 0}));

class CompressionAnswer : public testing::TestWithParam<IntCase> {};

TEST_P(CompressionAnswer, PositionInTheList)
{
    EXPECT_EQ(ParseCompressionAnswer(GetParam().answer), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Shapes, CompressionAnswer,
                         testing::Values(IntCase{"bare value", "\r\n2\r\n\r\nOK\r\n", 1},
                                         IntCase{"echo", "AT%C?\r\r\n0\r\n\r\nOK\r\n", 0},
                                         IntCase{"keyword with blank", "\r\n%C: 2\r\n\r\nOK\r\n", 1},
                                         IntCase{"keyword without blank", "%C:0\r\nOK\r\n", 0},
                                         IntCase{"value not in the list", "\r\n1\r\n\r\nOK\r\n", -1},
                                         IntCase{"no value", "\r\nOK\r\n", -1}));

class ErrorCorrectionAnswer : public testing::TestWithParam<IntCase> {};

TEST_P(ErrorCorrectionAnswer, PositionInTheList)
{
    EXPECT_EQ(ParseErrorCorrectionAnswer(GetParam().answer), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Shapes, ErrorCorrectionAnswer,
                         testing::Values(IntCase{"bare value", "\r\n5\r\n\r\nOK\r\n", 1},
                                         IntCase{"echo", "AT\\N?\r\r\n0\r\n\r\nOK\r\n", 0},
                                         // Counting from the first LF would read the 'O' of OK here.
                                         IntCase{"no leading line end", "5\r\nOK\r\n", 1},
                                         IntCase{"keyword", "\r\n\\N: 5\r\n\r\nOK\r\n", 1},
                                         IntCase{"value not in the list", "\r\n2\r\n\r\nOK\r\n", -1}));

class WstatledAnswer : public testing::TestWithParam<IntCase> {};

TEST_P(WstatledAnswer, Mode)
{
    EXPECT_EQ(ParseWstatledAnswer(GetParam().answer), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Shapes, WstatledAnswer,
                         testing::Values(IntCase{"blank", "\r\n*WSTATLED: 2\r\n\r\nOK\r\n", 2},
                                         IntCase{"no blank", "*WSTATLED:1\r\nOK\r\n", 1},
                                         IntCase{"echo", "AT*WSTATLED?\r\r\n*WSTATLED: 0\r\n\r\nOK\r\n", 0}));

struct ClckCase {
    const char *name;
    QByteArray answer;
    bool locked;
};

void PrintTo(const ClckCase &c, std::ostream *os)
{
    *os << c.name;
}

class ClckAnswer : public testing::TestWithParam<ClckCase> {};

TEST_P(ClckAnswer, LockOfTheSim)
{
    EXPECT_EQ(ParseClckAnswer(GetParam().answer), GetParam().locked);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ClckAnswer,
    testing::Values(ClckCase{"on", "\r\n+CLCK: (\"PS\",0),(\"SC\",1),(\"FD\",0)\r\n\r\nOK\r\n", true},
                    ClckCase{"off", "\r\n+CLCK: (\"PS\",1),(\"SC\",0),(\"FD\",1)\r\n\r\nOK\r\n", false},
                    // The first character after the comma would be the blank.
                    ClckCase{"blank after the comma", "\r\n+CLCK: (\"SC\", 1)\r\n\r\nOK\r\n", true},
                    ClckCase{"no brackets", "+CLCK:\"SC\",1\r\nOK\r\n", true},
                    ClckCase{"error", "AT+CLCK?\r\r\nERROR\r\n", false},
                    ClckCase{"lost link", "Modem disconnected during process!", false}));

struct WpinCase {
    const char *name;
    QByteArray answer;
    int enabled;
    QByteArray code;
};

void PrintTo(const WpinCase &c, std::ostream *os)
{
    *os << c.name;
}

class WpinAnswer : public testing::TestWithParam<WpinCase> {};

TEST_P(WpinAnswer, FlagAndCode)
{
    const WpinValue v = ParseWpinAnswer(GetParam().answer);
    EXPECT_EQ(v.enabled, GetParam().enabled);
    EXPECT_EQ(v.code, GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, WpinAnswer,
    testing::Values(WpinCase{"quoted code", "\r\n*WPIN: 1,\"1234\"\r\n\r\nOK\r\n", 1, "1234"},
                    WpinCase{"no blank", "*WPIN:1,\"0000\"\r\nOK\r\n", 1, "0000"},
                    WpinCase{"off", "\r\n*WPIN: 0\r\n\r\nOK\r\n", 0, ""},
                    // Dropping the character before the CR would cut the last digit.
                    WpinCase{"unquoted code", "\r\n*WPIN: 1,1234\r\n\r\nOK\r\n", 1, "1234"},
                    WpinCase{"blank before the code", "AT*WPIN?\r\r\n*WPIN: 1, \"9876\"\r\n\r\nOK\r\n", 1, "9876"},
                    WpinCase{"long code", "\r\n*WPIN: 1,\"12345678\"\r\n\r\nOK\r\n", 1, "1234"}));

struct WrstCase {
    const char *name;
    QByteArray answer;
    int enabled;
    QByteArray delay;
    QByteArray left;
};

void PrintTo(const WrstCase &c, std::ostream *os)
{
    *os << c.name;
}

class WrstAnswer : public testing::TestWithParam<WrstCase> {};

TEST_P(WrstAnswer, DelayAndTimeLeft)
{
    const WrstValue v = ParseWrstAnswer(GetParam().answer);
    EXPECT_EQ(v.enabled, GetParam().enabled);
    EXPECT_EQ(v.delay, GetParam().delay);
    EXPECT_EQ(v.timeToReset, GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, WrstAnswer,
    testing::Values(WrstCase{"on", "\r\n+WRST: 1,\"024:00\",\"023:59\"\r\n\r\nOK\r\n", 1, "024:00", "023:59"},
                    // The second character would be the comma.
                    WrstCase{"no blank", "+WRST:1,\"024:00\",\"023:59\"\r\nOK\r\n", 1, "024:00", "023:59"},
                    WrstCase{"blanks between fields", "\r\n+WRST: 1, \"012:30\", \"001:05\"\r\n", 1, "012:30", "001:05"},
                    WrstCase{"off", "\r\n+WRST: 0,\"024:00\",\"000:00\"\r\n\r\nOK\r\n", 0, "", ""},
                    WrstCase{"no time left reported", "\r\n+WRST: 1,\"024:00\"\r\n\r\nOK\r\n", 1, "024:00", ""},
                    // Six characters after the quote would take the closing quote in.
                    WrstCase{"short delay", "\r\n+WRST: 1,\"24:00\",\"23:59\"\r\n", 1, "24:00", "23:59"},
                    WrstCase{"error", "\r\nERROR\r\n", 0, "", ""}));

struct CbstCase {
    const char *name;
    QByteArray answer;
    int speed;
    int ce;
};

void PrintTo(const CbstCase &c, std::ostream *os)
{
    *os << c.name;
}

class CbstAnswer : public testing::TestWithParam<CbstCase> {};

TEST_P(CbstAnswer, SpeedAndConnectionElement)
{
    const CbstValue v = ParseCbstAnswer(GetParam().answer);
    EXPECT_EQ(v.speed, GetParam().speed);
    EXPECT_EQ(v.ce, GetParam().ce);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, CbstAnswer,
    testing::Values(CbstCase{"9600 V.32", "\r\n+CBST: 7,0,1\r\n\r\nOK\r\n", 7, 1},
                    CbstCase{"12 is not 1", "\r\n+CBST: 12,0,1\r\n\r\nOK\r\n", 8, 1},
                    CbstCase{"echo, V.110", "AT+CBST?\r\r\n+CBST: 71,0,3\r\n\r\nOK\r\n", 14, 3},
                    // Dropping the first character would drop the 7.
                    CbstCase{"no blank", "+CBST:71,0,1\r\nOK\r\n", 14, 1},
                    CbstCase{"blanks after commas", "\r\n+CBST: 0, 0, 2\r\n", 0, 2},
                    CbstCase{"speed not in the list", "\r\n+CBST: 8,0,1\r\n\r\nOK\r\n", -1, 1},
                    CbstCase{"no connection element", "\r\n+CBST: 0,0\r\n\r\nOK\r\n", 0, -1},
                    CbstCase{"no keyword", "\r\nOK\r\n", -1, -1}));

TEST(BasicCommands, FormatFromRecordAndLists)
{
    EXPECT_EQ(FormatS0Command(2), QByteArray("ATS0=2"));
    EXPECT_EQ(FormatCbstCommand("71 - 9600 bps (V.110)", "1 - Non transparent only"), QByteArray("AT+CBST=71,0,1"));
    EXPECT_EQ(FormatCbstCommand("12 -  9600 bps (V.34)", "0 - Transparent only"), QByteArray("AT+CBST=12,0,0"));
    EXPECT_EQ(FormatErrorCorrectionCommand("5 - MNP error correction"), QByteArray("AT\\N5"));
    EXPECT_EQ(FormatCompressionCommand("2 - V42bis compression"), QByteArray("AT%C2"));
    EXPECT_EQ(FormatCompressionCommand(QString()), QByteArray("AT%C"));
    EXPECT_EQ(FormatWstatledCommand(2), QByteArray("AT*WSTATLED=2"));
    EXPECT_EQ(FormatWpinCommand(0, "1234"), QByteArray("AT*WPIN=0"));
    EXPECT_EQ(FormatWpinCommand(1, "1234"), QByteArray("AT*WPIN=1,\"1234\""));
    EXPECT_EQ(FormatWrstCommand(1, "024:00"), QByteArray("AT+WRST=1,\"024:00\""));
    EXPECT_EQ(FormatWrstCommand(0, ""), QByteArray("AT+WRST=0,\"\""));
}

TEST(BasicCommands, QuotedTextsThatWouldBreakOutAreNotSent)
{
    // A profile from elsewhere can hold anything in its text fields.
    EXPECT_FALSE(FormatWpinCommand(1, "1\";Z"));
    EXPECT_FALSE(FormatWrstCommand(0, "\";&F;&W"));
    EXPECT_FALSE(FormatWrstCommand(1, "024\r00"));
}

TEST(ListItems, FoundByTheirAtValue)
{
    const QStringList &speed = BasicForm::BearerSpeedItems();
    EXPECT_EQ(FindListItem(speed, "1"), 1);
    EXPECT_EQ(FindListItem(speed, "12"), 8);
    EXPECT_EQ(FindListItem(speed, "7"), 7); // not "70 -  4800 bps (V.110)"
    EXPECT_EQ(FindListItem(speed, "70"), 13);
    EXPECT_EQ(FindListItem(speed, "0"), 0); // item 0 is tried last, and found
    EXPECT_EQ(FindListItem(speed, "9"), -1);
    EXPECT_EQ(FindListItem(speed, ""), -1);
    // The search begins with item 1: of two items with the same value the
    // second wins over the first.
    EXPECT_EQ(FindListItem({"1 - a", "1 - b"}, "1"), 1);
    EXPECT_EQ(FindListItem({"A - x", "b - y"}, "a"), 0);
    EXPECT_EQ(ListItemValue("70 -  4800 bps (V.110)"), QByteArray("70"));
    EXPECT_EQ(ListItemValue(QString()), QByteArray());
}

struct DelayCase {
    const char *text;
    bool valid;
};

void PrintTo(const DelayCase &c, std::ostream *os)
{
    *os << "\"" << c.text << "\"";
}

class ResetDelay : public testing::TestWithParam<DelayCase> {};

TEST_P(ResetDelay, Rule)
{
    EXPECT_EQ(ResetDelayValid(QString::fromLatin1(GetParam().text)), GetParam().valid) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, ResetDelay,
                         testing::Values(DelayCase{"024:00", true}, DelayCase{"999:99", true}, DelayCase{"000:00", true},
                                         DelayCase{"24:00", false}, DelayCase{"024:0", false},
                                         DelayCase{"1000:0", false}, DelayCase{"02a:00", false},
                                         DelayCase{"024-00", false}, DelayCase{"", false},
                                         DelayCase{"0240:0", false}, DelayCase{"024:00:", false}));

} // namespace
