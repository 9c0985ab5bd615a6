// `telvio-cli --log FILE`: the session's bytes in the file, each line there
// as soon as it is complete.
#include "clirun.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using clitest::Cli;
using clitest::CliRun;

QString Contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

class SessionLogCli : public clitest::CliOnSim {
protected:
    QTemporaryDir dir;
};

TEST_P(SessionLogCli, BothDirectionsLoggedAndAppendedRunAfterRun)
{
    Start();
    const QString log = dir.filePath("session.log");
    CliRun r = Cli({"--port", path, "--log", log, "send", "AT+CGSN"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    r = Cli({"--port", path, "--log", log, "send", "ATI3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QString text = Contents(log);
    const QRegularExpression stamp(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} (>>|<<) "));
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 4) << qPrintable(text);
    for (const QString &line : lines)
        EXPECT_TRUE(stamp.match(line).hasMatch()) << qPrintable(line);
    EXPECT_TRUE(text.contains(QStringLiteral(">> AT+CGSN<CR>\n"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("OK<CR><LF>\n"))) << qPrintable(text);
    EXPECT_LT(text.indexOf(QStringLiteral(">> AT+CGSN")), text.indexOf(QStringLiteral(">> ATI3")));
}

CLI_AT_BOTH_RATES(SessionLogCli);

TEST(SessionLogCliOpen, UnwritableLogStopsBeforeThePort)
{
    const CliRun r = Cli({"--port", "/dev/null", "--log", "/nonexistent-dir/s.log", "send", "AT"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("cannot write the log /nonexistent-dir/s.log")) << r.err.constData();
}

} // namespace
