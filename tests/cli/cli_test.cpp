#include "clirun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cctype>

namespace {

using clitest::Cli;
using clitest::CliOnSim;
using clitest::CliRun;

TEST_P(CliOnSim, ProbePrintsTheModesAsJson)
{
    telvio::sim::SimConfig c;
    c.verbose = false;
    Start(c);
    const CliRun r = Cli({"--port", path, "--json", "probe"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject o = r.Json();
    EXPECT_EQ(o.value("result").toInt(), 2);
    EXPECT_EQ(o.value("verbose").toInt(), 0);
    EXPECT_EQ(o.value("echo").toInt(), 1);
    EXPECT_EQ(o.value("quiet").toInt(), 0);
    EXPECT_EQ(r.out.count('\n'), 1); // exactly one object
}

TEST_P(CliOnSim, SendHandsBackTheAnswerAndFailsOnError)
{
    Start();
    CliRun r = Cli({"--port", path, "--json", "send", "AT+CGSN"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("result").toInt(), 1);
    EXPECT_TRUE(r.Json().value("answer").toString().contains("35783100"));

    r = Cli({"--port", path, "--json", "send", "AT+NOSUCH"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.Json().value("result").toInt(), 2);
    EXPECT_FALSE(r.err.isEmpty());

    // Escapes in the texts; a success text that never comes times out.
    r = Cli({"--port", path, "--json", "send", "ATI3", "--factor", "1", "--ok", "NEVER\\r\\n", "--error", "\\x1a"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.Json().value("result").toInt(), 0);
}

// A profile dump holds E, R, R, O and R in order; by default send waits for
// the final result line, so the dump is a success. A given --error text keeps
// the in-order meaning the pages use.
TEST_P(CliOnSim, SendEndsOnTheFinalResultLineByDefault)
{
    Start();
    CliRun r = Cli({"--port", path, "--json", "send", "AT&V"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("result").toInt(), 1);
    EXPECT_TRUE(r.Json().value("answer").toString().endsWith("\r\nOK\r\n")) << r.out.constData();

    r = Cli({"--port", path, "--json", "send", "AT+CPIN=\"9999\"", "--factor", "1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.Json().value("result").toInt(), 2) << r.out.constData();

    if (RealRate()) {
        // Only a dump that arrives piece by piece springs the trap: all at
        // once, the shorter success text wins the race of passes.
        r = Cli({"--port", path, "--json", "send", "AT&V", "--error", "ERROR"});
        EXPECT_EQ(r.Json().value("result").toInt(), 2) << r.out.constData();
    }
}

TEST_P(CliOnSim, IdentifyReportsTheModemAndItsPages)
{
    Start();
    const CliRun r = Cli({"--port", path, "--json", "identify"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject o = r.Json();
    EXPECT_EQ(o.value("result").toInt(), 1);
    EXPECT_EQ(o.value("modelCode").toInt(), 4);
    EXPECT_EQ(o.value("modelName").toString(), "Pike-3");
    EXPECT_EQ(o.value("imeiPrefix").toString(), "35783100");
    EXPECT_EQ(o.value("imei").toString().size(), 15);
    EXPECT_EQ(o.value("baud").toString(), "9600");
    EXPECT_EQ(o.value("parity").toString(), "N");
    EXPECT_EQ(o.value("makerFirmware").toInt(), 1);
    EXPECT_EQ(o.value("simStatus").toInt(), 1);
    QStringList pages;
    for (const QJsonValue &v : o.value("pages").toArray())
        pages << v.toString();
    EXPECT_EQ(pages, (QStringList{"Basic", "Serial", "SMS", "GPRS", "Signal", "Diagnostic", "I/O", "Callback"}));
}

TEST_P(CliOnSim, IdentifySearchFindsAnotherRate)
{
    telvio::sim::SimConfig c;
    c.line.baud = 115200;
    c.line.stopBits = 2;
    Start(c);
    const CliRun r = Cli({"--port", path, "--json", "identify", "--search"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("baud").toString(), "115200");
    EXPECT_EQ(r.Json().value("stopBits").toString(), "2");
    EXPECT_TRUE(r.err.contains("[11/80] Searching")); // progress on standard error
}

TEST_P(CliOnSim, IdentifyWithoutAnswerExitsOne)
{
    telvio::sim::SimConfig c;
    c.model = telvio::sim::Model::Pike2;
    c.imei = "358021081917381";
    Start(c);
    const CliRun r = Cli({"--port", path, "--json", "identify"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.Json().value("result").toInt(), 0);
}

CLI_AT_BOTH_RATES(CliOnSim);

struct UsageCase {
    const char *name;
    QStringList args;
    int exitCode;
    const char *says = ""; // on standard error
};

void PrintTo(const UsageCase &c, std::ostream *os)
{
    *os << c.name;
}

std::string CaseName(const char *name)
{
    std::string s = name;
    for (char &c : s)
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return s;
}

class CliUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, ExitStatus)
{
    const CliRun r = Cli(GetParam().args);
    EXPECT_EQ(r.exitCode, GetParam().exitCode) << r.err.constData();
    if (GetParam().exitCode != 0)
        EXPECT_FALSE(r.err.isEmpty());
    EXPECT_TRUE(r.err.contains(GetParam().says)) << r.err.constData();
    if (GetParam().args.contains("--json"))
        EXPECT_FALSE(r.Json().isEmpty());
}

// A port that does not exist: a usage error must be found before it is
// opened (exit 2, not 3).
const QString kNoPort = "/dev/telvio-none";

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUsage,
    ::testing::Values(
        UsageCase{"no command", {}, 2}, UsageCase{"unknown command", {"dance"}, 2},
        UsageCase{"unknown option", {"--fast", "probe"}, 2}, UsageCase{"probe without port", {"probe"}, 2},
        UsageCase{"bad framing", {"--port", kNoPort, "--framing", "9X1", "probe"}, 2, "7 or 8"},
        UsageCase{"five data bits", {"--port", kNoPort, "--framing", "5N1", "probe"}, 2, "N, O, E, M, S"},
        UsageCase{"rate not offered", {"--port", kNoPort, "--baud", "12345", "probe"}, 2, "9600, 19200"},
        UsageCase{"rate missing", {"--port", kNoPort, "--baud", "--json", "probe"}, 2, "115200"},
        UsageCase{"port missing before an option", {"--port", "--json", "probe"}, 2, "--port needs a device path"},
        UsageCase{"port missing at the end", {"--port"}, 2, "--port needs a device path"},
        UsageCase{"bad factor", {"--port", kNoPort, "send", "AT", "--factor", "11"}, 2},
        UsageCase{"missing port", {"--port", kNoPort, "--json", "probe"}, 3, "cannot open"},
        UsageCase{"ports", {"ports"}, 0}, UsageCase{"ports as json", {"--json", "ports"}, 0},
        UsageCase{"help", {"--help"}, 0}),
    [](const ::testing::TestParamInfo<UsageCase> &info) { return CaseName(info.param.name); });

// Values a write is given, each checked against its field before the port
// is opened: exit 2 naming the field (and never 3: kNoPort is not opened).
struct FieldCase {
    const char *name;
    const char *page;
    const char *json; // the --from file, or null
    QStringList sets;
    const char *says;
};

void PrintTo(const FieldCase &c, std::ostream *os)
{
    *os << c.name;
}

class CliFieldValues : public ::testing::TestWithParam<FieldCase> {
protected:
    QTemporaryDir dir;
};

TEST_P(CliFieldValues, AreUsageErrorsNamingTheField)
{
    const FieldCase &c = GetParam();
    QStringList args = {"--port", kNoPort, "--json", "write", c.page};
    if (c.json) {
        const QString file = dir.filePath("values.json");
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.json);
        f.close();
        args << "--from" << file;
    }
    for (const QString &set : c.sets)
        args << "--set" << set;
    const CliRun r = Cli(args);
    EXPECT_EQ(r.exitCode, 2) << r.err.constData();
    EXPECT_TRUE(r.err.contains(c.says)) << r.err.constData();
    EXPECT_TRUE(r.Json().value("error").toString().contains(c.says));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliFieldValues,
    ::testing::Values(
        FieldCase{"rings null", "basic", R"({"rings":null})", {}, "rings: null is not a whole number from 0 to 255"},
        FieldCase{"rings a list", "basic", R"({"rings":[5]})", {}, "rings: a list is not"},
        FieldCase{"rings an object", "basic", R"({"rings":{"n":5}})", {}, "rings: an object is not"},
        FieldCase{"rings true", "basic", R"({"rings":true})", {}, "rings: true is not"},
        FieldCase{"rings a fraction", "basic", R"({"rings":2.5})", {}, "rings: 2.5 is not"},
        FieldCase{"rings above range", "basic", nullptr, {"rings=256"}, "rings: \"256\" is not"},
        FieldCase{"rings negative", "basic", R"({"rings":-1})", {}, "rings: -1 is not"},
        FieldCase{"rings not digits", "basic", nullptr, {"rings=12a"}, "rings: \"12a\""},
        FieldCase{"rings empty", "basic", nullptr, {"rings="}, "rings: \"\""},
        FieldCase{"flag null", "basic", R"({"resetEnabled":null})", {}, "resetEnabled: null is not 0 or 1"},
        FieldCase{"flag word", "basic", nullptr, {"autoPinEnabled=maybe"}, "autoPinEnabled: \"maybe\" is not 0 or 1"},
        FieldCase{"flag two", "basic", R"({"autoPinEnabled":2})", {}, "autoPinEnabled: 2 is not 0 or 1"},
        FieldCase{"code too long", "basic", nullptr, {"autoPinCode=12345"}, "autoPinCode: \"12345\" is not a text of at most 4"},
        FieldCase{"code with a quote", "basic", nullptr, {"autoPinCode=1\"2"}, "autoPinCode"},
        FieldCase{"code a number", "basic", R"({"autoPinCode":1234})", {}, "autoPinCode: 1234 is not a text"},
        FieldCase{"delay without hours", "basic", nullptr, {"resetDelay=24:00"}, "resetDelay: \"24:00\" is not"},
        FieldCase{"delay null", "basic", R"({"resetDelay":null})", {}, "resetDelay: null"},
        FieldCase{"position past the list", "basic", nullptr, {"bearerSpeed=16"}, "bearerSpeed: \"16\" is not a position from 0 to 15"},
        FieldCase{"position a list", "basic", R"({"statusLed":[]})", {}, "statusLed: a list"},
        FieldCase{"item text unknown", "basic", nullptr, {"compressionText=zip"}, "compressionText: \"zip\" is not one of"},
        FieldCase{"item text null", "basic", R"({"bearerCeText":null})", {}, "bearerCeText: null is not one of"},
        FieldCase{"no such field", "basic", nullptr, {"nosuch=1"}, "write basic has no field nosuch"},
        FieldCase{"serial null", "serial", R"({"dtr":null})", {}, "dtr: null is not one of"},
        FieldCase{"serial object", "serial", R"({"parity":{}})", {}, "parity: an object is not one of"},
        FieldCase{"serial position past", "serial", R"({"dteRate":11})", {}, "dteRate: 11 is not one of"},
        FieldCase{"serial item unknown", "serial", nullptr, {"dataBits=9"}, "dataBits: \"9\" is not one of"},
        FieldCase{"bad after good", "serial", R"({"echo":1})", {"dcd=x"}, "dcd: \"x\""}),
    [](const ::testing::TestParamInfo<FieldCase> &info) { return CaseName(info.param.name); });

} // namespace
