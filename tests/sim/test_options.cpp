#include "sim/simoptions.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telvio::sim;

// Argument lists print as the command line they stand for.
void PrintTo(const QStringList &arguments, std::ostream *os)
{
    *os << arguments.join(QLatin1Char(' ')).toStdString();
}

namespace {

bool parse(const QStringList &args, SimOptions *options, QString *error = nullptr)
{
    QString ignored;
    return parseSimOptions(QStringList{"telvio-sim"} + args, options, error ? error : &ignored);
}

TEST(SimOptions, Defaults)
{
    SimOptions options;
    ASSERT_TRUE(parse({}, &options));
    const SimConfig &c = options.config;
    EXPECT_EQ(c.model, Model::Pike3);
    EXPECT_EQ(c.effectiveFirmware(), Firmware::Maker);
    EXPECT_EQ(c.line, (LineSettings{9600, 8, Parity::None, 1}));
    EXPECT_EQ(c.sim, SimCard::Ready);
    EXPECT_EQ(c.pin, "0000");
    EXPECT_TRUE(c.echo);
    EXPECT_TRUE(c.verbose);
    EXPECT_FALSE(c.quiet);
    EXPECT_FALSE(c.realRate);
    EXPECT_TRUE(c.faults.isEmpty());
    EXPECT_TRUE(c.assignments.isEmpty());
    EXPECT_TRUE(options.stateFiles.isEmpty());
    EXPECT_TRUE(options.linkPath.isEmpty());
}

TEST(SimOptions, FirmwareDefaultsFollowTheModel)
{
    SimOptions options;
    ASSERT_TRUE(parse({"--model", "orca1us"}, &options));
    EXPECT_EQ(options.config.effectiveFirmware(), Firmware::IpStack);
    ASSERT_TRUE(parse({"--model", "orca1"}, &options));
    EXPECT_EQ(options.config.effectiveFirmware(), Firmware::Plain);
    ASSERT_TRUE(parse({"--model", "pike2"}, &options));
    EXPECT_EQ(options.config.effectiveFirmware(), Firmware::Maker);
    ASSERT_TRUE(parse({"--model", "orca1", "--firmware", "maker"}, &options));
    EXPECT_EQ(options.config.effectiveFirmware(), Firmware::Maker);
}

TEST(SimOptions, EveryOption)
{
    SimOptions options;
    ASSERT_TRUE(parse({"--model", "pike2", "--firmware", "plain", "--baud", "0", "--framing", "7e1", "--sim", "puk",
                       "--pin", "4321", "--puk", "11112222", "--echo", "0", "--verbose", "0", "--quiet", "1",
                       "--cmee", "2", "--imei", "123", "--wopen-version", "3.0", "--real-rate", "--log", "--fault",
                       "+CGSN=delay:200", "--fault", "ATI9=error/once", "--link", "/tmp/modem", "--set",
                       "S0=3", "--set", "CSQ_RSSI=7", "--state", "a.json", "--state", "b.json"},
                      &options));
    const SimConfig &c = options.config;
    EXPECT_EQ(c.model, Model::Pike2);
    EXPECT_EQ(c.effectiveFirmware(), Firmware::Plain);
    EXPECT_EQ(c.line, (LineSettings{0, 7, Parity::Even, 1}));
    EXPECT_EQ(c.sim, SimCard::PukRequired);
    EXPECT_EQ(c.pin, "4321");
    EXPECT_EQ(c.puk, "11112222");
    EXPECT_FALSE(c.echo);
    EXPECT_FALSE(c.verbose);
    EXPECT_TRUE(c.quiet);
    EXPECT_EQ(c.cmee, 2);
    EXPECT_EQ(c.imei, "123");
    EXPECT_EQ(c.wopenVersion, "3.0");
    EXPECT_TRUE(c.realRate);
    EXPECT_TRUE(c.log);
    ASSERT_EQ(c.faults.size(), 2);
    EXPECT_EQ(c.faults.at(0), (Fault{"+CGSN", FaultKind::Delay, 200, false}));
    EXPECT_EQ(c.faults.at(1), (Fault{"I9", FaultKind::Error, 0, true}));
    EXPECT_EQ(options.linkPath, QStringLiteral("/tmp/modem"));
    EXPECT_EQ(c.assignments, (QList<SimAssignment>{{"S0", "3"}, {"CSQ_RSSI", "7"}}));
    EXPECT_EQ(options.stateFiles, (QStringList{"a.json", "b.json"}));
}

class SimOptionsRejected : public testing::TestWithParam<QStringList> {};

TEST_P(SimOptionsRejected, WithAMessage)
{
    SimOptions options;
    QString error;
    EXPECT_FALSE(parse(GetParam(), &options, &error));
    EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Bad, SimOptionsRejected,
    testing::Values(QStringList{"--model", "pike4"}, QStringList{"--firmware", "beta"}, QStringList{"--baud", "1234"},
                    QStringList{"--baud", "fast"}, QStringList{"--framing", "8E2"}, QStringList{"--framing", "9N1"},
                    QStringList{"--sim", "maybe"}, QStringList{"--pin", "12"}, QStringList{"--echo", "2"},
                    QStringList{"--verbose", "yes"}, QStringList{"--quiet", ""}, QStringList{"--cmee", "3"},
                    QStringList{"--fault", "+CGSN=boom"}, QStringList{"--wopen-version", "3\"1"},
                    QStringList{"--unknown"}, QStringList{"stray"}, QStringList{"--set", "S0"},
                    QStringList{"--set", "=3"}, QStringList{"--set", "+CMEE=5"}, QStringList{"--set", "+FOO=1"},
                    QStringList{"--set", "SIM=maybe"}, QStringList{"--set", "PIN=12"},
                    QStringList{"--model", "orca1", "--set", "*WSTATLED=1"}, QStringList{"--fault", "+CGSN=cme"},
                    QStringList{"--set"}, QStringList{"--state"}));

// The message says which --set entry was refused and what its setting takes.
TEST(SimOptions, BadSetNamesTheEntry)
{
    SimOptions options;
    QString error;
    EXPECT_FALSE(parse({"--set", "S0=1", "--set", "+CMEE=5"}, &options, &error));
    EXPECT_TRUE(error.contains("--set \"+CMEE=5\"")) << qPrintable(error);
    EXPECT_TRUE(error.contains("(0-2)")) << qPrintable(error);
}

class SimOptionsStateFile : public testing::Test {
protected:
    QString write(const QByteArray &json)
    {
        const QString path = dir.filePath(QStringLiteral("state%1.json").arg(++files));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(json);
        return path;
    }
    bool load(const QStringList &args, SimOptions *options, QString *error)
    {
        return parse(args, options, error) && loadSimStateFiles(options, error);
    }

    QTemporaryDir dir;
    int files = 0;
};

TEST_F(SimOptionsStateFile, EntriesComeBeforeTheSetOnes)
{
    const QString first = write(R"({"S0": 2, "CSQ_RSSI": "7"})");
    const QString second = write(R"({"SIM": "pin"})");
    SimOptions options;
    QString error;
    ASSERT_TRUE(load({"--set", "S0=4", "--state", first, "--state", second}, &options, &error)) << qPrintable(error);
    EXPECT_EQ(options.config.assignments,
              (QList<SimAssignment>{{"CSQ_RSSI", "7"}, {"S0", "2"}, {"SIM", "pin"}, {"S0", "4"}}));
}

TEST_F(SimOptionsStateFile, ErrorsNameTheFileAndTheEntry)
{
    struct Case {
        QByteArray json;
        QString said;
    };
    for (const Case &c : {Case{R"({"S0": 2, "+CMEE": 9})", "entry \"+CMEE\""}, Case{"[1]", "one JSON object"},
                          Case{R"({"E": false})", "entry \"E\""}, Case{"{", "not JSON"}}) {
        const QString path = write(c.json);
        SimOptions options;
        QString error;
        EXPECT_FALSE(load({"--state", path}, &options, &error)) << c.json.constData();
        EXPECT_TRUE(error.contains(path)) << qPrintable(error);
        EXPECT_TRUE(error.contains(c.said)) << qPrintable(error);
    }
    SimOptions options;
    QString error;
    EXPECT_FALSE(load({"--state", dir.filePath("missing.json")}, &options, &error));
    EXPECT_TRUE(error.contains("missing.json")) << qPrintable(error);
    EXPECT_FALSE(load({"--state", dir.path()}, &options, &error)); // a directory
}

} // namespace
