#include "clirun.h"
#include "sim/simmodem.h"

#include <gtest/gtest.h>

namespace {

using clitest::Cli;
using clitest::CliOnSim;
using clitest::CliRun;

class SmsCli : public CliOnSim {
protected:
    QByteArray Active(const QByteArray &setting)
    {
        QByteArray value;
        modem.withModem([&](telvio::sim::SimModem &m) { value = m.state().value(setting); });
        return value;
    }
};

TEST_P(SmsCli, WriteThenReadGivesBackTheServiceCentreAndFormat)
{
    Start();
    CliRun r = Cli({"--port", path, "--json", "write", "sms", "--set", "serviceCentre=+46708251018", "--set",
                    "format=0"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Active("+CSCA"), "\"+46708251018\",145");
    EXPECT_EQ(Active("+CMGF"), "0");

    r = Cli({"--port", path, "--json", "read", "sms"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("serviceCentre").toString(), "+46708251018");
    EXPECT_EQ(r.Json().value("formatText").toString(), "0 - PDU");
}

TEST_P(SmsCli, AnAddressThatWouldLeaveItsQuotesIsAUsageError)
{
    Start();
    const CliRun r = Cli({"--port", path, "--json", "write", "sms", "--set", "serviceCentre=1\";+CFUN=0"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("serviceCentre")) << r.err.constData();
    EXPECT_EQ(Active("+CSCA"), "\"\",129");
}

TEST_P(SmsCli, ARefusedWriteExitsOne)
{
    telvio::sim::SimConfig config;
    config.faults.append(*telvio::sim::parseFault(QStringLiteral("+CSAS=error")));
    Start(config);
    const CliRun r = Cli({"--port", path, "--json", "write", "sms", "--set", "serviceCentre=123"});
    EXPECT_EQ(r.exitCode, 1) << r.out.constData();
    EXPECT_TRUE(r.err.contains("Unable to save settings... (the modem refused AT+CSAS with ERROR)"))
        << r.err.constData();
}

// A refused query leaves the field unread: the read says so and fails, and
// a write will not send back what it could not read.
TEST_P(SmsCli, ARefusedQueryIsNoSuccess)
{
    telvio::sim::SimConfig config;
    config.faults.append(*telvio::sim::parseFault(QStringLiteral("+CSCA?=cme:10")));
    Start(config);
    CliRun r = Cli({"--port", path, "--json", "read", "sms"});
    EXPECT_EQ(r.exitCode, 1) << r.out.constData();
    EXPECT_TRUE(r.err.contains("serviceCentre")) << r.err.constData();
    EXPECT_TRUE(r.Json().contains("format")) << r.out.constData();

    r = Cli({"--port", path, "--json", "write", "sms", "--set", "format=0"});
    EXPECT_EQ(r.exitCode, 1) << r.out.constData();
    EXPECT_EQ(Active("+CMGF"), "1");
}

CLI_AT_BOTH_RATES(SmsCli);

} // namespace
