#include "sim/simmodem.h"

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

const QByteArray imeiAnswer = "\r\n" + defaultImei(Model::Pike3) + "\r\n\r\nOK\r\n";

class SimFault : public testing::Test {
protected:
    SimFault()
    {
        SimConfig config;
        config.echo = false;
        modem = std::make_unique<SimModem>(config);
    }
    void addFault(const QByteArray &command, FaultKind kind, int delayMs = 0, bool once = false)
    {
        modem->faults().add(Fault{command, kind, delayMs, once});
    }
    std::unique_ptr<SimModem> modem;
};

TEST_F(SimFault, ErrorReplacesTheAnswer)
{
    addFault("+CGSN", FaultKind::Error);
    EXPECT_EQ(modem->feed("AT+CGSN\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem->feed("AT+CGSN\r"), "\r\nERROR\r\n"); // persistent
    EXPECT_EQ(modem->feed("AT\r"), "\r\nOK\r\n");
}

TEST_F(SimFault, ErrorFollowsNumericMode)
{
    addFault("+CGSN", FaultKind::Error);
    modem->feed("ATV0\r");
    EXPECT_EQ(modem->feed("AT+CGSN\r"), "4\r");
}

TEST_F(SimFault, OnceFaultsTriggerOnce)
{
    addFault("+CGSN", FaultKind::NoAnswer, 0, true);
    EXPECT_EQ(modem->feed("AT+CGSN\r"), "");
    EXPECT_EQ(modem->feed("AT+CGSN\r"), imeiAnswer);
    EXPECT_TRUE(modem->faults().isEmpty());
}

TEST_F(SimFault, NoAnswerKeepsTheEcho)
{
    modem->feed("ATE1\r");
    addFault("+CGSN", FaultKind::NoAnswer);
    EXPECT_EQ(modem->feed("AT+CGSN\r"), "AT+CGSN\r");
}

TEST_F(SimFault, NoiseReplacesTheAnswerWithGarbage)
{
    addFault("+CGSN", FaultKind::Noise);
    const QByteArray answer = modem->feed("AT+CGSN\r");
    ASSERT_FALSE(answer.isEmpty());
    for (char c : answer)
        EXPECT_GE(static_cast<unsigned char>(c), 0x80);
}

TEST_F(SimFault, DelayHoldsTheWholeAnswer)
{
    addFault("+CGSN", FaultKind::Delay, 250);
    const Output out = modem->receive("AT+CGSN\r");
    ASSERT_EQ(out.size(), 2);
    EXPECT_EQ(out.at(0).kind, OutputItem::Kind::Pause);
    EXPECT_EQ(out.at(0).pauseMs, 250);
    EXPECT_EQ(out.at(1).bytes, imeiAnswer);
}

TEST_F(SimFault, HangUpEndsTheModem)
{
    addFault("+CGSN", FaultKind::HangUp);
    const Output out = modem->receive("AT+CGSN\r");
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(out.at(0).kind, OutputItem::Kind::HangUp);
    EXPECT_TRUE(modem->hungUp());
    EXPECT_TRUE(modem->receive("AT\r").isEmpty());
}

TEST_F(SimFault, CommandsBeforeTheFaultRunTheOnesAfterDoNot)
{
    addFault("+CGSN", FaultKind::Error);
    EXPECT_EQ(modem->feed("ATS0=4 +CGSN S0=9\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem->state().value("S0"), "4");
}

TEST_F(SimFault, DelayedCommandStillRuns)
{
    addFault("S0=", FaultKind::Delay, 10);
    EXPECT_EQ(modem->feed("ATS0=6\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem->state().value("S0"), "6");
}

struct CmeCase {
    const char *name;
    int cmee;
    bool verbose;
    QByteArray answer;
};

void PrintTo(const CmeCase &c, std::ostream *os)
{
    *os << c.name;
}

class SimFaultCme : public testing::TestWithParam<CmeCase> {};

// The fault's +CME ERROR is framed as any other: +CMEE picks number, text or
// plain ERROR, and in V0 it stays text (it has no number of its own).
TEST_P(SimFaultCme, AnswersTheErrorAsTheModemReportsErrors)
{
    SimConfig config;
    config.echo = false;
    config.cmee = GetParam().cmee;
    config.verbose = GetParam().verbose;
    SimModem modem(config);
    modem.faults().add(Fault{"S0=", FaultKind::CmeError, 0, false, 30});
    EXPECT_EQ(modem.feed("ATS0=5\r"), GetParam().answer);
    EXPECT_EQ(modem.state().value("S0"), "0"); // the command did not run
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SimFaultCme,
    testing::Values(CmeCase{"numeric", 1, true, "\r\n+CME ERROR: 30\r\n"},
                    CmeCase{"verbose_text", 2, true, "\r\n+CME ERROR: no network service\r\n"},
                    CmeCase{"reporting_off", 0, true, "\r\nERROR\r\n"},
                    CmeCase{"numeric_result_codes", 1, false, "+CME ERROR: 30\r\n"},
                    CmeCase{"reporting_off_numeric", 0, false, "4\r"}),
    [](const testing::TestParamInfo<CmeCase> &info) { return std::string(info.param.name); });

TEST_F(SimFault, CmeOnTheEmptyLineAndUnknownNumbers)
{
    modem->faults().add(Fault{"AT", FaultKind::CmeError, 0, true, 515});
    EXPECT_EQ(modem->feed("AT\r"), "\r\n+CME ERROR: 515\r\n");
    modem->feed("AT+CMEE=2\r");
    modem->faults().add(Fault{"+CGSN", FaultKind::CmeError, 0, true, 515});
    EXPECT_EQ(modem->feed("AT+CGSN\r"), "\r\n+CME ERROR: unknown\r\n");
}

struct UnsolicitedCase {
    const char *name;
    QByteArray fault; // the command the fault is on
    QByteArray text;
    QByteArray setup; // a line sent first (ATV0, ATQ1), empty for none
    QByteArray line;
    QByteArray answer;
};

void PrintTo(const UnsolicitedCase &c, std::ostream *os)
{
    *os << c.name;
}

class SimFaultUnsolicited : public testing::TestWithParam<UnsolicitedCase> {};

// The command runs, and the unsolicited line comes after the first line of its
// answer, before the final result.
TEST_P(SimFaultUnsolicited, ComesInsideTheAnswer)
{
    const UnsolicitedCase &c = GetParam();
    SimConfig config;
    config.echo = false;
    SimModem modem(config);
    if (!c.setup.isEmpty())
        modem.feed(c.setup + '\r');
    Fault fault{c.fault, FaultKind::Unsolicited, 0, true};
    fault.text = c.text;
    modem.faults().add(fault);
    EXPECT_EQ(modem.feed(c.line + '\r'), c.answer);
    EXPECT_EQ(modem.feed(c.line + '\r').contains(c.text), false); // once
}

const QByteArray imei = defaultImei(Model::Pike3);

INSTANTIATE_TEST_SUITE_P(
    Places, SimFaultUnsolicited,
    testing::Values(
        UnsolicitedCase{"after_the_only_line", "+CGSN", "RING", {}, "AT+CGSN",
                        "\r\n" + imei + "\r\n\r\nRING\r\n\r\nOK\r\n"},
        UnsolicitedCase{"between_two_lines", "I9", "+CREG: 1", {}, "ATI9",
                        "\r\n\"Kestrava\",\"6200\",\"v3.10\",\"Pike-3\"\r\n\r\n+CREG: 1\r\n"
                        "\r\n\"BOOT\",\"v1.04\",\"2024-05-14\"\r\n\r\nOK\r\n"},
        UnsolicitedCase{"no_information_text", "S0=", "RING", {}, "ATS0=2", "\r\nRING\r\n\r\nOK\r\n"},
        UnsolicitedCase{"empty_line", "AT", "+CMTI: \"SM\",3", {}, "AT",
                        "\r\n+CMTI: \"SM\",3\r\n\r\nOK\r\n"},
        UnsolicitedCase{"ring_numeric", "+CGSN", "RING", "ATV0", "AT+CGSN", imei + "\r\n2\r0\r"},
        UnsolicitedCase{"text_numeric", "+CGSN", "+CREG: 1", "ATV0", "AT+CGSN",
                        imei + "\r\n+CREG: 1\r\n0\r"},
        UnsolicitedCase{"quiet_suppresses_it", "+CGSN", "RING", "ATQ1", "AT+CGSN", "\r\n" + imei + "\r\n"},
        UnsolicitedCase{"middle_of_a_line", "+CGMI", "RING", {}, "AT+CGMI;+CGSN",
                        "\r\nKestrava\r\n\r\nRING\r\n\r\n" + imei + "\r\n\r\nOK\r\n"}),
    [](const testing::TestParamInfo<UnsolicitedCase> &info) { return std::string(info.param.name); });

struct MatchCase {
    const char *name;
    QByteArray fault;
    QByteArray line;
    bool triggers;
};

void PrintTo(const MatchCase &c, std::ostream *os)
{
    *os << c.name;
}

class SimFaultMatch : public testing::TestWithParam<MatchCase> {};

TEST_P(SimFaultMatch, MatchingRule)
{
    SimConfig config;
    config.echo = false;
    config.sim = SimCard::PinRequired;
    SimModem modem(config);
    modem.faults().add(Fault{GetParam().fault, FaultKind::NoAnswer, 0, false});
    EXPECT_EQ(modem.feed(GetParam().line + "\r").isEmpty(), GetParam().triggers);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SimFaultMatch,
    testing::Values(MatchCase{"name_alone", "+CGSN", "AT+CGSN", true},
                    MatchCase{"with_at_prefix", "AT+CGSN", "AT+CGSN", true},
                    MatchCase{"any_case", "at+cgsn", "at+CgSn", true},
                    MatchCase{"name_matches_test_form", "+CGSN", "AT+CGSN=?", true},
                    MatchCase{"other_command", "+CGSN", "AT+CGMI", false},
                    MatchCase{"longer_name_differs", "+CPIN", "AT+CPINX?", false},
                    MatchCase{"read_form", "+CPIN?", "AT+CPIN?", true},
                    MatchCase{"read_form_not_set", "+CPIN?", "AT+CPIN=\"0000\"", false},
                    MatchCase{"set_form", "+CPIN=", "AT+CPIN=\"0000\"", true},
                    MatchCase{"test_form_only", "+CPIN=?", "AT+CPIN?", false},
                    MatchCase{"basic_with_number", "ATI9", "ATI9", true},
                    MatchCase{"basic_other_number", "I9", "ATI3", false},
                    MatchCase{"basic_any_number", "I", "ATI3", true},
                    MatchCase{"s_parameter_read", "S0?", "ATS0?", true},
                    MatchCase{"s_parameter_read_not_set", "S0?", "ATS0=1", false},
                    MatchCase{"empty_line", "AT", "AT", true},
                    MatchCase{"empty_line_only", "AT", "ATE1", false},
                    MatchCase{"inside_a_line", "+CGSN", "ATE0 +CGMI;+CGSN", true}),
    [](const testing::TestParamInfo<MatchCase> &info) { return std::string(info.param.name); });

struct ParseCase {
    const char *name;
    QString text;
    bool valid;
    Fault fault;
};

void PrintTo(const ParseCase &c, std::ostream *os)
{
    *os << c.name;
}

class SimFaultParse : public testing::TestWithParam<ParseCase> {};

TEST_P(SimFaultParse, CommandLineForm)
{
    QString error;
    const auto fault = parseFault(GetParam().text, &error);
    ASSERT_EQ(fault.has_value(), GetParam().valid) << qPrintable(error);
    if (fault)
        EXPECT_EQ(*fault, GetParam().fault);
    else
        EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SimFaultParse,
    testing::Values(ParseCase{"delay", "+CGSN=delay:500", true, {"+CGSN", FaultKind::Delay, 500, false}},
                    ParseCase{"once_and_prefix", "ATI9=error/once", true, {"I9", FaultKind::Error, 0, true}},
                    ParseCase{"set_form", "+CPIN==noanswer", true, {"+CPIN=", FaultKind::NoAnswer, 0, false}},
                    ParseCase{"silent_alias", "at&w=silent", true, {"&W", FaultKind::NoAnswer, 0, false}},
                    ParseCase{"noise", "AT=noise", true, {"", FaultKind::Noise, 0, false}},
                    ParseCase{"hangup", "+CGSN=hangup/once", true, {"+CGSN", FaultKind::HangUp, 0, true}},
                    ParseCase{"cme", "+CGATT==cme:30/once", true, {"+CGATT=", FaultKind::CmeError, 0, true, 30}},
                    ParseCase{"unsolicited_ring", "+CSQ=unsolicited", true, {"+CSQ", FaultKind::Unsolicited}},
                    ParseCase{"unsolicited_text_keeps_case_and_colon", "+CSQ=Unsolicited:+CREG: 1,\"00C3\"/once",
                              true, {"+CSQ", FaultKind::Unsolicited, 0, true, 0, "+CREG: 1,\"00C3\""}},
                    ParseCase{"unsolicited_text_with_equals", "ATI=unsolicited:+X: a=b", true,
                              {"I", FaultKind::Unsolicited, 0, false, 0, "+X: a=b"}},
                    ParseCase{"unsolicited_on_set_form", "+CPIN==unsolicited:RING", true,
                              {"+CPIN=", FaultKind::Unsolicited, 0, false, 0, "RING"}},
                    ParseCase{"cme_needs_number", "+CGSN=cme", false, {}},
                    ParseCase{"cme_number_not_text", "+CGSN=cme:thirty", false, {}},
                    ParseCase{"unsolicited_empty_text", "+CGSN=unsolicited:", false, {}},
                    ParseCase{"unknown_flag", "+CGSN=error/twice", false, {}},
                    ParseCase{"delay_needs_ms", "+CGSN=delay", false, {}},
                    ParseCase{"negative_delay", "+CGSN=delay:-5", false, {}},
                    ParseCase{"ms_only_for_delay", "+CGSN=error:5", false, {}},
                    ParseCase{"unknown_kind", "+CGSN=boom", false, {}},
                    ParseCase{"no_kind", "+CGSN", false, {}}),
    [](const testing::TestParamInfo<ParseCase> &info) { return std::string(info.param.name); });

TEST(SimFaultTable, AddingReplacesTheFaultOfTheSameCommand)
{
    FaultTable table;
    table.add(Fault{"at+cgsn", FaultKind::Error, 0, false});
    table.add(Fault{"+CGSN", FaultKind::Delay, 20, false});
    ASSERT_EQ(table.faults().size(), 1);
    EXPECT_EQ(table.faults().at(0).kind, FaultKind::Delay);
    EXPECT_TRUE(table.remove("AT+CGSN"));
    EXPECT_TRUE(table.isEmpty());
}

TEST(SimFaultTable, NarrowFormWinsOverName)
{
    SimConfig config;
    config.echo = false;
    SimModem modem(config);
    modem.faults().add(Fault{"+CPIN", FaultKind::NoAnswer, 0, false});
    modem.faults().add(Fault{"+CPIN?", FaultKind::Error, 0, false});
    EXPECT_EQ(modem.feed("AT+CPIN?\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.feed("AT+CPIN=?\r"), "");
}

} // namespace
