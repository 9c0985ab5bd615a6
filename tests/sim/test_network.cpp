#include "sim/simmodem.h"

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

TEST(SimNetwork, SignalQualityComesFromTheVariables)
{
    SimModem modem(quietEcho());
    EXPECT_EQ(modem.feed("AT+CSQ\r"), answer("+CSQ: 20,99"));
    EXPECT_EQ(modem.feed("AT+CSQ=?\r"), answer("+CSQ: (0-31,99),(0-7,99)"));
    EXPECT_EQ(modem.feed("AT+CSQ?\r"), "\r\nERROR\r\n");
    modem.state().setVariable("CSQ_RSSI", "99"); // not known or not detectable
    EXPECT_EQ(modem.feed("AT+CSQ\r"), answer("+CSQ: 99,99"));
}

TEST(SimNetwork, SignalNeedsNoSim)
{
    SimModem modem(quietEcho({{"SIM", "absent"}}));
    EXPECT_EQ(modem.feed("AT+CSQ\r"), answer("+CSQ: 20,99"));
}

struct AttachCase {
    const char *name;
    QList<SimAssignment> state;
    QByteArray attach;  // the answer to AT+CGATT=1
    QByteArray after;   // +CGATT? afterwards
};

void PrintTo(const AttachCase &c, std::ostream *os)
{
    *os << c.name;
}

class SimAttach : public testing::TestWithParam<AttachCase> {};

TEST_P(SimAttach, AttachNeedsSimAndNetwork)
{
    const AttachCase &c = GetParam();
    SimModem modem(quietEcho(c.state));
    EXPECT_EQ(modem.feed("AT+CGATT?\r"), answer("+CGATT: 0"));
    EXPECT_EQ(modem.feed("AT+CGATT=1\r"), c.attach);
    EXPECT_EQ(modem.feed("AT+CGATT?\r"), answer(c.after));
    EXPECT_EQ(modem.feed("AT+CGATT=0\r"), "\r\nOK\r\n"); // detaching always works
    EXPECT_EQ(modem.feed("AT+CGATT?\r"), answer("+CGATT: 0"));
}

INSTANTIATE_TEST_SUITE_P(
    States, SimAttach,
    testing::Values(AttachCase{"ready", {}, "\r\nOK\r\n", "+CGATT: 1"},
                    AttachCase{"coverage_given", {{"GPRS_COVERAGE", "1"}}, "\r\nOK\r\n", "+CGATT: 1"},
                    AttachCase{"no_coverage", {{"GPRS_COVERAGE", "0"}}, "\r\n+CME ERROR: 30\r\n", "+CGATT: 0"},
                    AttachCase{"radio_off", {{"+CFUN", "0"}}, "\r\n+CME ERROR: 30\r\n", "+CGATT: 0"},
                    AttachCase{"no_sim", {{"SIM", "absent"}}, "\r\n+CME ERROR: 10\r\n", "+CGATT: 0"},
                    AttachCase{"sim_pin", {{"SIM", "pin"}}, "\r\n+CME ERROR: 11\r\n", "+CGATT: 0"},
                    AttachCase{"sim_puk", {{"SIM", "puk"}}, "\r\n+CME ERROR: 12\r\n", "+CGATT: 0"},
                    AttachCase{"verbose_errors", {{"+CMEE", "2"}, {"GPRS_COVERAGE", "0"}},
                               "\r\n+CME ERROR: no network service\r\n", "+CGATT: 0"}),
    [](const testing::TestParamInfo<AttachCase> &info) { return std::string(info.param.name); });

TEST(SimNetwork, AttachForms)
{
    SimModem modem(quietEcho());
    EXPECT_EQ(modem.feed("AT+CGATT=?\r"), answer("+CGATT: (0-1)"));
    for (const QByteArray &refused : {QByteArray("AT+CGATT=2"), QByteArray("AT+CGATT="), QByteArray("AT+CGATT")})
        EXPECT_EQ(modem.feed(refused + '\r'), "\r\nERROR\r\n") << refused.constData();
    EXPECT_EQ(modem.feed("AT+CGATT=1\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CGATT=1\r"), "\r\nOK\r\n"); // already attached
}

TEST(SimNetwork, AttachIsNotPartOfTheProfileAndARestartDropsIt)
{
    SimModem modem(quietEcho());
    EXPECT_EQ(modem.feed("AT+CGATT=1\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("ATZ\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CGATT?\r"), answer("+CGATT: 1"));
    EXPECT_FALSE(modem.feed("AT&V\r").contains("CGATT"));
    EXPECT_EQ(modem.feed("AT+CFUN=1\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CGATT?\r"), answer("+CGATT: 0"));
}

} // namespace
