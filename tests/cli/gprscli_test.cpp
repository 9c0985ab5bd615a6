#include "clirun.h"
#include "sim/simmodem.h"

#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using clitest::Cli;
using clitest::CliOnSim;
using clitest::CliRun;
using telvio::sim::Model;
using telvio::sim::SimAssignment;
using telvio::sim::SimConfig;

class GprsCli : public CliOnSim {
protected:
    QByteArray Stored(const QByteArray &setting)
    {
        QByteArray value;
        modem.withModem(
            [&](telvio::sim::SimModem &m) { value = m.state().value(setting, telvio::sim::ProfileSlot::Stored); });
        return value;
    }
    QByteArray Variable(const QByteArray &name)
    {
        QByteArray value;
        modem.withModem([&](telvio::sim::SimModem &m) { value = m.state().variable(name); });
        return value;
    }
    CliRun Run(const QStringList &args) { return Cli(QStringList{"--port", path, "--json"} + args); }
};

TEST_P(GprsCli, WriteThenReadAndFeedTheReadBack)
{
    Start();
    CliRun r = Run({"write", "gprs", "--set", "apn=internet", "--set", "serverIp=10.0.0.1", "--set", "txDelay=135",
                    "--set", "connectionModeText=1 - Server", "--set", "syncDelay=300"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Stored("*WGPRSAPN"), "\"internet\"");
    EXPECT_EQ(Stored("*WTCPSERV"), "\"10.0.0.1\"");
    EXPECT_EQ(Stored("*WTCPTXDELAY"), "120");
    EXPECT_EQ(Stored("*WTCPMODE"), "1");
    EXPECT_EQ(Stored("*WTCPPINGSYNC"), "1,255,20");

    r = Run({"read", "gprs"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject page = r.Json();
    EXPECT_EQ(page.value("commandSet").toString(), "TcpFirmware");
    EXPECT_EQ(page.value("apn").toString(), "internet");
    EXPECT_EQ(page.value("serverIp").toString(), "10.0.0.1");
    EXPECT_EQ(page.value("txDelay").toString(), "120");
    EXPECT_EQ(page.value("connectionModeText").toString(), "1 - Server");
    EXPECT_EQ(page.value("syncDelay").toInt(), 255);
    for (const char *key : {"userName", "password", "clientIp", "port", "autoConnect", "tcpStatusInfo", "syncMode",
                            "syncIdle", "attachState", "gprsConnected", "contextActive", "autoConnectText",
                            "tcpStatusInfoText", "syncModeText", "attachStateText"})
        EXPECT_TRUE(page.contains(key)) << key;

    QTemporaryDir dir;
    QFile file(dir.filePath("gprs.json"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(r.out);
    file.close();
    r = Run({"write", "gprs", "--from", file.fileName()});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Stored("*WGPRSAPN"), "\"internet\"");
}

TEST_P(GprsCli, ConnectPingAndStartTheSocket)
{
    SimConfig config;
    config.assignments.append(SimAssignment{"PING_SECOND_MS", "20"});
    Start(config);
    CliRun r = Run({"gprs", "connect"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("gprsConnected").toInt(), 1);

    r = Run({"gprs", "ping", "--ip", "10.1.2.3", "--count", "2", "--delay", "1", "--wait", "5"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("pingConfig").toString(), "1,2,10.1.2.3");
    const QJsonArray results = r.Json().value("pingResults").toArray();
    ASSERT_EQ(results.size(), 2) << r.out.constData();
    EXPECT_EQ(results.at(1).toString(), "*WPING: 2,\"10.1.2.3\",TIME=45");

    r = Run({"gprs", "tcp", "start"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Variable("TCP_STATE"), "STARTED");
}

CLI_AT_BOTH_RATES(GprsCli);

// Refusals and the other command sets: one rate is enough.
class GprsCliRefusals : public GprsCli {};

TEST_P(GprsCliRefusals, NameThatWouldLeaveItsQuotesIsAUsageError)
{
    Start();
    const CliRun r = Run({"write", "gprs", "--set", "apn=web\";+CFUN=0;\""});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("apn")) << r.err.constData();
    EXPECT_EQ(Stored("*WGPRSAPN"), "\"\"");
}

TEST_P(GprsCliRefusals, PingNeedsAGprsConnection)
{
    Start();
    const CliRun r = Run({"gprs", "ping"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("not connected")) << r.err.constData();
}

TEST_P(GprsCliRefusals, RefusedAttachExitsOne)
{
    Start();
    CliRun r = Run({"gprs", "attach", "2"});
    EXPECT_EQ(r.exitCode, 1) << r.out.constData();
    EXPECT_TRUE(r.err.contains("Unable to preform requested operation")) << r.err.constData();
    EXPECT_EQ(r.Json().value("attachState").toInt(), 0);
    r = Run({"gprs", "attach", "1"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("attachStateText").toString(), "1 - Attached");
}

TEST_P(GprsCliRefusals, PlainModemHasNoIpActionsNorSocketFields)
{
    SimConfig config;
    config.model = Model::Orca1;
    Start(config);
    CliRun r = Run({"gprs", "connect"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("PlainGprs")) << r.err.constData();
    r = Run({"gprs", "context", "on"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("PlainGprs")) << r.err.constData();
    r = Run({"write", "gprs", "--set", "userName=me"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("PlainGprs")) << r.err.constData();
    r = Run({"write", "gprs", "--set", "apn=web.net"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Variable("CGDCONT_1"), "1,\"IP\",\"web.net\",\"0.0.0.0\",0,0");
}

TEST_P(GprsCliRefusals, IpStackSessionLeftOpenIsClosedByTheNextCommand)
{
    SimConfig config;
    config.model = Model::Orca1Us;
    Start(config);
    CliRun r = Run({"gprs", "session", "open", "client"});
    EXPECT_EQ(r.exitCode, 1) << "no context yet";
    r = Run({"gprs", "session", "close"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    r = Run({"gprs", "context", "on"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("contextActive").toInt(), 1);
    r = Run({"gprs", "session", "open", "client"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Variable("TCP_SESSION"), "client");
    // The modem is in data mode: the close ends it before identifying.
    r = Run({"gprs", "session", "close"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Variable("TCP_SESSION"), "0");
    r = Run({"read", "gprs"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("commandSet").toString(), "IpStack");
}

INSTANTIATE_TEST_SUITE_P(Rates, GprsCliRefusals, ::testing::Values(clitest::LineRate::Full), clitest::RateName);

} // namespace
