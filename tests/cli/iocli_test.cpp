// `read io`, `write io`, `read callback` and `write callback` against the
// simulator, as a user runs them.
#include "clirun.h"
#include "sim/simmodem.h"

#include <QJsonArray>

#include <gtest/gtest.h>

namespace {

using clitest::Cli;
using clitest::CliOnSim;
using clitest::CliRun;

class IoCli : public CliOnSim {
protected:
    QByteArray Variable(const QByteArray &name)
    {
        QByteArray value;
        modem.withModem([&](telvio::sim::SimModem &m) { value = m.state().variable(name); });
        return value;
    }
};

TEST_P(IoCli, WriteThenReadGivesBackTheEntriesAndParameters)
{
    Start();
    CliRun r = Cli({"--port", path, "--json", "write", "io", "--set", "entries.4.service=SMS", "--set",
                    "entries.4.retryText=RETRY_3", "--set", "entries.4.data2=Door open, now", "--set",
                    "entries.4.time=300", "--set", "tp=7", "--set", "outputCtrlText=3 - DCD", "--set", "enable=1"});
    ASSERT_EQ(r.exitCode, 2) << "300 is no timeout: " << r.err.constData();
    r = Cli({"--port", path, "--json", "write", "io", "--set", "entries.4.service=SMS", "--set",
             "entries.4.retryText=RETRY_3", "--set", "entries.4.data2=Door open, now", "--set", "entries.4.time=30",
             "--set", "tp=7", "--set", "outputCtrlText=3 - DCD", "--set", "enable=1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Variable("WIOL_4_DATA2"), "Door open, now");
    EXPECT_EQ(Variable("WIOP_NORM"), "3");

    r = Cli({"--port", path, "--json", "read", "io"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject o = r.Json();
    EXPECT_EQ(o.value("tp").toString(), "7");
    EXPECT_EQ(o.value("outputCtrlText").toString(), "3 - DCD");
    EXPECT_EQ(o.value("enable").toInt(), 1);
    const QJsonArray entries = o.value("entries").toArray();
    ASSERT_EQ(entries.size(), 10);
    const QJsonObject e4 = entries.at(3).toObject();
    EXPECT_EQ(e4.value("serviceText").toString(), "SMS");
    EXPECT_EQ(e4.value("retryText").toString(), "RETRY_3");
    EXPECT_EQ(e4.value("time").toString(), "30");
    EXPECT_EQ(e4.value("data2").toString(), "Door open, now");
    EXPECT_EQ(entries.at(0).toObject().value("serviceText").toString(), "NONE");
}

CLI_AT_BOTH_RATES(IoCli);

class IoCliOnce : public IoCli {};

TEST_P(IoCliOnce, EntriesOptionWritesOnlyTheNamedRows)
{
    telvio::sim::SimConfig config;
    config.assignments = {{"WIOP_TMIN", "9"}, {"WIOL_2_SERVICE", "DIAL"}, {"WIOL_5_SERVICE", "OUT"}};
    Start(config);
    const CliRun r = Cli({"--port", path, "write", "io", "--entries", "3-4", "--set", "tp=7", "--set",
                          "entries.2.service=CMD", "--set", "entries.4.service=TEXT"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Variable("WIOL_4_SERVICE"), "TEXT");
    EXPECT_EQ(Variable("WIOL_3_SERVICE"), "NONE");
    EXPECT_EQ(Variable("WIOL_2_SERVICE"), "DIAL");
    EXPECT_EQ(Variable("WIOL_5_SERVICE"), "OUT");
    EXPECT_EQ(Variable("WIOP_TMIN"), "9");
}

TEST_P(IoCliOnce, BadValuesAreUsageErrorsBeforeThePortOpens)
{
    for (const QStringList &args :
         {QStringList{"write", "io", "--entries", "0-3"}, QStringList{"write", "io", "--set", "entries.11.time=1"},
          QStringList{"write", "io", "--set", "entries.1.data4=123"},
          QStringList{"write", "io", "--set", "entries.1.data1=a\rb"},
          QStringList{"write", "callback", "--set", "passwords.2=say \"hi\""},
          QStringList{"write", "callback", "--set", "control=7"}}) {
        const CliRun r = Cli(QStringList{"--port", "/dev/nonexistent-telvio"} + args);
        EXPECT_EQ(r.exitCode, 2) << qPrintable(args.join(' ')) << r.err.constData();
    }
}

TEST_P(IoCliOnce, AModelWithoutThePagesIsNamed)
{
    telvio::sim::SimConfig config;
    config.model = telvio::sim::Model::Pike2;
    Start(config);
    for (const char *page : {"io", "callback"}) {
        const CliRun r = Cli({"--port", path, "read", page});
        EXPECT_EQ(r.exitCode, 1) << page;
        EXPECT_TRUE(r.err.contains("Pike-2")) << r.err.constData();
    }
}

TEST_P(IoCliOnce, CallbackWriteSendsEverythingBackAndReadsTheDelay)
{
    telvio::sim::SimConfig config;
    config.assignments = {{"WCBTIME", "45"}, {"WCBTAB_1", "+4670111"}};
    Start(config);
    CliRun r = Cli({"--port", path, "--json", "read", "callback"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("delay").toString(), "45");
    EXPECT_EQ(r.Json().value("numbers").toArray().at(0).toString(), "+4670111");

    r = Cli({"--port", path, "write", "callback", "--set", "controlText=5 - Callback enabled, Use incoming number",
             "--set", "passwords.3=two words", "--set", "numbers.1="});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Variable("WCB"), "5");
    EXPECT_EQ(Variable("WCBTIME"), "45");
    EXPECT_EQ(Variable("WCBPWD_3"), "two words");
    EXPECT_EQ(Variable("WCBTAB_1"), "");
}

TEST_P(IoCliOnce, ARefusedCallbackSaveExitsOne)
{
    telvio::sim::SimConfig config;
    config.faults.append(*telvio::sim::parseFault(QStringLiteral("*WCBTAB2=error")));
    Start(config);
    const CliRun r = Cli({"--port", path, "write", "callback", "--set", "numbers.3=555"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Error: Unable to save settings...")) << r.err.constData();
    EXPECT_EQ(Variable("WCBTAB_3"), "");
}

INSTANTIATE_TEST_SUITE_P(FullSpeed, IoCliOnce, ::testing::Values(clitest::LineRate::Full), clitest::RateName);

} // namespace
