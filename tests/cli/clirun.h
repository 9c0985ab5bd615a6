#pragma once

#include "sim/simthread.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// telvio-cli run as a user runs it, and a simulator for it to talk to.
namespace clitest {

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QJsonObject Json() const { return QJsonDocument::fromJson(out).object(); }
};

inline CliRun Cli(const QStringList &args)
{
    QProcess p;
    // Keep the user's stored options out of the test.
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", home.path());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TELVIO_CLI_PATH), args);
    CliRun r;
    if (!p.waitForFinished(120000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// How the simulator paces its answers: all at once, as fast as the pty
// takes them, or one character at a time at the line's rate, as a real
// UART delivers them.
enum class LineRate { Full, Real };

inline void PrintTo(LineRate rate, std::ostream *os)
{
    *os << (rate == LineRate::Real ? "RealRate" : "FullSpeed");
}

inline std::string RateName(const ::testing::TestParamInfo<LineRate> &info)
{
    return info.param == LineRate::Real ? "RealRate" : "FullSpeed";
}

// Every test of a fixture derived from this runs at both rates.
class CliOnSim : public ::testing::TestWithParam<LineRate> {
protected:
    void Start(telvio::sim::SimConfig config = telvio::sim::SimConfig())
    {
        config.realRate = GetParam() == LineRate::Real;
        path = modem.start(config);
        ASSERT_FALSE(path.isEmpty());
    }
    bool RealRate() const { return GetParam() == LineRate::Real; }
    telvio::sim::SimThread modem;
    QString path;
};

#define CLI_AT_BOTH_RATES(Fixture)                                                                                     \
    INSTANTIATE_TEST_SUITE_P(Rates, Fixture, ::testing::Values(clitest::LineRate::Full, clitest::LineRate::Real),     \
                             clitest::RateName)

} // namespace clitest
