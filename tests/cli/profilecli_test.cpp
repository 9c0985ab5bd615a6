// `telvio-cli profile ...`: profile files made, shown and edited without a
// modem, and saved from, compared with and written into the simulator.
#include "clirun.h"
#include "sim/simmodem.h"
#include "support/linerate.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using clitest::Cli;
using clitest::CliOnSim;
using clitest::CliRun;

QByteArray Contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ProfileFilesCli : public ::testing::Test {
protected:
    QString Path(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(ProfileFilesCli, NewShowEditAndNewFromTheShownJson)
{
    const QString file = Path("a.dat");
    CliRun r = Cli({"--json", "profile", "new", "pike3", file});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Contents(file).size(), 3931);

    r = Cli({"--json", "profile", "edit", file, "--set", "basic.rings=3", "--set", "sms.serviceCentre=+46701234",
             "--set", "serial.echoText=0 - Echo off"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();

    r = Cli({"--json", "profile", "show", file});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject shown = r.Json();
    EXPECT_EQ(shown.value("model").toInt(), 4);
    EXPECT_EQ(shown.value("modelName").toString(), "Pike-3");
    const QJsonObject basic = shown.value("basic").toObject();
    EXPECT_EQ(basic.value("rings").toInt(), 3);
    EXPECT_EQ(basic.value("resetDelay").toString(), "024:00");
    EXPECT_EQ(basic.value("bearerCeText").toString(), "1 - Non transparent only");
    EXPECT_EQ(shown.value("sms").toObject().value("serviceCentre").toString(), "+46701234");
    EXPECT_EQ(shown.value("serial").toObject().value("echo").toInt(), 0);
    EXPECT_EQ(shown.value("serial").toObject().value("dteRateText").toString(), "115200");
    // Pages without fields on the command line yet travel as their bytes.
    EXPECT_EQ(shown.value("io").toObject().value("bytes").toString().size(), 2 * 2736);
    EXPECT_EQ(shown.value("callback").toObject().value("bytes").toString().size(), 2 * 184);

    const QString json = Path("a.json");
    QFile out(json);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(r.out);
    out.close();
    r = Cli({"profile", "new", "pike3", Path("b.dat"), "--from", json});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Contents(Path("b.dat")), Contents(file));
}

struct Refusal {
    const char *name;
    QStringList args; // after "profile"; FILE stands for the profile
    int exitCode;
    const char *said;
};

void PrintTo(const Refusal &c, std::ostream *os)
{
    *os << c.name;
}

class ProfileRefusals : public ProfileFilesCli, public ::testing::WithParamInterface<Refusal> {};

// A refused edit says why and leaves the file as it was.
TEST_P(ProfileRefusals, SaysWhyAndLeavesTheFileAlone)
{
    const QString file = Path("p.dat");
    ASSERT_EQ(Cli({"profile", "new", "pike2", file}).exitCode, 0);
    const QByteArray before = Contents(file);
    QStringList args{"profile"};
    for (const QString &a : GetParam().args)
        args << (a == "FILE" ? file : a);
    const CliRun r = Cli(args);
    EXPECT_EQ(r.exitCode, GetParam().exitCode) << r.err.constData();
    EXPECT_TRUE(r.err.contains(GetParam().said)) << r.err.constData();
    EXPECT_EQ(Contents(file), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileRefusals,
    ::testing::Values(
        Refusal{"rings out of range", {"edit", "FILE", "--set", "basic.rings=300"}, 2, "basic: rings"},
        Refusal{"quote in the service centre", {"edit", "FILE", "--set", "sms.serviceCentre=12\"3"}, 2,
                "sms: serviceCentre"},
        Refusal{"line end in the service centre", {"edit", "FILE", "--set", "sms.serviceCentre=12\r\nATZ"}, 2,
                "sms: serviceCentre"},
        Refusal{"no such page", {"edit", "FILE", "--set", "fax.rings=1"}, 2, "fax"},
        Refusal{"no such field", {"edit", "FILE", "--set", "basic.volume=1"}, 2, "volume"},
        Refusal{"no page before the field", {"edit", "FILE", "--set", "rings=1"}, 2, "PAGE.FIELD=VALUE"},
        Refusal{"unknown model", {"new", "pike4", "FILE"}, 2, "pike4"},
        Refusal{"reset delay the page refuses", {"edit", "FILE", "--set", "basic.resetEnabled=1", "--set",
                                                 "basic.resetDelay=24:00"},
                2, "resetDelay"}),
    [](const auto &info) { return telvio::test::WordName(info.param.name); });

TEST_F(ProfileFilesCli, FileThatIsNoProfileIsRefused)
{
    const QString file = Path("notes.dat");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("KESTRAVA________TELVIO_7310-0040cX and then some");
    f.close();
    for (const QStringList &args : {QStringList{"profile", "show", file},
                                    QStringList{"profile", "edit", file, "--set", "basic.rings=1"}}) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains("is not a valid profile")) << r.err.constData();
    }
}

TEST_F(ProfileFilesCli, ShortFileIsShownOnDefaultsAndSaidIncomplete)
{
    const QString file = Path("p.dat");
    ASSERT_EQ(Cli({"profile", "new", "orca1", file, "--set", "basic.rings=7"}).exitCode, 0);
    QFile f(file);
    ASSERT_TRUE(f.resize(200)); // into the Serial record
    const CliRun r = Cli({"--json", "profile", "show", file});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains("incomplete")) << r.err.constData();
    EXPECT_FALSE(r.Json().contains("error"));
    EXPECT_EQ(r.Json().value("basic").toObject().value("rings").toInt(), 7);
    EXPECT_EQ(r.Json().value("sms").toObject().value("format").toInt(), 1); // the default
}

// --- with a modem ---------------------------------------------------------------

class ProfileOnSim : public CliOnSim {
protected:
    QByteArray Setting(const QByteArray &name, telvio::sim::ProfileSlot slot = telvio::sim::ProfileSlot::Active)
    {
        QByteArray value;
        modem.withModem([&](telvio::sim::SimModem &m) { value = m.state().value(name, slot); });
        return value;
    }
    QStringList DifferentFields(const CliRun &r)
    {
        QStringList fields;
        for (const QJsonValue &d : r.Json().value("differences").toArray())
            fields << d.toObject().value("page").toString() + "." + d.toObject().value("field").toString();
        return fields;
    }
    QTemporaryDir dir;
};

// The way a fleet is provisioned: a modem's profile saved, edited, compared
// with the modem, written into it and compared again.
TEST_P(ProfileOnSim, SaveEditDiffWriteDiff)
{
    Start();
    const QString file = dir.filePath("fleet.dat");
    CliRun r = Cli({"--port", path, "--json", "profile", "save", file});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("pages").toObject().value("basic").toString(), "read");
    EXPECT_EQ(Contents(file).size(), 3931);

    ASSERT_EQ(Cli({"profile", "edit", file, "--set", "basic.rings=4", "--set", "sms.serviceCentre=+46709999"}).exitCode,
              0);
    r = Cli({"--port", path, "--json", "profile", "diff", file});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    EXPECT_EQ(DifferentFields(r), (QStringList{"basic.rings", "sms.serviceCentre"}));
    const QJsonObject rings = r.Json().value("differences").toArray().first().toObject();
    EXPECT_EQ(rings.value("profile").toInt(), 4);
    EXPECT_EQ(rings.value("modem").toInt(), 0);

    r = Cli({"--port", path, "--json", "profile", "write", file});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject pages = r.Json().value("pages").toObject();
    for (const char *page : {"basic", "serial", "sms"})
        EXPECT_EQ(pages.value(page).toString(), "written") << page;
    EXPECT_FALSE(pages.contains("io")); // only when named
    EXPECT_EQ(Setting("S0", telvio::sim::ProfileSlot::Stored), "4");
    EXPECT_TRUE(Setting("+CSCA").contains("+46709999"));

    r = Cli({"--port", path, "--json", "profile", "diff", file});
    EXPECT_EQ(r.exitCode, 0) << r.out.constData() << r.err.constData();
    EXPECT_TRUE(DifferentFields(r).isEmpty());
}

CLI_AT_BOTH_RATES(ProfileOnSim);

TEST(ProfileWriteCli, ProfileOfAnotherModelIsNotWritten)
{
    telvio::sim::SimThread modem;
    const QString path = modem.start(telvio::sim::SimConfig());
    ASSERT_FALSE(path.isEmpty());
    QTemporaryDir dir;
    const QString file = dir.filePath("pike2.dat");
    ASSERT_EQ(Cli({"profile", "new", "pike2", file, "--set", "basic.rings=6"}).exitCode, 0);
    const CliRun r = Cli({"--port", path, "profile", "write", file});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("The profile do not match the connected modem...")) << r.err.constData();
    QByteArray s0;
    modem.withModem([&](telvio::sim::SimModem &m) { s0 = m.state().value("S0"); });
    EXPECT_EQ(s0, "0");
}

} // namespace
