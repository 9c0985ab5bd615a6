#pragma once

#include "sim/simthread.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

class CliOnSim : public ::testing::Test {
protected:
    void Start(const telvio::sim::SimConfig &config = telvio::sim::SimConfig())
    {
        path = modem.start(config);
        ASSERT_FALSE(path.isEmpty());
    }
    telvio::sim::SimThread modem;
    QString path;
};

} // namespace clitest
