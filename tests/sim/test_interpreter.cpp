#include "sim/simmodem.h"

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

const QByteArray imei = defaultImei(Model::Pike3);

SimConfig configWith(bool echo, bool verbose, bool quiet)
{
    SimConfig config;
    config.echo = echo;
    config.verbose = verbose;
    config.quiet = quiet;
    return config;
}

// One exchange: what a modem in a given mode sends back for the given bytes.
struct ExchangeCase {
    const char *name;
    bool echo;
    bool verbose;
    bool quiet;
    QByteArray sent;
    QByteArray expected;
};

void PrintTo(const ExchangeCase &c, std::ostream *os)
{
    *os << c.name;
}

class SimInterpreterExchange : public testing::TestWithParam<ExchangeCase> {};

TEST_P(SimInterpreterExchange, AnswersInTheModeItIsIn)
{
    const ExchangeCase &c = GetParam();
    SimModem modem(configWith(c.echo, c.verbose, c.quiet));
    EXPECT_EQ(modem.feed(c.sent), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Scanning, SimInterpreterExchange,
    testing::Values(
        ExchangeCase{"echo_precedes_answer", true, true, false, "AT\r", "AT\r\r\nOK\r\n"},
        ExchangeCase{"lower_case_prefix", false, true, false, "at\r", "\r\nOK\r\n"},
        ExchangeCase{"mixed_case_prefix", false, true, false, "At\r", "\r\nOK\r\n"},
        ExchangeCase{"bare_cr_is_echoed_only", true, true, false, "\r", "\r"},
        ExchangeCase{"bare_cr_without_echo_is_silent", false, true, false, "\r", ""},
        ExchangeCase{"text_without_prefix_is_ignored", false, true, false, "hello\r", ""},
        ExchangeCase{"junk_before_prefix", true, true, false, "xyAT\r", "xyAT\r\r\nOK\r\n"},
        ExchangeCase{"lf_after_cr_is_dropped", false, true, false, "AT\r\nAT\r\n", "\r\nOK\r\n\r\nOK\r\n"},
        ExchangeCase{"backspace_edits_line", false, true, false, "ATI3X\b\r", "\r\nKR3.10 Pike-3 2024-05-14\r\n\r\nOK\r\n"},
        ExchangeCase{"blanks_after_prefix", false, true, false, "AT   \r", "\r\nOK\r\n"},
        ExchangeCase{"unknown_command", false, true, false, "AT+NOPE\r", "\r\nERROR\r\n"},
        ExchangeCase{"two_lines_in_one_chunk", false, true, false, "AT\rATS0?\r", "\r\nOK\r\n\r\n000\r\n\r\nOK\r\n"}),
    [](const testing::TestParamInfo<ExchangeCase> &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    ResultFormats, SimInterpreterExchange,
    testing::Values(
        ExchangeCase{"verbose_ok", false, true, false, "AT\r", "\r\nOK\r\n"},
        ExchangeCase{"numeric_ok", false, false, false, "AT\r", "0\r"},
        ExchangeCase{"numeric_ok_with_echo", true, false, false, "AT\r", "AT\r0\r"},
        ExchangeCase{"verbose_information", false, true, false, "AT+CGSN\r", "\r\n" + imei + "\r\n\r\nOK\r\n"},
        ExchangeCase{"numeric_information", false, false, false, "AT+CGSN\r", imei + "\r\n0\r"},
        ExchangeCase{"verbose_error", false, true, false, "AT+NOPE\r", "\r\nERROR\r\n"},
        ExchangeCase{"numeric_error", false, false, false, "AT+NOPE\r", "4\r"},
        ExchangeCase{"quiet_drops_ok", false, true, true, "AT\r", ""},
        ExchangeCase{"quiet_drops_error", false, true, true, "AT+NOPE\r", ""},
        ExchangeCase{"quiet_keeps_information", false, true, true, "AT+CGSN\r", "\r\n" + imei + "\r\n"},
        ExchangeCase{"quiet_keeps_echo", true, true, true, "AT\r", "AT\r"},
        // V, Q and E take effect for the result of their own line, and echo stops after it.
        ExchangeCase{"v0_answers_numerically", false, true, false, "ATV0\r", "0\r"},
        ExchangeCase{"v1_answers_verbosely", false, false, false, "ATV1\r", "\r\nOK\r\n"},
        ExchangeCase{"q1_suppresses_own_result", false, true, false, "ATQ1\r", ""},
        ExchangeCase{"q0_reports_own_result", false, true, true, "ATQ0\r", "\r\nOK\r\n"},
        ExchangeCase{"e0_line_is_still_echoed", true, true, false, "ATE0\rAT\r", "ATE0\r\r\nOK\r\n\r\nOK\r\n"},
        ExchangeCase{"e1_line_is_not_echoed", false, true, false, "ATE1\rAT\r", "\r\nOK\r\nAT\r\r\nOK\r\n"}),
    [](const testing::TestParamInfo<ExchangeCase> &info) { return std::string(info.param.name); });

TEST(SimInterpreter, BytesMayArriveOneAtATime)
{
    SimModem whole{SimConfig{}};
    SimModem split{SimConfig{}};
    const QByteArray line = "ATE1 S0=3;+CGSN\r";
    QByteArray answer;
    for (char c : line)
        answer += split.feed(QByteArray(1, c));
    EXPECT_EQ(answer, whole.feed(line));
}

TEST(SimInterpreter, ARepeatsTheLastLineWithoutWaitingForCr)
{
    SimModem modem(configWith(false, true, false));
    const QByteArray first = modem.feed("ATI3\r");
    EXPECT_EQ(modem.feed("A/"), first);
    EXPECT_EQ(modem.feed("a/"), first);
}

TEST(SimInterpreter, OverlongLineIsRefused)
{
    SimModem modem(configWith(false, true, false));
    EXPECT_EQ(modem.feed("AT" + QByteArray(600, 'E') + "\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.feed("AT\r"), "\r\nOK\r\n");
}

TEST(SimInterpreter, NewLineTerminatorFramesItsOwnResult)
{
    // V.250: the line that changes S3 ends with the old S3, its result uses the new one.
    SimModem modem(configWith(false, true, false));
    EXPECT_EQ(modem.feed("ATS3=64\r"), "@\nOK@\n");
    EXPECT_EQ(modem.feed("AT\r"), ""); // CR is now an ordinary control character
    EXPECT_EQ(modem.feed("@"), "@\nOK@\n");
}

class SimInterpreterLines : public testing::Test {
protected:
    SimModem modem{configWith(false, true, false)};
};

TEST_F(SimInterpreterLines, SerialPageWriteLineSetsEverySetting)
{
    EXPECT_EQ(modem.feed("ATV1 &C0 &D1 &S0 E0 +IPR=115200\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.state().value("&C"), "0");
    EXPECT_EQ(modem.state().value("&D"), "1");
    EXPECT_EQ(modem.state().value("&S"), "0");
    EXPECT_EQ(modem.state().value("+IPR"), "115200");
}

TEST_F(SimInterpreterLines, EachInformationTextHasItsOwnFrame)
{
    EXPECT_EQ(modem.feed("AT+CGSN;+CMEE?\r"), "\r\n" + imei + "\r\n\r\n+CMEE: 1\r\n\r\nOK\r\n");
}

TEST_F(SimInterpreterLines, FirstErrorStopsTheLineButEarlierCommandsStay)
{
    EXPECT_EQ(modem.feed("ATS0=5 +NOPE S0=7\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.state().value("S0"), "5");
}

TEST_F(SimInterpreterLines, InformationBeforeAnErrorIsSent)
{
    EXPECT_EQ(modem.feed("AT+CGSN;+NOPE\r"), "\r\n" + imei + "\r\n\r\nERROR\r\n");
}

TEST_F(SimInterpreterLines, SyntaxErrorEndsTheLineAfterTheCommandsBeforeIt)
{
    EXPECT_EQ(modem.feed("ATS0=3 $\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.state().value("S0"), "3");
}

TEST_F(SimInterpreterLines, InvalidValueIsAnErrorAndKeepsTheSetting)
{
    EXPECT_EQ(modem.feed("ATE2\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.feed("ATV5\r"), "\r\nERROR\r\n");
    EXPECT_TRUE(modem.state().echo() == false);
    EXPECT_EQ(modem.state().value("V"), "1");
}

TEST(SimInterpreterTable, NewCommandsPlugIntoTheTable)
{
    SimModem modem(configWith(false, true, false));
    modem.state().setVariable("OPERATOR", "Kestrava Net");
    modem.commands().addCanned("+COPS", {{CommandForm::Read, "+COPS: 0,0,\"${OPERATOR}\""}});
    SettingDef cbst;
    cbst.name = "+CBST";
    cbst.factory = "0,0,1";
    cbst.fields = {SettingField::values({0, 7, 71}), SettingField::range(0, 0, 0), SettingField::range(0, 3, 1)};
    cbst.testText = "(0,7,71),(0),(0-3)";
    cbst.dumpLine = 1;
    modem.state().addSetting(cbst);

    EXPECT_EQ(modem.feed("AT+COPS?\r"), "\r\n+COPS: 0,0,\"Kestrava Net\"\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+COPS\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.feed("AT+CBST=7,0,3\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CBST=8\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.feed("AT+CBST=71\r"), "\r\nOK\r\n"); // omitted fields take their default
    EXPECT_EQ(modem.feed("AT+CBST?\r"), "\r\n+CBST: 71,0,1\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CBST=?\r"), "\r\n+CBST: (0,7,71),(0),(0-3)\r\n\r\nOK\r\n");
    EXPECT_TRUE(modem.feed("AT&V\r").contains("+CBST:71,0,1"));
}

} // namespace
