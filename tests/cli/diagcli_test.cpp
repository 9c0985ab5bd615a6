// `sms send`, `diag` and `diag --report` as a user runs them.
#include "clirun.h"
#include "sim/simmodem.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using clitest::Cli;
using clitest::CliOnSim;
using clitest::CliRun;

class DiagCli : public CliOnSim {
protected:
    void StartTcpPike()
    {
        telvio::sim::SimConfig config;
        config.firmware = telvio::sim::Firmware::Maker;
        Start(config);
    }
    QByteArray Variable(const QByteArray &name)
    {
        QByteArray value;
        modem.withModem([&](telvio::sim::SimModem &m) { value = m.state().variable(name); });
        return value;
    }
    void Stage(const QByteArray &command)
    {
        modem.withModem([&](telvio::sim::SimModem &m) { m.feed(command + '\r'); });
    }
};

TEST_P(DiagCli, SmsSendTakesLineBreaksAndSendsTheMessage)
{
    Start();
    Stage("AT+CSCA=\"+46708251018\"");
    const CliRun r = Cli({"--port", path, "--json", "sms", "send", "+4912345", "Pump > 3 bar\\nsite 7"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("result").toInt(), 1);
    EXPECT_EQ(Variable("SENT_1_DA"), "+4912345");
    EXPECT_EQ(Variable("SENT_1_TEXT"), "Pump > 3 bar\rsite 7\r");
}

TEST_P(DiagCli, SmsRefusedByTheModemExitsOneWithThePagesMessage)
{
    Start(); // no service centre: the network is never reached
    const CliRun r = Cli({"--port", path, "--json", "sms", "send", "123", "hello"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Error: Unable to send message!")) << r.err.constData();
    EXPECT_EQ(r.Json().value("result").toInt(), 2);
}

TEST_P(DiagCli, DiagShowsTheEightFields)
{
    StartTcpPike();
    const CliRun r = Cli({"--port", path, "--json", "diag"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject j = r.Json();
    EXPECT_EQ(j.value("revision").toString().toLatin1(), Variable("REVISION"));
    EXPECT_EQ(j.value("imei").toString().toLatin1(), Variable("IMEI"));
    EXPECT_EQ(j.value("registration").toString(), "0,1");
    EXPECT_EQ(j.value("gprsRegistration").toString(), "0,1");
    EXPECT_TRUE(j.value("gprsStatus").toString().startsWith("*WIPSTATUS: DISCONNECTED"));
    EXPECT_TRUE(j.value("modemConfiguration").toString().startsWith("ACTIVE PROFILE:\r\n"));
    EXPECT_TRUE(j.value("gprsConfiguration").toString().startsWith("*WTCPV:"));
    EXPECT_TRUE(j.value("softwareRevision").toString().startsWith("\"Kestrava\""));
}

TEST_P(DiagCli, ReportIsWrittenWithTheSettingsOfThePages)
{
    StartTcpPike();
    Stage("AT+CSCA=\"+46708251018\"");
    Stage("AT*WGPRSAPN=\"web&co\"");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("pike.htm"));
    const CliRun r = Cli({"--port", path, "diag", "--report", file});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.trimmed(), file.toLocal8Bit());
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray html = written.readAll();
    EXPECT_TRUE(html.startsWith("<!DOCTYPE HTML PUBLIC"));
    EXPECT_TRUE(html.contains("<h2>Basic tab</h2>"));
    EXPECT_TRUE(html.contains("<h2>Serial tab (v24v25)</h2>"));
    EXPECT_TRUE(html.contains("<tr><td>Service Center Addres [+CSCA]</td><td><b>+46708251018</b></td></tr>"));
    EXPECT_TRUE(html.contains("<h2>GPRS tab</h2>"));
    EXPECT_TRUE(html.contains("<tr><td>Acces point name</td><td><b>web&amp;co</b></td></tr>")) << html.constData();
    EXPECT_TRUE(html.contains("<tr><td>Port</td><td><b>9000</b></td></tr>"));
    EXPECT_TRUE(html.endsWith("</html>\r\n"));
}

TEST_P(DiagCli, ReportThatCannotBeWrittenExitsOne)
{
    Start();
    const CliRun r = Cli({"--port", path, "diag", "--report", "/nonexistent-dir/x.htm"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Unable to open file...")) << r.err.constData();
}

CLI_AT_BOTH_RATES(DiagCli);

TEST(DiagCliUsage, MessagesThatDoNotFitThePageAreRefusedBeforeThePortIsOpened)
{
    const QString tooLong(161, QLatin1Char('x'));
    for (const QStringList &args :
         {QStringList{"sms", "send", "123", tooLong}, QStringList{"sms", "send", "123", QString(159, 'x') + "\\nx"},
          QStringList{"sms", "send", "1\"2", "hi"}, QStringList{"sms", "send", "123", "a\\x1ab"},
          QStringList{"sms", "send", "123"}, QStringList{"diag", "--report"}}) {
        const CliRun r = Cli(QStringList{"--port", "/nonexistent/port"} + args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString() << r.err.constData();
    }
}

} // namespace
