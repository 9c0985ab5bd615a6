// `telvio-cli provision`: one profile into several simulated modems at
// once, each port on its own, failures named per port.
#include "clirun.h"
#include "sim/simmodem.h"
#include "support/pty.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

using clitest::Cli;
using clitest::CliRun;
using telvio::sim::Fault;
using telvio::sim::FaultKind;
using telvio::sim::SimConfig;
using telvio::sim::SimThread;

// A device that answers every command with line noise and never an OK.
class NoisyLine {
public:
    NoisyLine()
    {
        m_thread = std::thread([this] {
            while (!m_stop) {
                if (!m_pty.Read(20).isEmpty())
                    m_pty.Write(QByteArray("\x93\xff#k\x02\r\x7f~q", 9));
            }
        });
    }
    ~NoisyLine()
    {
        m_stop = true;
        m_thread.join();
    }
    QString Path() const { return m_pty.SlavePath(); }

private:
    telvio::test::Pty m_pty;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

QMap<QString, QJsonObject> ByPort(const CliRun &r)
{
    QMap<QString, QJsonObject> rows;
    for (const QJsonValue &v : r.Json().value("results").toArray())
        rows.insert(v.toObject().value("port").toString(), v.toObject());
    return rows;
}

class Provision : public clitest::CliOnSim {
protected:
    // A modem of the fleet; `faults` put where the write should break.
    QString Add(SimConfig config = SimConfig(), const QList<Fault> &faults = {})
    {
        config.realRate = RealRate();
        config.faults = faults;
        fleet.push_back(std::make_unique<SimThread>());
        return fleet.back()->start(config);
    }
    QByteArray Stored(int at, const QByteArray &name)
    {
        QByteArray value;
        fleet.at(size_t(at))->withModem([&](telvio::sim::SimModem &m) {
            value = m.state().value(name, telvio::sim::ProfileSlot::Stored);
        });
        return value;
    }
    // A profile saved from a modem like the fleet's, with the site's values.
    QString SiteProfile()
    {
        Start();
        const QString file = dir.filePath("site.dat");
        EXPECT_EQ(Cli({"--port", path, "profile", "save", file}).exitCode, 0);
        modem.stop();
        EXPECT_EQ(Cli({"profile", "edit", file, "--set", "basic.rings=4", "--set", "sms.serviceCentre=+46709999"})
                      .exitCode,
                  0);
        return file;
    }
    std::vector<std::unique_ptr<SimThread>> fleet;
    QTemporaryDir dir;
};

TEST_P(Provision, EveryModemWrittenStoredAndReadBack)
{
    const QString file = SiteProfile();
    const QStringList ports{Add(), Add(), Add()};
    const QString report = dir.filePath("fleet.csv");
    const CliRun r = Cli(QStringList{"--json", "provision", file, "--report", report, "--ports"} + ports);
    ASSERT_EQ(r.exitCode, 0) << r.out.constData() << r.err.constData();
    const auto rows = ByPort(r);
    ASSERT_EQ(rows.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QJsonObject row = rows.value(ports.at(i));
        EXPECT_EQ(row.value("result").toString(), "ok") << row.value("error").toString().toStdString();
        EXPECT_EQ(row.value("model").toString(), "Pike-3");
        EXPECT_EQ(row.value("imei").toString().size(), 15);
        EXPECT_EQ(row.value("pagesWritten").toArray(), QJsonArray({"basic", "serial", "sms", "gprs"}));
        EXPECT_TRUE(row.value("differences").toArray().isEmpty());
        EXPECT_EQ(Stored(i, "S0"), "4") << "stored with AT&W";
        EXPECT_TRUE(r.err.contains((ports.at(i) + ": ok").toUtf8())) << r.err.constData();
    }
    QFile csv(report);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines.at(0), "port,imei,model,pages,differences,result,seconds,error");
    EXPECT_TRUE(lines.at(1).contains(",basic serial sms gprs,0,ok,")) << lines.at(1).constData();
}

// The ones that fail are named, each with its cause; the others do not
// notice them.
TEST_P(Provision, FailuresNamedPerPortAndTheOthersStillOk)
{
    const QString file = SiteProfile();
    const QString good1 = Add();
    Fault unplug;
    unplug.command = "+CSCA=";
    unplug.kind = FaultKind::HangUp;
    const QString killed = Add(SimConfig(), {unplug}); // dies in the SMS page's write
    SimConfig pike2;
    pike2.model = telvio::sim::Model::Pike2;
    const QString other = Add(pike2);
    NoisyLine noise;
    const QString good2 = Add();
    const QString missing = dir.filePath("ttyGone");
    const CliRun r = Cli({"--json", "provision", file, "--ports", good1, killed, other, noise.Path(), good2, missing,
                          "--jobs", "3"});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    const auto rows = ByPort(r);
    const struct {
        QString port;
        const char *result;
        const char *said;
    } expected[] = {
        {good1, "ok", ""},
        {killed, "write failed", "removed or hung up"},
        {other, "model mismatch", "Pike-2"},
        {noise.Path(), "no modem", "no supported modem answers"},
        {good2, "ok", ""},
        {missing, "no modem", "No such file"},
    };
    for (const auto &e : expected) {
        const QJsonObject row = rows.value(e.port);
        EXPECT_EQ(row.value("result").toString(), e.result) << qPrintable(e.port) << " " << r.err.constData();
        EXPECT_TRUE(row.value("error").toString().contains(e.said)) << qPrintable(row.value("error").toString());
        int lines = 0;
        for (const QByteArray &line : r.err.split('\n'))
            lines += line.startsWith((e.port + ": ").toUtf8()) ? 1 : 0;
        EXPECT_EQ(lines, 1) << "one progress line per port";
    }
    EXPECT_TRUE(rows.value(killed).value("pagesWritten").toArray().contains("basic"));
    EXPECT_EQ(r.Json().value("ok").toInt(), 2);
}

CLI_AT_BOTH_RATES(Provision);

TEST(ProvisionUsage, RefusedBeforeAnyPortIsOpened)
{
    const struct {
        const char *name;
        QStringList args;
        const char *said;
    } cases[] = {
        {"no ports", {"provision", "x.dat"}, "--ports"},
        {"no file", {"provision", "--ports", "/dev/null"}, "profile FILE"},
        {"port twice", {"provision", "x.dat", "--ports", "/a", "/a"}, "twice"},
        {"jobs zero", {"provision", "x.dat", "--ports", "/a", "--jobs", "0"}, "--jobs"},
        {"unknown page", {"provision", "x.dat", "--ports", "/a", "--pages", "basic,fax"}, "no page fax"},
        {"report kind", {"provision", "x.dat", "--ports", "/a", "--report", "out.txt"}, "OUT.json"},
    };
    for (const auto &c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.name;
        EXPECT_TRUE(r.err.contains(c.said)) << c.name << ": " << r.err.constData();
    }
}

} // namespace
