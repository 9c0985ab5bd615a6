#include "pages/core/pageframe.h"
#include "pages/core/serialsettingsform.h"
#include "pages/core/serialsettingsparsers.h"
#include "pages/core/serialsettingsrecord.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

using namespace telvio;

namespace {

// What a dump should put in the lists; -2 where the list is left alone.
constexpr int kKept = -2;

struct DumpCase {
    const char *name;
    QByteArray answer;
    int responseFormat, dcd, dtr;
    const char *rate; // nullptr: left alone
    int dataBits, stopBits, parity;
    int dceByDte, dteByDce;
};

int Or(const std::optional<int> &v)
{
    return v ? *v : kKept;
}

void PrintTo(const DumpCase &c, std::ostream *os)
{
    *os << c.name;
}

class SerialDumpShapes : public ::testing::TestWithParam<DumpCase> {};

TEST_P(SerialDumpShapes, ReadsTheActiveProfile)
{
    const DumpCase &c = GetParam();
    ASSERT_FALSE(c.answer.isEmpty()) << "fixture missing";
    const SerialDump d = ParseSerialDump(c.answer);
    EXPECT_EQ(Or(d.responseFormat), c.responseFormat);
    EXPECT_EQ(Or(d.dcd), c.dcd);
    EXPECT_EQ(Or(d.dtr), c.dtr);
    if (c.rate)
        EXPECT_EQ(d.rateText.value_or(QStringLiteral("<none>")), QString::fromLatin1(c.rate));
    else
        EXPECT_FALSE(d.rateText.has_value()) << qPrintable(*d.rateText);
    EXPECT_EQ(d.framing ? d.framing->dataBits : kKept, c.dataBits);
    EXPECT_EQ(d.framing ? d.framing->stopBits : kKept, c.stopBits);
    EXPECT_EQ(d.framing ? Or(d.framing->parity) : kKept, c.parity);
    EXPECT_EQ(Or(d.flow.dceByDte), c.dceByDte);
    EXPECT_EQ(Or(d.flow.dteByDce), c.dteByDce);
}

QByteArray Dump(const char *name)
{
    return test::ReadFixture(QStringLiteral("serial-dumps/") + QLatin1String(name));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SerialDumpShapes,
    ::testing::Values(
        // The stored profile differs in every field: none of it may leak in.
        DumpCase{"family dump, verbose, echoed", Dump("verbose-echo.txt"), 1, 0, 1, "115200", 1, 0, 1, 1, 0},
        DumpCase{"family dump, numeric, autobaud, 7N2", Dump("numeric-no-echo.txt"), 0, 1, 0, "Auto", 1, 1, 4, 0,
                 0},
        // Blank after the colon and every value at its line's end; "3, 3"
        // is 8N1 whatever the parity code says.
        DumpCase{"one setting a line, blanks", Dump("one-per-line-blanks.txt"), 1, 1, 2, "57600", 0, 0, 4, 1, 1},
        DumpCase{"format 0 is 8 data bits, 1 stop bit", "V:1 &C:1 &D:2\r\n+IPR:9600 +ICF:0,4 +IFC:0,0\r\nOK\r\n", 1,
                 1, 2, "9600", 0, 0, 4, 0, 0},
        DumpCase{"7E1 with parity", "V:1 &C:1 &D:2\r\n+IPR:19200 +ICF:5,1 +IFC:2,2\r\nOK\r\n", 1, 1, 2, "19200", 1,
                 0, 1, 1, 1},
        DumpCase{"8O1", "V:1 &C:1 &D:2 +IPR:300 +ICF:2,0 +IFC:2,2\r\n0\r", 1, 1, 2, "300", 0, 0,
                 0, 1, 1},
        DumpCase{"8N2", "V:1 &C:1 &D:2 +IPR:600 +ICF:1,4 +IFC:0,2\r\nOK\r\n", 1, 1, 2, "600", 0, 1, 4, 0, 1},
        // A value the lists do not have: no item rather than a neighbour's.
        DumpCase{"digits out of range", "V:7 &C:9 &D:3 +IPR:9600 +ICF:2,8 +IFC:2,2\r\nOK\r\n", 7, 9, 3, "9600", 0,
                 0, 8, 1, 1},
        DumpCase{"garbage values", "V:x &C:- &D:? +IPR:9600 +ICF:x,y +IFC:2,2\r\nOK\r\n", -1, -1, -1, "9600", kKept,
                 kKept, kKept, 1, 1},
        // A missing keyword leaves its list alone instead of taking the
        // value of whatever colon comes next.
        DumpCase{"no &C, no +IPR", "V:0 &D:1 +ICF:3,4 +IFC:0,0\r\nOK\r\n", 0, kKept, 1, nullptr, 0, 0, 4, 0, 0},
        DumpCase{"empty values", "V: \r\n&C:\r\n&D:2 +IPR:\r\n+ICF:\r\n+IFC:2\r\nOK\r\n", kKept, kKept, 2, nullptr,
                 kKept, kKept, kKept, 1, kKept},
        DumpCase{"nothing but OK", "\r\nOK\r\n", kKept, kKept, kKept, nullptr, kKept, kKept, kKept, kKept, kKept}));

TEST(DumpReader, EachKeywordIsSoughtFromThePreviousOne)
{
    // The keywords stand in the order they are asked for; a keyword
    // that only occurs before the previous one is not found.
    DumpReader r("&D:2 V:1 &C:0 &D:1\r\n");
    EXPECT_EQ(r.Value("V:").value_or("-"), "1");
    EXPECT_EQ(r.Value("&D:").value_or("-"), "1"); // not the 2 before V
    // An absent keyword leaves the position where it was.
    DumpReader s("V:1 &C:0\r\n");
    EXPECT_EQ(s.Value("V:").value_or("-"), "1");
    EXPECT_FALSE(s.Value("+IPR:").has_value());
    EXPECT_EQ(s.Value("&C:").value_or("-"), "0");
}

TEST(DumpReader, ValueEndsAtBlankOrLineEnd)
{
    EXPECT_EQ(DumpReader("+IPR:115200 +ICF:3,4").Value("+IPR:").value_or("-"), "115200");
    EXPECT_EQ(DumpReader("+IPR:115200\r\n+ICF:3,4 x").Value("+IPR:").value_or("-"), "115200");
    EXPECT_EQ(DumpReader("+IFC:2,2").Value("+IFC:").value_or("-"), "2,2");
    EXPECT_EQ(DumpReader("+IFC:  2,2\n").Value("+IFC:").value_or("-"), "2,2");
    EXPECT_EQ(DumpReader("+ICF: 3, 4 +IFC:2,2").Value("+ICF:").value_or("-"), "3, 4");
}

TEST(RateItems, PrefixSearchFromTheSecondItem)
{
    const QStringList &items = SerialSettingsForm::Items(SerialField::DteRate);
    EXPECT_EQ(FindItemStartingWith(items, "Auto"), 0);
    EXPECT_EQ(FindItemStartingWith(items, "auto"), 0);
    EXPECT_EQ(FindItemStartingWith(items, "300"), 1);
    EXPECT_EQ(FindItemStartingWith(items, "1200"), 3);
    EXPECT_EQ(FindItemStartingWith(items, "115200"), 10);
    EXPECT_EQ(FindItemStartingWith(items, "11"), 10);
    EXPECT_EQ(FindItemStartingWith(items, "230400"), -1);
    EXPECT_EQ(FindItemStartingWith(items, ""), -1);
    EXPECT_EQ(RateValue("Auto"), "0");
    EXPECT_EQ(RateValue("57600"), "57600");
}

TEST(IcfFormat, CodeOfEveryFraming)
{
    struct Row {
        int dataBits, stopBits;
        bool parityNone;
        int format;
    };
    const Row rows[] = {{0, 1, true, 1}, {0, 0, false, 2}, {0, 0, true, 3}, {1, 1, true, 4},
                        {1, 0, false, 5}, {1, 0, true, 6},
                        // two stop bits are coded without parity whatever is asked
                        {0, 1, false, 1}, {1, 1, false, 4}};
    for (const Row &r : rows)
        EXPECT_EQ(IcfFormatCode(r.dataBits, r.stopBits, r.parityNone), r.format)
            << r.dataBits << "/" << r.stopBits << "/" << r.parityNone;
}

TEST(SerialCommands, FormattedFromRecordAndItems)
{
    SerialSettingsRecord record;
    SetSerialValue(record, SerialField::ResponseFormat, 1);
    SetSerialValue(record, SerialField::Dcd, 1);
    SetSerialValue(record, SerialField::Dtr, 2);
    SetSerialValue(record, SerialField::Dsr, 1);
    SetSerialValue(record, SerialField::Echo, 1);
    EXPECT_EQ(FormatV24Command(record, "115200"), "ATV1 &C1 &D2 &S1 E1 +IPR=115200");
    EXPECT_EQ(FormatIcfCommand(3, 4), "AT+ICF=3,4");
    EXPECT_EQ(FormatIfcCommand("2 - RTS", "0 - None"), "AT+IFC=2,0");
    EXPECT_EQ(FormatIfcCommand("0 - None", "2 - CTS"), "AT+IFC=0,2");
}

TEST(SerialRecord, FieldsSitAtTheirOffsets)
{
    // Profile files carry the block byte for byte: the layout is fixed.
    SerialSettingsRecord record;
    int value = 100;
    for (SerialField f : kSerialFields)
        SetSerialValue(record, f, value++);
    const int offsets[] = {0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44};
    value = 100;
    for (int offset : offsets)
        EXPECT_EQ(record.Int(offset), value++) << offset;
    for (int offset = 48; offset < 80; offset += 4)
        EXPECT_EQ(record.Int(offset), 0);
}

} // namespace
