#include "rawclient.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

#include <gtest/gtest.h>

namespace {

class SimExecutable : public testing::Test {
protected:
    ~SimExecutable() override
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    // Starts telvio-sim and returns the first line of its output: the slave path.
    QString start(const QStringList &arguments)
    {
        process.start(QStringLiteral(TELVIO_SIM_BINARY), arguments);
        if (!process.waitForStarted(5000))
            return {};
        while (!process.canReadLine()) {
            if (!process.waitForReadyRead(5000))
                return {};
        }
        return QString::fromLocal8Bit(process.readLine()).trimmed();
    }

    bool endWith(int signal)
    {
        ::kill(static_cast<pid_t>(process.processId()), signal);
        return process.waitForFinished(5000);
    }

    QTemporaryDir dir;
    QProcess process;
};

class SimExecutableSignal : public SimExecutable, public testing::WithParamInterface<int> {};

TEST_P(SimExecutableSignal, ServesOnThePrintedPathAndEndsCleanly)
{
    ASSERT_TRUE(dir.isValid());
    const QString link = dir.filePath(QStringLiteral("modem"));
    const QString path = start({"--model", "orca1", "--echo", "0", "--link", link});
    ASSERT_TRUE(path.startsWith(QLatin1String("/dev/pts/"))) << qPrintable(path);
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), path);

    RawClient client;
    ASSERT_TRUE(client.open(QFile::encodeName(link)));
    const QByteArray answer = client.exchange("AT+CGSN");
    EXPECT_TRUE(answer.startsWith("\r\n35107943")) << answer.constData();
    EXPECT_TRUE(answer.endsWith("\r\n\r\nOK\r\n"));

    ASSERT_TRUE(endWith(GetParam()));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

INSTANTIATE_TEST_SUITE_P(Signals, SimExecutableSignal, testing::Values(SIGINT, SIGTERM));

TEST_F(SimExecutable, HangUpFaultEndsTheProcess)
{
    const QString path = start({"--fault", "+CGSN=hangup"});
    ASSERT_FALSE(path.isEmpty());
    RawClient client;
    ASSERT_TRUE(client.open(QFile::encodeName(path)));
    ASSERT_TRUE(client.write("AT+CGSN\r"));
    QByteArray received;
    EXPECT_EQ(client.readUntil([](const QByteArray &) { return false; }, &received), RawClient::End::HungUp);
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitCode(), 0);
}

TEST_F(SimExecutable, FaultsAndStateFromTheCommandLine)
{
    const QString path = start({"--echo", "0", "--verbose", "0", "--sim", "pin", "--fault", "ATI9=error/once"});
    ASSERT_FALSE(path.isEmpty());
    RawClient client;
    ASSERT_TRUE(client.open(QFile::encodeName(path)));
    ASSERT_TRUE(client.write("ATI9\r"));
    EXPECT_EQ(client.readUntilEnd("\r"), "4\r");
    ASSERT_TRUE(client.write("AT+CPIN?\r"));
    EXPECT_EQ(client.readUntilEnd("0\r"), "+CPIN: SIM PIN\r\n0\r");
}

TEST_F(SimExecutable, BadOptionIsAUsageError)
{
    process.start(QStringLiteral(TELVIO_SIM_BINARY), {"--baud", "1234"});
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_TRUE(process.readAllStandardError().contains("unsupported rate"));
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
}

TEST_F(SimExecutable, HelpListsTheOptions)
{
    process.start(QStringLiteral(TELVIO_SIM_BINARY), {"--help"});
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitCode(), 0);
    const QByteArray help = process.readAllStandardOutput();
    for (const char *option : {"--model", "--firmware", "--baud", "--framing", "--sim", "--fault", "--link"})
        EXPECT_TRUE(help.contains(option)) << option;
}

} // namespace
