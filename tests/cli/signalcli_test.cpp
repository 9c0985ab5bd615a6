#include "clirun.h"
#include "sim/simmodem.h"

#include <QFile>
#include <QJsonArray>

#include <gtest/gtest.h>

#include <csignal>

namespace {

using clitest::Cli;
using clitest::CliOnSim;
using clitest::CliRun;

QList<QJsonObject> JsonLines(const QByteArray &out)
{
    QList<QJsonObject> objects;
    for (const QByteArray &line : out.split('\n')) {
        if (!line.isEmpty())
            objects << QJsonDocument::fromJson(line).object();
    }
    return objects;
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SignalCli : public CliOnSim {};

TEST_P(SignalCli, CyclesPrintOneObjectEachAndAppendToTheCsv)
{
    telvio::sim::SimConfig config;
    config.assignments = {{"CELL_6", ""}, {"CSQ_BER", "1"}};
    Start(config);
    QTemporaryDir dir;
    const QString csv = dir.filePath("signal.csv");
    {
        // A log of an earlier run: appended to, no second header.
        QFile f(csv);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("time,main_cell_id\r\nearlier\r\n");
    }
    const CliRun r = Cli({"--port", path, "--json", "signal", "--count", "2", "--interval", "1", "--csv", csv});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QList<QJsonObject> cycles = JsonLines(r.out);
    ASSERT_EQ(cycles.size(), 2) << r.out.constData();
    for (const QJsonObject &o : cycles) {
        EXPECT_EQ(o.keys(), (QStringList{"ber", "berText", "cells", "time"}));
        EXPECT_TRUE(o.value("time").toString().endsWith('Z'));
        EXPECT_EQ(o.value("ber").toInt(), 1);
        EXPECT_EQ(o.value("berText").toString(), "1  (0.2%<BER<0.4%)");
        const QJsonArray cells = o.value("cells").toArray();
        ASSERT_EQ(cells.size(), 7);
        const QJsonObject main = cells.at(0).toObject();
        EXPECT_EQ(main.value("operator").toString(), "Nordvik Mobil");
        EXPECT_EQ(main.value("cellId").toString(), "3c4d");
        EXPECT_EQ(main.value("rxlev").toInt(), 40);
        EXPECT_EQ(main.value("colour").toString(), "green");
        EXPECT_EQ(cells.at(5).toObject().value("colour").toString(), "red"); // 14 < 16
        const QJsonObject empty = cells.at(6).toObject();
        EXPECT_EQ(empty.value("operator").toString("x"), "");
        EXPECT_EQ(empty.value("cellId").toString("x"), "");
        EXPECT_EQ(empty.value("rxlev").toInt(-1), 0);
    }
    // Keys as documented, in order.
    EXPECT_TRUE(r.out.startsWith("{\"time\":\"")) << r.out.constData();
    const QList<QByteArray> rows = ReadFile(csv).split('\n');
    ASSERT_EQ(rows.size(), 5) << ReadFile(csv).constData();
    EXPECT_EQ(rows[1], "earlier\r");
    EXPECT_TRUE(rows[2].endsWith(",3c4d,40,1,3c4e,33,5f01,27,0a11,22,0b20,18,0a17,14,,\r")) << rows[2].constData();
    EXPECT_TRUE(rows[3].startsWith(cycles[1].value("time").toString().toLatin1() + ",3c4d,40,1,"));
}

TEST_P(SignalCli, ARefusedOperatorFailsTheCycle)
{
    telvio::sim::SimConfig config;
    config.faults.append(*telvio::sim::parseFault(QStringLiteral("+WOPN=error")));
    Start(config);
    const CliRun r = Cli({"--port", path, "--json", "signal"});
    EXPECT_EQ(r.exitCode, 1);
    // No cycle completed: the one object is the error, as for any command.
    EXPECT_TRUE(r.Json().value("error").toString().contains("refused at+wopn=0,24001 with ERROR"))
        << r.out.constData();
    EXPECT_TRUE(r.err.contains("at+wopn=0,24001")) << r.err.constData();
}

CLI_AT_BOTH_RATES(SignalCli);

TEST(SignalCliWatch, CtrlCEndsBetweenCyclesWithTheFileComplete)
{
    telvio::sim::SimThread modem;
    telvio::sim::SimConfig config;
    config.assignments = {{"SIGNAL_DRIFT", "1"}};
    const QString path = modem.start(config);
    ASSERT_FALSE(path.isEmpty());
    QTemporaryDir dir;
    const QString csv = dir.filePath("watch.csv");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", dir.path());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TELVIO_CLI_PATH),
            {"--port", path, "--json", "signal", "--count", "0", "--interval", "1", "--csv", csv});
    QByteArray out;
    while (JsonLines(out).size() < 2 && p.waitForReadyRead(20000))
        out += p.readAllStandardOutput();
    ASSERT_EQ(JsonLines(out).size(), 2) << out.constData();
    ::kill(pid_t(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(20000));
    out += p.readAllStandardOutput();
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    const QByteArray text = ReadFile(csv);
    EXPECT_TRUE(text.endsWith("\r\n"));
    // A row per cycle printed, every one whole.
    const QList<QByteArray> rows = text.trimmed().split('\n');
    EXPECT_EQ(rows.size(), 1 + JsonLines(out).size());
    for (const QByteArray &row : rows)
        EXPECT_EQ(row.count(','), 15) << row.constData();
    modem.stop();
}

TEST(SignalCliUsage, BadOptionsAreRefusedBeforeThePortOpens)
{
    const struct {
        QStringList args;
        const char *says;
    } cases[] = {
        {{"--count", "x"}, "--count"},
        {{"--count", "-1"}, "--count"},
        {{"--interval", "0"}, "--interval"},
        {{"--interval"}, "--interval"},
        {{"--csv"}, "--csv"},
        {{"--colour", "red"}, "usage: signal"},
    };
    for (const auto &c : cases) {
        const CliRun r = Cli(QStringList{"--port", "/nonexistent/tty", "signal"} + c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.constData();
    }
}

} // namespace
