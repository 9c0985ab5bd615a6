// Failures told as what happened, with the exit status that says so:
// answers that could not be read, refusals, a device that went away, a port
// another program holds.
#include "clirun.h"
#include "sim/simmodem.h"

#include <QCoreApplication>
#include <QSerialPort>

#include <gtest/gtest.h>

namespace {

using clitest::Cli;
using clitest::CliOnSim;
using clitest::CliRun;
using telvio::sim::CommandResult;
using telvio::sim::Fault;
using telvio::sim::FaultKind;
using telvio::sim::ModemState;
using telvio::sim::ParsedCommand;

class FailureCli : public CliOnSim {
protected:
    CliRun Run(const QStringList &args) { return Cli(QStringList{"--port", path, "--json"} + args); }
    // The command answers these lines and OK.
    void Answer(const QByteArray &command, const QList<QByteArray> &lines)
    {
        modem.withModem([&](telvio::sim::SimModem &m) {
            m.commands().add({command, [lines](ModemState &, const ParsedCommand &) { return CommandResult::ok(lines); }});
        });
    }
    void Refuse(const QByteArray &command, int cmeError)
    {
        modem.withModem([&](telvio::sim::SimModem &m) {
            m.commands().add({command, [cmeError](ModemState &, const ParsedCommand &) {
                                  return CommandResult::cmeFailure(cmeError);
                              }});
        });
    }
    QByteArray Stored(const QByteArray &setting)
    {
        QByteArray value;
        modem.withModem([&](telvio::sim::SimModem &m) {
            value = m.state().value(setting, telvio::sim::ProfileSlot::Stored);
        });
        return value;
    }
};

TEST_P(FailureCli, AMangledDumpNamesWhatItLeftUnread)
{
    Start();
    // Ends in OK, but "&D" names no item and "+ICF" is no framing.
    Answer("&V", {"ACTIVE PROFILE:", "Q:0 V:1 S0:000", "E:1 &C:1 &D:7 &S:1 +CMEE:1", "+IPR:9600 +ICF:x,4 +IFC:2,2"});
    CliRun r = Run({"read", "serial"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("could not read dtr, dataBits, stopBits, parity from the modem's answers"))
        << r.err.constData();
    // What was read is still shown.
    EXPECT_EQ(r.Json().value("dteRateText").toString(), "9600");
    EXPECT_EQ(r.Json().value("dtr").toInt(), -1);

    // Nothing goes back that was not read, unless it is given.
    r = Run({"write", "serial", "--set", "dcd=0"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("nothing written: could not read dtr, dataBits, stopBits, parity")) << r.err.constData();
    EXPECT_EQ(Stored("&C"), "1");
    r = Run({"write", "serial", "--set", "dcd=0", "--set", "dtr=2", "--set", "dataBits=8", "--set", "stopBits=1",
             "--set", "parity=None"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Stored("&C"), "0");
}

TEST_P(FailureCli, AnswersThatHoldNoValueNameTheirFields)
{
    Start();
    Answer("%C", {"%C: 7"});
    Answer("+CBST", {"+CBST: 99,0,9"});
    CliRun r = Run({"read", "basic"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("could not read compression, bearerSpeed, bearerCe")) << r.err.constData();
    EXPECT_EQ(r.Json().value("rings").toInt(), 0);
    r = Run({"write", "basic", "--set", "rings=3"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(Stored("S0"), "0");
}

TEST_P(FailureCli, ARefusalIsToldWithItsMeaning)
{
    Start();
    Refuse("+CBST", 10);
    CliRun r = Run({"read", "basic"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("the modem refused AT+CBST? with +CME ERROR: 10 (SIM not inserted)"))
        << r.err.constData();
    EXPECT_FALSE(r.err.contains("No answer")) << r.err.constData();

    modem.addFault(Fault{"S0?", FaultKind::Error, 0, true});
    r = Run({"read", "basic"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("the modem refused ATS0? with ERROR")) << r.err.constData();
}

TEST_P(FailureCli, ADeviceThatGoesAwayIsSaidToBeRemoved)
{
    Start();
    modem.addFault(Fault{"+CBST", FaultKind::HangUp, 0, true});
    const CliRun r = Run({"read", "basic"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QString("the device %1 was removed or hung up").arg(path).toUtf8())) << r.err.constData();
    EXPECT_FALSE(r.err.contains("No answer")) << r.err.constData();
}

TEST_P(FailureCli, ADeviceGoneDuringIdentificationIsNotAMissingModem)
{
    Start();
    modem.addFault(Fault{"+CGSN", FaultKind::HangUp, 0, true});
    const CliRun r = Run({"identify"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("was removed or hung up")) << r.err.constData();
    EXPECT_TRUE(r.err.contains("during identification")) << r.err.constData();
    EXPECT_FALSE(r.err.contains("no supported modem")) << r.err.constData();
}

TEST_P(FailureCli, AWriteCutShortShowsTheSettingsUsed)
{
    Start();
    modem.addFault(Fault{"+IFC", FaultKind::HangUp, 0, true});
    const CliRun r = Run({"write", "serial", "--set", "dteRate=115200"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("was removed or hung up")) << r.err.constData();
    EXPECT_EQ(r.Json().value("link").toString(), "115200,N,8,1");
}

TEST_P(FailureCli, APortHeldByAnotherProgramIsInUse)
{
    Start();
    // The test holds the port as any other program would, lock and all.
    QSerialPort holder(path);
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite)) << holder.errorString().toStdString();
    for (const QStringList &command : {QStringList{"read", "serial"}, QStringList{"probe"}}) {
        const CliRun r = Run(command);
        EXPECT_EQ(r.exitCode, 3);
        EXPECT_TRUE(r.err.contains("the port is in use by")) << r.err.constData();
        EXPECT_TRUE(r.err.contains(QString("(process %1)").arg(QCoreApplication::applicationPid()).toUtf8()))
            << r.err.constData();
    }
    holder.close();
    EXPECT_EQ(Run({"probe"}).exitCode, 0);
}

CLI_AT_BOTH_RATES(FailureCli);

} // namespace
