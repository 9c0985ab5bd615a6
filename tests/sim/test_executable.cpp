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

TEST_F(SimExecutable, StagedFromSetAndStateFile)
{
    ASSERT_TRUE(dir.isValid());
    const QString state = dir.filePath(QStringLiteral("state.json"));
    QFile file(state);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"CSQ_RSSI": 12, "SIM": "pin", "PIN": "4321", "+CMEE": 2})");
    file.close();
    const QString path = start({"--echo", "0", "--state", state, "--set", "CSQ_RSSI=7", "--set", "GPRS_COVERAGE=0"});
    ASSERT_FALSE(path.isEmpty());
    RawClient client;
    ASSERT_TRUE(client.open(QFile::encodeName(path)));
    EXPECT_EQ(client.exchange("AT+CSQ"), "\r\n+CSQ: 7,99\r\n\r\nOK\r\n");
    EXPECT_EQ(client.exchange("AT+CPIN=4321"), "\r\nOK\r\n");
    ASSERT_TRUE(client.write("AT+CGATT=1\r"));
    EXPECT_EQ(client.readUntilEnd("service\r\n"), "\r\n+CME ERROR: no network service\r\n");
}

struct UsageCase {
    const char *name;
    QStringList arguments;
    QByteArray said;
};

void PrintTo(const UsageCase &c, std::ostream *os)
{
    *os << c.name;
}

class SimExecutableUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(SimExecutableUsage, ExitsWithTwoAndSaysWhy)
{
    QTemporaryDir dir;
    QStringList arguments = GetParam().arguments;
    for (QString &argument : arguments)
        argument.replace(QLatin1String("$DIR"), dir.path());
    if (arguments.contains(dir.filePath("bad.json"))) {
        QFile file(dir.filePath("bad.json"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(R"({"S0": 999})");
    }
    QProcess process;
    process.start(QStringLiteral(TELVIO_SIM_BINARY), arguments);
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitCode(), 2);
    const QByteArray error = process.readAllStandardError();
    EXPECT_TRUE(error.contains(GetParam().said)) << error.constData();
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Errors, SimExecutableUsage,
    testing::Values(UsageCase{"bad_rate", {"--baud", "1234"}, "unsupported rate"},
                    UsageCase{"bad_setting_value", {"--set", "+CMEE=5"}, "--set \"+CMEE=5\": +CMEE takes (0-2)"},
                    UsageCase{"unknown_setting", {"--set", "+FOO=1"}, "+FOO is not a setting"},
                    UsageCase{"bad_state_entry", {"--state", "$DIR/bad.json"}, "entry \"S0\": S0 takes (0-255)"},
                    UsageCase{"missing_state_file", {"--state", "$DIR/none.json"}, "none.json"},
                    UsageCase{"bad_fault", {"--fault", "+CGSN=cme:x"}, "cme needs"}),
    [](const testing::TestParamInfo<UsageCase> &info) { return std::string(info.param.name); });

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
    for (const char *option : {"--model", "--firmware", "--baud", "--framing", "--sim", "--fault", "--link", "--set",
                               "--state", "cme:<n>", "unsolicited[:<text>]", "CSQ_RSSI"})
        EXPECT_TRUE(help.contains(option)) << option;
}

} // namespace
