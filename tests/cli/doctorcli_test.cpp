// `telvio-cli doctor`: the three reasons a port does not open, made to
// happen for real, each said with what to do about it.
#include "clirun.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QSerialPort>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

using clitest::Cli;
using clitest::CliRun;

QJsonObject Diagnosis(const CliRun &r)
{
    return r.Json().value("ports").toArray().first().toObject();
}

TEST(DoctorCli, MissingPathListsThePortsThatExist)
{
    const CliRun r = Cli({"--json", "doctor", "--port", "/dev/ttyNOSUCH9"});
    EXPECT_EQ(r.exitCode, 1);
    const QJsonObject d = Diagnosis(r);
    EXPECT_EQ(d.value("cause").toString(), "missing");
    EXPECT_EQ(d.value("text").toString(), "/dev/ttyNOSUCH9 does not exist (a USB adapter unplugged, or a mistyped name).");
    EXPECT_TRUE(d.value("existing").isArray());
    // The text form says the same; a failed command adds it to its reason.
    const CliRun plain = Cli({"--port", "/dev/ttyNOSUCH9", "probe"});
    EXPECT_EQ(plain.exitCode, 3);
    EXPECT_TRUE(plain.err.contains("does not exist")) << plain.err.constData();
}

// A file this user may not open. Root may open anything, so the command
// then runs as the unprivileged "nobody".
TEST(DoctorCli, PermissionDeniedNamesTheGroupAndHowToJoin)
{
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                          | QFileDevice::ReadOther | QFileDevice::ExeOther);
    const QString device = dir.filePath("ttyLOCKED");
    QFile f(device);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    ASSERT_TRUE(QFile::setPermissions(device, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QStringList args{"--json", "doctor", "--port", device};
    QString program = QStringLiteral(TELVIO_CLI_PATH);
    if (::geteuid() == 0) {
        // A group with a name, as a serial device's would be.
        ASSERT_EQ(::chown(QFile::encodeName(device).constData(), 0, 20), 0); // 20: dialout on Debian
        args.prepend(program);
        args = QStringList{"-u", "nobody", "--"} + args;
        program = QStringLiteral("runuser");
    }
    QProcess p;
    p.start(program, args);
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 1) << p.readAllStandardError().constData();
    const QJsonObject d = QJsonDocument::fromJson(p.readAllStandardOutput()).object().value("ports").toArray().first().toObject();
    EXPECT_EQ(d.value("cause").toString(), "permission");
    EXPECT_TRUE(d.value("text").toString().startsWith("Permission denied")) << qPrintable(d.value("text").toString());
    if (::geteuid() == 0) {
        EXPECT_EQ(d.value("group").toString(), "dialout");
        EXPECT_TRUE(d.value("advice").toString().contains("sudo usermod -aG dialout $USER"))
            << qPrintable(d.value("advice").toString());
    }
}

// A pty another process holds, lock and all; one of the holders runs under
// the system modem manager's name, which gets advice of its own.
TEST(DoctorCli, BusyPortNamesItsHoldersAndTheModemManager)
{
    telvio::sim::SimThread modem;
    const QString path = modem.start(telvio::sim::SimConfig());
    ASSERT_FALSE(path.isEmpty());
    QTemporaryDir dir;
    const QString impostor = dir.filePath("ModemManager");
    ASSERT_TRUE(QFile::copy("/bin/sleep", impostor));
    QProcess manager;
    manager.start("sh", {"-c", QStringLiteral("exec '%1' 60 <>'%2'").arg(impostor, path)});
    ASSERT_TRUE(manager.waitForStarted());
    QSerialPort holder(path);
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite)) << holder.errorString().toStdString();

    // Bounded wait for the shell to have become the program with the pty.
    CliRun r;
    for (int i = 0; i < 100; ++i) {
        r = Cli({"--json", "doctor", "--port", path});
        if (Diagnosis(r).value("modemManager").toBool())
            break;
        manager.waitForFinished(50);
    }
    EXPECT_EQ(r.exitCode, 1);
    const QJsonObject d = Diagnosis(r);
    EXPECT_EQ(d.value("cause").toString(), "busy");
    QStringList holders;
    for (const QJsonValue &h : d.value("holders").toArray())
        holders << QStringLiteral("%1 %2").arg(h.toObject().value("name").toString()).arg(h.toObject().value("pid").toInteger());
    EXPECT_TRUE(holders.contains(QStringLiteral("ModemManager %1").arg(manager.processId()))) << qPrintable(holders.join(", "));
    EXPECT_TRUE(d.value("text").toString().contains(QStringLiteral("(process %1)").arg(QCoreApplication::applicationPid())));
    EXPECT_TRUE(d.value("modemManager").toBool());
    EXPECT_TRUE(d.value("advice").toString().contains("ID_MM_DEVICE_IGNORE")) << qPrintable(d.value("advice").toString());

    manager.kill();
    manager.waitForFinished();
    holder.close();
    r = Cli({"--json", "doctor", "--port", path});
    EXPECT_EQ(r.exitCode, 0) << r.out.constData();
    EXPECT_EQ(Diagnosis(r).value("cause").toString(), "ok");
}

} // namespace
