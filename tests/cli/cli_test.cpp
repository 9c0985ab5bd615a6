#include "clirun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cctype>

namespace {

using clitest::Cli;
using clitest::CliOnSim;
using clitest::CliRun;

TEST_F(CliOnSim, ProbePrintsTheModesAsJson)
{
    telvio::sim::SimConfig c;
    c.verbose = false;
    Start(c);
    const CliRun r = Cli({"--port", path, "--json", "probe"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject o = r.Json();
    EXPECT_EQ(o.value("result").toInt(), 2);
    EXPECT_EQ(o.value("verbose").toInt(), 0);
    EXPECT_EQ(o.value("echo").toInt(), 1);
    EXPECT_EQ(o.value("quiet").toInt(), 0);
    EXPECT_EQ(r.out.count('\n'), 1); // exactly one object
}

TEST_F(CliOnSim, SendHandsBackTheAnswerAndFailsOnError)
{
    Start();
    CliRun r = Cli({"--port", path, "--json", "send", "AT+CGSN"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("result").toInt(), 1);
    EXPECT_TRUE(r.Json().value("answer").toString().contains("35783100"));

    r = Cli({"--port", path, "--json", "send", "AT+NOSUCH"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.Json().value("result").toInt(), 2);
    EXPECT_FALSE(r.err.isEmpty());

    // Escapes in the texts; a success text that never comes times out.
    r = Cli({"--port", path, "--json", "send", "ATI3", "--factor", "1", "--ok", "NEVER\\r\\n", "--error", "\\x1a"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.Json().value("result").toInt(), 0);
}

// A profile dump holds E, R, R, O and R in order; by default send waits for
// the final result line, so the dump is a success. A given --error text keeps
// the in-order meaning the pages use.
TEST_F(CliOnSim, SendEndsOnTheFinalResultLineByDefault)
{
    for (const bool realRate : {false, true}) {
        telvio::sim::SimConfig config;
        config.realRate = realRate;
        telvio::sim::SimThread sim;
        const QString port = sim.start(config);
        ASSERT_FALSE(port.isEmpty());
        CliRun r = Cli({"--port", port, "--json", "send", "AT&V"});
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        EXPECT_EQ(r.Json().value("result").toInt(), 1);
        EXPECT_TRUE(r.Json().value("answer").toString().endsWith("\r\nOK\r\n")) << r.out.constData();

        r = Cli({"--port", port, "--json", "send", "AT+CPIN=\"9999\"", "--factor", "1"});
        EXPECT_EQ(r.exitCode, 1) << "real rate " << realRate;
        EXPECT_EQ(r.Json().value("result").toInt(), 2) << r.out.constData();

        if (realRate) {
            // Only a dump that arrives piece by piece springs the trap: all
            // at once, the shorter success text wins the race of passes.
            r = Cli({"--port", port, "--json", "send", "AT&V", "--error", "ERROR"});
            EXPECT_EQ(r.Json().value("result").toInt(), 2) << r.out.constData();
        }
    }
}

TEST_F(CliOnSim, IdentifyReportsTheModemAndItsPages)
{
    Start();
    const CliRun r = Cli({"--port", path, "--json", "identify"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject o = r.Json();
    EXPECT_EQ(o.value("result").toInt(), 1);
    EXPECT_EQ(o.value("modelCode").toInt(), 4);
    EXPECT_EQ(o.value("modelName").toString(), "Pike-3");
    EXPECT_EQ(o.value("imeiPrefix").toString(), "35783100");
    EXPECT_EQ(o.value("imei").toString().size(), 15);
    EXPECT_EQ(o.value("baud").toString(), "9600");
    EXPECT_EQ(o.value("parity").toString(), "N");
    EXPECT_EQ(o.value("makerFirmware").toInt(), 1);
    EXPECT_EQ(o.value("simStatus").toInt(), 1);
    QStringList pages;
    for (const QJsonValue &v : o.value("pages").toArray())
        pages << v.toString();
    EXPECT_EQ(pages, (QStringList{"Basic", "Serial", "SMS", "GPRS", "Signal", "Diagnostic", "I/O", "Callback"}));
}

TEST_F(CliOnSim, IdentifySearchFindsAnotherRate)
{
    telvio::sim::SimConfig c;
    c.line.baud = 115200;
    c.line.stopBits = 2;
    Start(c);
    const CliRun r = Cli({"--port", path, "--json", "identify", "--search"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("baud").toString(), "115200");
    EXPECT_EQ(r.Json().value("stopBits").toString(), "2");
    EXPECT_TRUE(r.err.contains("[11/80] Searching")); // progress on standard error
}

TEST_F(CliOnSim, IdentifyWithoutAnswerExitsOne)
{
    telvio::sim::SimConfig c;
    c.model = telvio::sim::Model::Pike2;
    c.imei = "358021081917381";
    Start(c);
    const CliRun r = Cli({"--port", path, "--json", "identify"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.Json().value("result").toInt(), 0);
}

struct UsageCase {
    const char *name;
    QStringList args;
    int exitCode;
};

class CliUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, ExitStatus)
{
    const CliRun r = Cli(GetParam().args);
    EXPECT_EQ(r.exitCode, GetParam().exitCode) << GetParam().name << ": " << r.err.constData();
    if (GetParam().exitCode != 0)
        EXPECT_FALSE(r.err.isEmpty()) << GetParam().name;
    if (GetParam().args.contains("--json"))
        EXPECT_FALSE(r.Json().isEmpty()) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUsage,
    ::testing::Values(UsageCase{"no command", {}, 2}, UsageCase{"unknown command", {"dance"}, 2},
                      UsageCase{"unknown option", {"--fast", "probe"}, 2},
                      UsageCase{"probe without port", {"probe"}, 2},
                      UsageCase{"bad framing", {"--port", "/dev/null", "--framing", "9X1", "probe"}, 2},
                      UsageCase{"bad factor", {"--port", "/dev/null", "send", "AT", "--factor", "11"}, 2},
                      UsageCase{"missing port", {"--port", "/dev/telvio-none", "--json", "probe"}, 3},
                      UsageCase{"ports", {"ports"}, 0}, UsageCase{"ports as json", {"--json", "ports"}, 0},
                      UsageCase{"help", {"--help"}, 0}),
    [](const ::testing::TestParamInfo<UsageCase> &info) {
        std::string name = info.param.name;
        for (char &c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

} // namespace
