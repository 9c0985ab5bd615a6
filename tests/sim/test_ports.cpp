#include "sim/simmodem.h"

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

LineObservation seenAt(int baud, const QByteArray &framing = "8N1", bool carriesCharFormat = true)
{
    LineObservation seen;
    seen.line = *parseFraming(framing);
    seen.line.baud = baud;
    seen.carriesCharFormat = carriesCharFormat;
    return seen;
}

SimConfig noEcho(int baud = 9600, const QByteArray &framing = "8N1")
{
    SimConfig config;
    config.echo = false;
    config.line = *parseFraming(framing);
    config.line.baud = baud;
    return config;
}

bool isNoise(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return false;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80)
            return false;
    }
    return true;
}

struct FramingCase {
    QByteArray framing;
    QByteArray icf;
};

void PrintTo(const FramingCase &c, std::ostream *os)
{
    *os << c.framing.constData();
}

class SimPortFraming : public testing::TestWithParam<FramingCase> {};

TEST_P(SimPortFraming, IcfReportsTheFramingIn27007Codes)
{
    SimModem modem(noEcho(9600, GetParam().framing));
    EXPECT_EQ(modem.feed("AT+ICF?\r"), "\r\n+ICF: " + GetParam().icf + "\r\n\r\nOK\r\n");
}

INSTANTIATE_TEST_SUITE_P(Framings, SimPortFraming,
                         testing::Values(FramingCase{"8N1", "3,4"}, FramingCase{"8N2", "1,4"},
                                         FramingCase{"8O1", "2,0"}, FramingCase{"8E1", "2,1"},
                                         FramingCase{"8M1", "2,2"}, FramingCase{"8S1", "2,3"},
                                         FramingCase{"7N2", "4,4"}, FramingCase{"7E1", "5,1"},
                                         FramingCase{"7N1", "6,4"}));

struct IcfSetCase {
    QByteArray command;
    bool accepted;
    QByteArray stored;
};

void PrintTo(const IcfSetCase &c, std::ostream *os)
{
    *os << c.command.constData();
}

class SimPortIcfSet : public testing::TestWithParam<IcfSetCase> {};

TEST_P(SimPortIcfSet, SetChecksFormatAndParity)
{
    SimModem modem(noEcho());
    EXPECT_EQ(modem.feed("AT" + GetParam().command + "\r"), GetParam().accepted ? "\r\nOK\r\n" : "\r\nERROR\r\n");
    EXPECT_EQ(modem.state().value("+ICF"), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Values, SimPortIcfSet,
                         testing::Values(IcfSetCase{"+ICF=2,1", true, "2,1"}, IcfSetCase{"+ICF=5,0", true, "5,0"},
                                         IcfSetCase{"+ICF=1", true, "1,4"},
                                         IcfSetCase{"+ICF=3,1", true, "3,4"}, // no parity bit: parity ignored
                                         IcfSetCase{"+ICF=2", false, "3,4"},  // a parity bit needs its kind
                                         IcfSetCase{"+ICF=2,4", false, "3,4"}, IcfSetCase{"+ICF=7,4", false, "3,4"},
                                         IcfSetCase{"+ICF=0", false, "3,4"}, IcfSetCase{"+ICF=3,5", false, "3,4"}));

TEST(SimPort, IprReadAndTest)
{
    SimModem modem(noEcho(19200));
    EXPECT_EQ(modem.feed("AT+IPR?\r"), "\r\n+IPR: 19200\r\n\r\nOK\r\n");
    EXPECT_TRUE(modem.feed("AT+IPR=?\r").contains("+IPR: (0,300,"));
    EXPECT_EQ(modem.feed("AT+IPR=1234\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.line().baud, 19200);
}

TEST(SimPort, RateChangesAfterTheAnswerWentOut)
{
    SimConfig config = noEcho();
    config.echo = true;
    SimModem modem(config);
    const Output out = modem.receive("AT+IPR=115200\r", seenAt(9600));
    ASSERT_EQ(out.size(), 3);
    EXPECT_EQ(out.at(0).bytes, "AT+IPR=115200\r");
    EXPECT_EQ(out.at(1).bytes, "\r\nOK\r\n");
    EXPECT_EQ(out.at(2).kind, OutputItem::Kind::LineChange);
    EXPECT_EQ(out.at(2).line.baud, 115200);

    EXPECT_TRUE(isNoise(outputBytes(modem.receive("AT\r", seenAt(9600)))));
    EXPECT_EQ(outputBytes(modem.receive("AT\r", seenAt(115200))), "AT\r\r\nOK\r\n");
}

TEST(SimPort, FramingChangesAfterTheAnswerToo)
{
    SimModem modem(noEcho());
    const Output out = modem.receive("AT+ICF=1,4\r", seenAt(9600));
    ASSERT_EQ(out.size(), 2);
    EXPECT_EQ(out.at(0).bytes, "\r\nOK\r\n");
    EXPECT_EQ(out.at(1).line.stopBits, 2);
    EXPECT_EQ(outputBytes(modem.receive("AT\r", seenAt(9600, "8N2"))), "\r\nOK\r\n");
}

struct MatchCase {
    const char *name;
    LineObservation seen;
    bool answered;
};

void PrintTo(const MatchCase &c, std::ostream *os)
{
    *os << c.name;
}

class SimPortMatch : public testing::TestWithParam<MatchCase> {};

// A modem at 9600 7E1, as the application's search meets it.
TEST_P(SimPortMatch, AnswersOnlyAMatchingLine)
{
    SimConfig config = noEcho(9600, "7E1");
    config.echo = true;
    SimModem modem(config);
    const QByteArray answer = outputBytes(modem.receive("ATS0=9\r", GetParam().seen));
    if (GetParam().answered) {
        EXPECT_EQ(answer, "ATS0=9\r\r\nOK\r\n");
        EXPECT_EQ(modem.state().value("S0"), "9");
    } else {
        EXPECT_TRUE(isNoise(answer)) << answer.toHex().constData();
        EXPECT_LE(answer.size(), 6);
        EXPECT_EQ(modem.state().value("S0"), "0"); // nothing ran
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SimPortMatch,
    testing::Values(MatchCase{"same", seenAt(9600, "7E1"), true},
                    MatchCase{"other_rate", seenAt(19200, "7E1"), false},
                    MatchCase{"other_stop_bits", seenAt(9600, "7E2"), false},
                    MatchCase{"other_parity", seenAt(9600, "7O1"), false},
                    MatchCase{"other_data_bits", seenAt(9600, "8E1"), false},
                    // A pty forces 8N whatever is asked: only rate and stop bits can be told apart.
                    MatchCase{"pty_hides_character_format", seenAt(9600, "8N1", false), true},
                    MatchCase{"pty_still_shows_rate", seenAt(4800, "8N1", false), false}),
    [](const testing::TestParamInfo<MatchCase> &info) { return std::string(info.param.name); });

TEST(SimPort, MismatchWithEchoOffIsSilent)
{
    SimModem modem(noEcho());
    EXPECT_TRUE(modem.receive("AT\r", seenAt(57600)).isEmpty());
}

TEST(SimPort, MismatchLeavesNoHalfLineBehind)
{
    SimModem modem(noEcho());
    modem.receive("ATS0=4", seenAt(9600));
    modem.receive("1\r", seenAt(1200));
    EXPECT_EQ(outputBytes(modem.receive("\r", seenAt(9600))), "");
    EXPECT_EQ(modem.state().value("S0"), "0");
}

TEST(SimPortAutobaud, FirstAtSetsTheRate)
{
    SimModem modem(noEcho(0));
    EXPECT_TRUE(modem.receive("\r", seenAt(57600)).isEmpty());
    const Output out = modem.receive("junkAT\r", seenAt(57600));
    ASSERT_EQ(out.size(), 2);
    EXPECT_EQ(out.at(0).kind, OutputItem::Kind::LineChange);
    EXPECT_EQ(out.at(0).line.baud, 57600);
    EXPECT_EQ(out.at(1).bytes, "\r\nOK\r\n");
    EXPECT_EQ(outputBytes(modem.receive("AT+IPR?\r", seenAt(57600))), "\r\n+IPR: 0\r\n\r\nOK\r\n");
    EXPECT_EQ(outputBytes(modem.receive("at\r", seenAt(2400))), "\r\nOK\r\n");
    EXPECT_EQ(modem.line().baud, 2400);
}

TEST(SimPortAutobaud, IprZeroKeepsTheCurrentRateUntilAnotherAt)
{
    SimModem modem(noEcho(9600));
    EXPECT_EQ(outputBytes(modem.receive("AT+IPR=0\r", seenAt(9600))), "\r\nOK\r\n");
    EXPECT_EQ(outputBytes(modem.receive("AT\r", seenAt(9600))), "\r\nOK\r\n");
    EXPECT_EQ(outputBytes(modem.receive("AT\r", seenAt(38400))), "\r\nOK\r\n");
    EXPECT_EQ(modem.line().baud, 38400);
    // Autobauding measures the rate, not the stop bits.
    EXPECT_TRUE(modem.receive("AT\r", seenAt(19200, "8N2")).isEmpty());
}

} // namespace
