#include "clirun.h"
#include "sim/simmodem.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

namespace {

using clitest::Cli;
using clitest::CliOnSim;
using clitest::CliRun;

const QStringList kFields = {"echo",     "stopBits", "responseFormat", "dsr",      "dtr",     "dcd",
                             "dteByDce", "dceByDte", "parity",         "dataBits", "dteRate", "resultCodeSuppression"};

class SerialCli : public CliOnSim {
protected:
    QByteArray Stored(const QByteArray &setting)
    {
        QByteArray value;
        modem.withModem([&](telvio::sim::SimModem &m) {
            value = m.state().value(setting, telvio::sim::ProfileSlot::Stored);
        });
        return value;
    }
    QByteArray StoredIcf() { return Stored("+ICF"); }
    QTemporaryDir dir;
};

TEST_P(SerialCli, ReadPrintsEveryFieldAsPositionAndText)
{
    Start();
    const CliRun r = Cli({"--port", path, "--json", "read", "serial"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject o = r.Json();
    QSet<QString> expected;
    for (const QString &f : kFields)
        expected << f << f + "Text";
    const QStringList keys = o.keys();
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()), expected);
    EXPECT_EQ(o.value("dteRate").toInt(), 6);
    EXPECT_EQ(o.value("dteRateText").toString(), "9600");
    EXPECT_EQ(o.value("parityText").toString(), "None");
    EXPECT_EQ(o.value("dtrText").toString(), "2 - Relase call");
    EXPECT_EQ(o.value("echo").toInt(), 1);
}

TEST_P(SerialCli, WriteMovesModemAndLinkAndBackFromASavedRead)
{
    Start();
    CliRun r = Cli({"--port", path, "--json", "read", "serial"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QString saved = dir.filePath("serial.json");
    {
        QFile f(saved);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(r.out);
    }

    // Parity asked for with two stop bits still goes without.
    r = Cli({"--port", path, "--json", "write", "serial", "--set", "dteRate=115200", "--set", "dataBits=7",
             "--set", "parity=Even", "--set", "stopBits=2", "--set", "dteByDce=0"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    QJsonObject o = r.Json();
    EXPECT_EQ(o.value("link").toString(), "115200,N,7,2");
    EXPECT_EQ(o.value("answers").toInt(), 1);
    EXPECT_EQ(o.value("parityText").toString(), "None");
    EXPECT_EQ(o.value("dteByDceText").toString(), "0 - None");
    EXPECT_EQ(StoredIcf(), "4,4");

    // The old settings no longer reach it; the new ones do.
    r = Cli({"--port", path, "read", "serial"});
    EXPECT_EQ(r.exitCode, 1);
    r = Cli({"--port", path, "--baud", "115200", "--framing", "7N2", "--json", "read", "serial"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("dataBitsText").toString(), "7");

    // Back to what was saved.
    r = Cli({"--port", path, "--baud", "115200", "--framing", "7N2", "--json", "write", "serial", "--from", saved});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("link").toString(), "9600,N,8,1");
    EXPECT_EQ(r.Json().value("dteByDceText").toString(), "2 - CTS");
    EXPECT_EQ(StoredIcf(), "3,4");
    EXPECT_EQ(Cli({"--port", path, "read", "serial"}).exitCode, 0);
}

TEST_P(SerialCli, WriteFailingHalfWaySaysSoAndWhereTheLinkIs)
{
    Start();
    modem.addFault(telvio::sim::Fault{"+IFC", telvio::sim::FaultKind::Error, 0, true});
    const CliRun r = Cli({"--port", path, "--json", "write", "serial", "--set", "dteRate=115200"});
    EXPECT_EQ(r.exitCode, 1);
    // The modem did answer: it refused.
    EXPECT_TRUE(r.err.contains("Error: the modem refused AT+IFC=2,2 with ERROR, configuration not saved!"))
        << r.err.constData();
    EXPECT_EQ(r.Json().value("link").toString(), "115200,N,8,1");
    EXPECT_FALSE(r.Json().contains("answers"));
    EXPECT_EQ(StoredIcf(), "3,4");
}

TEST_P(SerialCli, SuppressionIsSwitchedOnWhenLettingTheModemGo)
{
    // As the Connection page's Disconnect does once the user agrees; the
    // maker's firmware is left as it is there too.
    telvio::sim::SimConfig c;
    c.model = telvio::sim::Model::Orca1;
    Start(c);
    const CliRun r = Cli({"--port", path, "--json", "write", "serial", "--set", "resultCodeSuppression=1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("answers").toInt(), 1);
    EXPECT_EQ(Stored("Q"), "1");
}

TEST_P(SerialCli, UsageErrorsTouchNothing)
{
    Start();
    const QString missing = dir.filePath("missing.json");
    const struct {
        QStringList args;
        const char *says;
    } cases[] = {
        {{"read"}, "needs a page"},
        {{"read", "nosuch"}, "needs a page"},
        {{"read", "serial", "extra"}, "no more arguments"},
        {{"write", "serial", "--set", "nosuch=1"}, "has no field nosuch"},
        {{"write", "serial", "--set", "dtr"}, "FIELD=VALUE"},
        {{"write", "serial", "--from", missing}, "cannot read"},
        {{"write", "serial", "--set", "dtr=7"}, "dtr: \"7\" is not one of"},
        {{"write", "serial", "--set", "parityText=Purple"}, "parityText: \"Purple\" is not one of"},
    };
    for (const auto &c : cases) {
        const CliRun r = Cli(QStringList{"--port", path} + c.args);
        EXPECT_EQ(r.exitCode, 2) << qPrintable(c.args.join(' '));
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.constData();
    }
    EXPECT_EQ(StoredIcf(), "3,4");
    const CliRun r = Cli({"--port", path, "--json", "read", "serial"});
    EXPECT_EQ(r.Json().value("dtr").toInt(), 2);
}

CLI_AT_BOTH_RATES(SerialCli);

} // namespace
