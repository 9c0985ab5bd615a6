#include "clirun.h"
#include "sim/simmodem.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

namespace {

using clitest::Cli;
using clitest::CliOnSim;
using clitest::CliRun;

class BasicCli : public CliOnSim {
protected:
    QByteArray Setting(const QByteArray &name, telvio::sim::ProfileSlot slot = telvio::sim::ProfileSlot::Active)
    {
        QByteArray value;
        modem.withModem([&](telvio::sim::SimModem &m) { value = m.state().value(name, slot); });
        return value;
    }
    QByteArray Variable(const QByteArray &name)
    {
        QByteArray value;
        modem.withModem([&](telvio::sim::SimModem &m) { value = m.state().variable(name); });
        return value;
    }
    CliRun Run(const QStringList &args) { return Cli(QStringList{"--port", path, "--json"} + args); }
    QTemporaryDir dir;
};

TEST_P(BasicCli, ReadPrintsRecordAndPageState)
{
    Start();
    const CliRun r = Run({"read", "basic"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject o = r.Json();
    const QStringList keys = o.keys();
    const QSet<QString> expected = {"rings",           "autoPinEnabled",      "autoPinCode",   "compression",
                                    "compressionText", "errorCorrection",     "errorCorrectionText",
                                    "bearerCe",        "bearerCeText",        "bearerSpeed",   "bearerSpeedText",
                                    "resetDelay",      "resetEnabled",        "statusLed",     "statusLedText",
                                    "timeToReset",     "pinEnabled",          "simStatus"};
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()), expected);
    EXPECT_EQ(o.value("rings").toInt(), 0);
    EXPECT_EQ(o.value("bearerCe").toInt(), 1);
    EXPECT_EQ(o.value("bearerCeText").toString(), "1 - Non transparent only");
    EXPECT_EQ(o.value("simStatus").toInt(), 1);
}

TEST_P(BasicCli, WriteBackASavedReadWithChanges)
{
    Start();
    CliRun r = Run({"read", "basic"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QString saved = dir.filePath("basic.json");
    {
        QFile f(saved);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(r.out);
    }
    // Lists by position; the position given wins over the text the file holds.
    r = Run({"write", "basic", "--from", saved, "--set", "rings=7", "--set", "bearerSpeed=12", "--set",
             "errorCorrection=1", "--set", "resetEnabled=1", "--set", "resetDelay=048:00"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject o = r.Json();
    EXPECT_EQ(o.value("rings").toInt(), 7);
    EXPECT_EQ(o.value("bearerSpeed").toInt(), 12);
    EXPECT_EQ(o.value("bearerSpeedText").toString(), "68 - 2400 bps (V.110)");
    EXPECT_EQ(o.value("errorCorrection").toInt(), 1);
    EXPECT_EQ(Setting("S0", telvio::sim::ProfileSlot::Stored), "7");
    EXPECT_EQ(Setting("+CBST", telvio::sim::ProfileSlot::Stored), "68,0,1");
    EXPECT_EQ(Setting("\\N", telvio::sim::ProfileSlot::Stored), "5");
    EXPECT_EQ(Variable("WRST_DELAY"), "048:00");

    // An item named by its text.
    r = Run({"write", "basic", "--set", "compressionText=2 - V42bis compression"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("compression").toInt(), 1);
    EXPECT_EQ(Setting("%C", telvio::sim::ProfileSlot::Stored), "2");
}

TEST_P(BasicCli, WriteRefusals)
{
    Start();
    // The page's own validation of what the modem holds with what is
    // given: exit 1, its message, nothing written. (Values that are wrong
    // on their own are usage errors: FieldValues below.)
    CliRun r = Run({"write", "basic", "--set", "resetEnabled=1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Reset - Delay: \"\" is not valid.")) << r.err.constData();
    EXPECT_EQ(Variable("WRST_MODE"), "0");
}

TEST_P(BasicCli, OlderModelsHaveNoAutoPin)
{
    telvio::sim::SimConfig config;
    config.model = telvio::sim::Model::Orca1;
    Start(config);
    CliRun r = Run({"write", "basic", "--set", "autoPinEnabled=1"});
    EXPECT_EQ(r.exitCode, 2);
    r = Run({"write", "basic", "--set", "autoPinEnabled=0", "--set", "rings=3"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    r = Run({"basic", "embedded-app"});
    EXPECT_EQ(r.exitCode, 1);
}

TEST_P(BasicCli, FactoryFollowsThePort)
{
    telvio::sim::SimConfig config;
    config.line.baud = 115200;
    config.line.stopBits = 2;
    Start(config);
    CliRun r = Cli({"--port", path, "--baud", "115200", "--framing", "8N2", "--json", "basic", "factory"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("link").toString(), "9600,N,8,1");
    r = Run({"read", "basic"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
}

TEST_P(BasicCli, ResetNowClosesTheLink)
{
    Start();
    const CliRun r = Run({"basic", "reset-now"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("connected").toInt(), 0);
}

TEST_P(BasicCli, PinOperations)
{
    telvio::sim::SimConfig config;
    config.sim = telvio::sim::SimCard::PinRequired;
    config.pin = "1234";
    Start(config);
    CliRun r = Run({"pin", "enter", "1111"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("PIN not accepted.")) << r.err.constData();
    r = Run({"pin", "enter", "12a"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("PIN code not properly formated!")) << r.err.constData();
    r = Run({"pin", "enter", "1234"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("simStatus").toInt(), 1);
    // Ready now: Enter PIN is greyed on the page.
    r = Run({"pin", "enter", "1234"});
    EXPECT_EQ(r.exitCode, 1);

    r = Run({"pin", "change", "1234", "4321"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    r = Run({"pin", "lock", "off", "1234"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Unable to disable PIN, wrong code.")) << r.err.constData();
    r = Run({"pin", "lock", "off", "4321"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("pinEnabled").toInt(), 0);
    // Already off: nothing to do.
    r = Run({"pin", "lock", "off", "4321"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Run({"pin", "lock", "maybe", "4321"}).exitCode, 2);
    EXPECT_EQ(Run({"pin", "enter", "123456789"}).exitCode, 2);
}

TEST_P(BasicCli, DtrFunctions)
{
    Start();
    CliRun r = Run({"dtr", "dial", "0123456"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Variable("CPBR_1"), "\"0123456\",129,\"DTRDIAL\"");
    EXPECT_EQ(Setting("%D"), "1");

    r = Run({"dtr", "sms", "+4912345", "line one\\nline two"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Variable("SMS_1_TEXT"), "line one\rline two\r");
    EXPECT_EQ(Setting("%D"), "2");
    r = Run({"dtr", "sms", "+4912345", "changed"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("storedMessage").toString(), "line one\r\nline two");
    EXPECT_EQ(Variable("SMS_1_TEXT"), "changed\r");

    r = Run({"dtr", "off"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Setting("%D"), "0");

    r = Run({"dtr", "test"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("dtrToggled").toInt(), 1);
}

TEST_P(BasicCli, SmsTextFollowsTheMessageEdit)
{
    Start();
    // Typing stops at 160; a break typed at 159 still goes in.
    EXPECT_EQ(Run({"dtr", "sms", "5", QString(161, 'x')}).exitCode, 2);
    EXPECT_EQ(Run({"dtr", "sms", "5", QString(159, 'x') + "\\n"}).exitCode, 0);
    EXPECT_EQ(Run({"dtr", "sms", "5", QString(160, 'x') + "\\n"}).exitCode, 2);
    EXPECT_EQ(Run({"dtr", "sms", "5", "stop\\x1aAT"}).exitCode, 2);
    EXPECT_EQ(Run({"dtr", "sms", QString(23, '1'), "x"}).exitCode, 2);
}

TEST_P(BasicCli, DtrTestNeedsTheSim)
{
    telvio::sim::SimConfig config;
    config.sim = telvio::sim::SimCard::PinRequired;
    Start(config);
    const CliRun r = Run({"dtr", "test"});
    EXPECT_EQ(r.exitCode, 1);
}

CLI_AT_BOTH_RATES(BasicCli);

} // namespace
