#include "sim/simmodem.h"

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

SimConfig withCard(SimCard card)
{
    SimConfig config;
    config.echo = false;
    config.sim = card;
    config.pin = "1234";
    return config;
}

struct PinStateCase {
    SimCard card;
    QByteArray answer;
};

void PrintTo(const PinStateCase &c, std::ostream *os)
{
    *os << simCardKey(c.card) << " card";
}

class SimCardCpin : public testing::TestWithParam<PinStateCase> {};

TEST_P(SimCardCpin, CpinReportsTheCard)
{
    SimModem modem(withCard(GetParam().card));
    EXPECT_EQ(modem.feed("AT+CPIN?\r"), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Cards, SimCardCpin,
                         testing::Values(PinStateCase{SimCard::Ready, "\r\n+CPIN: READY\r\n\r\nOK\r\n"},
                                         PinStateCase{SimCard::PinRequired, "\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n"},
                                         PinStateCase{SimCard::PukRequired, "\r\n+CPIN: SIM PUK\r\n\r\nOK\r\n"},
                                         PinStateCase{SimCard::Absent, "\r\n+CME ERROR: 10\r\n"}));

struct CmeFormatCase {
    const char *name;
    int cmee;
    bool verbose;
    QByteArray answer;
};

void PrintTo(const CmeFormatCase &c, std::ostream *os)
{
    *os << c.name;
}

class SimCardCmeFormat : public testing::TestWithParam<CmeFormatCase> {};

TEST_P(SimCardCmeFormat, ErrorReportFollowsCmeeAndV)
{
    SimConfig config = withCard(SimCard::Absent);
    config.cmee = GetParam().cmee;
    config.verbose = GetParam().verbose;
    SimModem modem(config);
    EXPECT_EQ(modem.feed("AT+CPIN?\r"), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SimCardCmeFormat,
    testing::Values(CmeFormatCase{"numeric_verbose_frame", 1, true, "\r\n+CME ERROR: 10\r\n"},
                    // +CME ERROR has no numeric code: in V0 it is framed as information text.
                    CmeFormatCase{"numeric_v0_frame", 1, false, "+CME ERROR: 10\r\n"},
                    CmeFormatCase{"text", 2, true, "\r\n+CME ERROR: SIM not inserted\r\n"},
                    CmeFormatCase{"plain_error", 0, true, "\r\nERROR\r\n"},
                    CmeFormatCase{"plain_error_v0", 0, false, "4\r"}),
    [](const testing::TestParamInfo<CmeFormatCase> &info) { return std::string(info.param.name); });

TEST(SimCardPin, RightPinUnlocks)
{
    SimModem modem(withCard(SimCard::PinRequired));
    EXPECT_EQ(modem.feed("AT+CPIN=\"1234\"\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CPIN?\r"), "\r\n+CPIN: READY\r\n\r\nOK\r\n");
    // Entering a PIN to a ready card is not allowed.
    EXPECT_EQ(modem.feed("AT+CPIN=1234\r"), "\r\n+CME ERROR: 3\r\n");
}

TEST(SimCardPin, ThreeWrongPinsBlockTheCard)
{
    SimModem modem(withCard(SimCard::PinRequired));
    EXPECT_EQ(modem.feed("AT+CPIN=\"0000\"\r"), "\r\n+CME ERROR: 16\r\n");
    EXPECT_EQ(modem.feed("AT+CPIN=\"0000\"\r"), "\r\n+CME ERROR: 16\r\n");
    EXPECT_EQ(modem.feed("AT+CPIN?\r"), "\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CPIN=\"0000\"\r"), "\r\n+CME ERROR: 16\r\n");
    EXPECT_EQ(modem.feed("AT+CPIN?\r"), "\r\n+CPIN: SIM PUK\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CPIN=\"1234\"\r"), "\r\n+CME ERROR: 50\r\n"); // the PUK and a new PIN are due
}

TEST(SimCardPin, PukSetsANewPin)
{
    SimModem modem(withCard(SimCard::PukRequired));
    EXPECT_EQ(modem.feed("AT+CPIN=\"87654321\",\"4321\"\r"), "\r\n+CME ERROR: 16\r\n");
    EXPECT_EQ(modem.feed("AT+CPIN=\"12345678\",\"4321\"\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.state().sim().pin, "4321");
    EXPECT_EQ(modem.feed("AT+CPIN?\r"), "\r\n+CPIN: READY\r\n\r\nOK\r\n");
}

TEST(SimCardPin, CommandsThatNeedTheCardWaitForIt)
{
    SimModem modem(withCard(SimCard::PinRequired));
    CommandDef cmgf;
    cmgf.name = "+CMGF";
    cmgf.needsSim = true;
    cmgf.handler = [](ModemState &, const ParsedCommand &) { return CommandResult::ok({"+CMGF: 0"}); };
    modem.commands().add(cmgf);
    EXPECT_EQ(modem.feed("AT+CMGF?\r"), "\r\n+CME ERROR: 11\r\n");
    modem.feed("AT+CPIN=1234\r");
    EXPECT_EQ(modem.feed("AT+CMGF?\r"), "\r\n+CMGF: 0\r\n\r\nOK\r\n");
    modem.state().sim().card = SimCard::Absent;
    EXPECT_EQ(modem.feed("AT+CMGF?\r"), "\r\n+CME ERROR: 10\r\n");
}

} // namespace
