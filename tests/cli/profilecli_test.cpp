// `telvio-cli profile ...`: profile files made, shown and edited without a
// modem, and saved from, compared with and written into the simulator.
#include "clirun.h"
#include "sim/simmodem.h"
#include "support/fixtures.h"
#include "support/linerate.h"

#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>
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
             "--set", "serial.echoText=0 - Echo off", "--set", "gprs.apn=fleet.example", "--set",
             "io.entries.3.service=SMS", "--set", "io.entries.3.data2=Door open, now", "--set",
             "callback.numbers.2=+46702222"});
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
    const QJsonObject gprs = shown.value("gprs").toObject();
    EXPECT_EQ(gprs.value("apn").toString(), "fleet.example");
    EXPECT_EQ(gprs.value("commandSet").toString(), "TcpFirmware");
    EXPECT_EQ(gprs.value("port").toString(), "9000");
    const QJsonArray entries = shown.value("io").toObject().value("entries").toArray();
    ASSERT_EQ(entries.size(), 10);
    EXPECT_EQ(entries.at(2).toObject().value("serviceText").toString(), "SMS");
    EXPECT_EQ(entries.at(2).toObject().value("data2").toString(), "Door open, now");
    EXPECT_EQ(entries.at(3).toObject().value("serviceText").toString(), "NONE");
    const QJsonObject callback = shown.value("callback").toObject();
    EXPECT_EQ(callback.value("numbers").toArray(), (QJsonArray{"", "+46702222", ""}));
    EXPECT_EQ(callback.value("passwords").toArray().size(), 3);

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
    const char *model = "pike2"; // of the profile
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
    ASSERT_EQ(Cli({"profile", "new", GetParam().model, file}).exitCode, 0);
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
                2, "resetDelay"},
        Refusal{"quote in the access point name", {"edit", "FILE", "--set", "gprs.apn=web\"net"}, 2, "gprs: apn"},
        Refusal{"Ctrl-Z in the GPRS password", {"edit", "FILE", "--set", "gprs.password=se\x1a" "cret"}, 2,
                "gprs: password"},
        Refusal{"letters in the GPRS port", {"edit", "FILE", "--set", "gprs.port=90a"}, 2, "gprs: port"},
        Refusal{"GPRS address out of range", {"edit", "FILE", "--set", "gprs.serverIp=10.0.0.256"}, 2,
                "gprs: serverIp"},
        Refusal{"socket field plain GPRS does not have", {"edit", "FILE", "--set", "gprs.port=2001"}, 2,
                "the PlainGprs command set of the Orca-1 has no port", "orca1"},
        Refusal{"socket field the IP stack does not have", {"edit", "FILE", "--set", "gprs.autoConnect=1"}, 2,
                "the IpStack command set of the Orca-1 US has no autoConnect", "orca1us"},
        Refusal{"line end in an I/O entry's data", {"edit", "FILE", "--set", "io.entries.3.data1=AT\r\nATZ"}, 2,
                "io: entries.3.data1", "pike3"},
        Refusal{"I/O entry beyond the tenth", {"edit", "FILE", "--set", "io.entries.11.service=SMS"}, 2,
                "entries.11.service", "pike3"},
        Refusal{"I/O service the list lacks", {"edit", "FILE", "--set", "io.entries.1.service=FAX"}, 2,
                "io: entries.1.service", "pike3"},
        Refusal{"quote in a callback number", {"edit", "FILE", "--set", "callback.numbers.2=12\"3"}, 2,
                "callback: numbers.2", "pike3"},
        Refusal{"callback delay out of range", {"edit", "FILE", "--set", "callback.delay=256"}, 2,
                "callback: delay", "pike3"},
        Refusal{"I/O settings of a model without the page", {"edit", "FILE", "--set", "io.tp=7"}, 2,
                "the Pike-2 has no I/O page"},
        Refusal{"callback settings of a model without the page", {"edit", "FILE", "--set", "callback.delay=30"}, 2,
                "the Pike-2 has no Callback page"}),
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

// The value at "page/key/index/..." of `profile show`'s JSON, as text.
QString ShownAt(const QJsonObject &shown, const QString &path)
{
    QJsonValue v = shown;
    for (const QString &step : path.split('/')) {
        bool isIndex = false;
        const int index = step.toInt(&isIndex);
        v = isIndex ? v.toArray().at(index) : v.toObject().value(step);
    }
    return v.isDouble() ? QString::number(v.toInt()) : v.toString(QStringLiteral("<missing>"));
}

// Where each page's record lies in the file.
QPair<int, int> BlockOf(const QString &page)
{
    static const QMap<QString, QPair<int, int>> blocks = {{"basic", {43, 80}},  {"serial", {123, 80}},
                                                          {"sms", {203, 264}},  {"gprs", {467, 544}},
                                                          {"io", {1011, 2736}}, {"callback", {3747, 184}}};
    return blocks.value(page);
}

struct PageEdit {
    const char *name;
    const char *model;
    QStringList sets; // PAGE.FIELD=VALUE
    const char *shownAt;
    const char *shown;
};

void PrintTo(const PageEdit &c, std::ostream *os)
{
    *os << c.name;
}

class ProfilePageEdits : public ProfileFilesCli, public ::testing::WithParamInterface<PageEdit> {};

// An edit goes through the page's controls, shows as the page's `read`
// prints it, and changes the file only inside that page's record.
TEST_P(ProfilePageEdits, ShowsTheValueAndTouchesOnlyItsPage)
{
    const PageEdit &c = GetParam();
    const QString file = Path("p.dat");
    ASSERT_EQ(Cli({"profile", "new", c.model, file}).exitCode, 0);
    const QByteArray before = Contents(file);
    QStringList args{"profile", "edit", file};
    for (const QString &set : c.sets)
        args << "--set" << set;
    CliRun r = Cli(args);
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    r = Cli({"--json", "profile", "show", file});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(ShownAt(r.Json(), c.shownAt), c.shown);

    const QByteArray after = Contents(file);
    ASSERT_EQ(after.size(), before.size());
    const QPair<int, int> block = BlockOf(QString(c.shownAt).section('/', 0, 0));
    EXPECT_NE(after.mid(block.first, block.second), before.mid(block.first, block.second));
    EXPECT_EQ(after.left(block.first), before.left(block.first));
    EXPECT_EQ(after.mid(block.first + block.second), before.mid(block.first + block.second));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ProfilePageEdits,
    ::testing::Values(
        PageEdit{"access point name on the TCP firmware", "pike3", {"gprs.apn=internet"}, "gprs/apn", "internet"},
        PageEdit{"GPRS delay kept in 20 ms steps", "pike2", {"gprs.txDelay=135"}, "gprs/txDelay", "120"},
        PageEdit{"sync delay capped", "pike3", {"gprs.syncDelay=300"}, "gprs/syncDelay", "255"},
        PageEdit{"client address", "pike3", {"gprs.clientIp=10.1.2.3"}, "gprs/clientIp", "10.1.2.3"},
        PageEdit{"GPRS list named by its text", "pike3", {"gprs.connectionModeText=1 - Server"},
                 "gprs/connectionMode", "1"},
        PageEdit{"access point name on plain GPRS", "orca1", {"gprs.apn=web"}, "gprs/apn", "web"},
        PageEdit{"Orca-1 profile edits plain GPRS", "orca1", {"gprs.apn=web"}, "gprs/commandSet", "PlainGprs"},
        PageEdit{"port on the IP stack", "orca1us", {"gprs.port=2001"}, "gprs/port", "2001"},
        PageEdit{"Orca-1 US profile edits the IP stack", "orca1us", {"gprs.port=2001"}, "gprs/commandSet",
                 "IpStack"},
        PageEdit{"I/O entry service by name", "pike3", {"io.entries.3.service=SMS"}, "io/entries/2/serviceText",
                 "SMS"},
        PageEdit{"I/O entry retry by its text", "pike3", {"io.entries.10.retryText=RETRY_3"},
                 "io/entries/9/retryText", "RETRY_3"},
        PageEdit{"I/O entry data with a comma", "pike3", {"io.entries.1.data2=Door open, now"},
                 "io/entries/0/data2", "Door open, now"},
        PageEdit{"I/O trigger pulse", "pike3", {"io.tp=7"}, "io/tp", "7"},
        PageEdit{"I/O remote access by its text", "pike3", {"io.enableText=1 - Enable"}, "io/enable", "1"},
        PageEdit{"callback number", "pike3", {"callback.numbers.2=+46702222"}, "callback/numbers/1", "+46702222"},
        PageEdit{"callback password with a space", "pike3", {"callback.passwords.3=two words"},
                 "callback/passwords/2", "two words"},
        PageEdit{"callback control by its text", "pike3",
                 {"callback.controlText=5 - Callback enabled, Use incoming number"}, "callback/control", "5"},
        PageEdit{"callback delay", "pike3", {"callback.delay=45"}, "callback/delay", "45"}),
    [](const auto &info) { return telvio::test::WordName(info.param.name); });

struct StoredFile {
    const char *name;
    const char *model;
    const char *commandSet;
};

void PrintTo(const StoredFile &c, std::ostream *os)
{
    *os << c.name;
}

class StoredProfileJson : public ProfileFilesCli, public ::testing::WithParamInterface<StoredFile> {};

// Every page of a stored profile is shown by its fields, and the shown JSON
// makes the same file again, byte for byte: nothing is lost between the
// record and its fields.
TEST_P(StoredProfileJson, ShownJsonMakesTheSameFile)
{
    const StoredFile &c = GetParam();
    const QByteArray stored = telvio::test::ReadFixture(QStringLiteral("profiles/%1.dat").arg(c.model));
    ASSERT_EQ(stored.size(), 3931);
    const QString file = Path("stored.dat");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(stored);
    f.close();
    CliRun r = Cli({"--json", "profile", "show", file});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.constData(); // no page asked for a modem
    const QJsonObject shown = r.Json();
    EXPECT_FALSE(shown.contains("error"));
    for (const char *page : {"basic", "serial", "sms", "gprs", "io", "callback"}) {
        EXPECT_TRUE(shown.value(page).isObject()) << page;
        EXPECT_FALSE(shown.value(page).toObject().contains("bytes")) << page;
    }
    EXPECT_EQ(ShownAt(shown, "gprs/commandSet"), c.commandSet);
    EXPECT_EQ(ShownAt(shown, "gprs/port"), "9000");
    EXPECT_EQ(ShownAt(shown, "io/tc"), "10");
    EXPECT_EQ(shown.value("io").toObject().value("entries").toArray().size(), 10);

    QFile json(Path("stored.json"));
    ASSERT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(r.out);
    json.close();
    r = Cli({"profile", "new", c.model, Path("again.dat"), "--from", json.fileName()});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Contents(Path("again.dat")), stored);
}

INSTANTIATE_TEST_SUITE_P(Models, StoredProfileJson,
                         ::testing::Values(StoredFile{"Orca-1", "orca1", "PlainGprs"},
                                           StoredFile{"Orca-1 US", "orca1us", "IpStack"},
                                           StoredFile{"Pike-2", "pike2", "TcpFirmware"},
                                           StoredFile{"Pike-3", "pike3", "TcpFirmware"}),
                         [](const auto &info) { return telvio::test::WordName(info.param.name); });

// A hand-edited copy of the shown JSON that changes a position but leaves
// its text as it was takes the position.
TEST_F(ProfileFilesCli, APositionWinsOverItsStaleText)
{
    const QString file = Path("p.dat");
    ASSERT_EQ(Cli({"profile", "new", "pike3", file}).exitCode, 0);
    CliRun r = Cli({"--json", "profile", "show", file});
    ASSERT_EQ(r.exitCode, 0);
    QJsonObject shown = r.Json();
    QJsonObject io = shown.value("io").toObject();
    QJsonArray entries = io.value("entries").toArray();
    QJsonObject third = entries.at(2).toObject();
    third.insert("service", 2); // "serviceText" still says "NONE"
    entries.replace(2, third);
    io.insert("entries", entries);
    shown.insert("io", io);
    QJsonObject callback = shown.value("callback").toObject();
    callback.insert("control", 3);
    shown.insert("callback", callback);
    QJsonObject gprs = shown.value("gprs").toObject();
    gprs.insert("autoConnect", 1);
    shown.insert("gprs", gprs);
    QFile json(Path("edited.json"));
    ASSERT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(QJsonDocument(shown).toJson());
    json.close();

    r = Cli({"profile", "edit", file, "--from", json.fileName()});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    r = Cli({"--json", "profile", "show", file});
    EXPECT_EQ(ShownAt(r.Json(), "io/entries/2/service"), "2");
    EXPECT_EQ(ShownAt(r.Json(), "callback/control"), "3");
    EXPECT_EQ(ShownAt(r.Json(), "gprs/autoConnect"), "1");
}

// --- with a modem ---------------------------------------------------------------

QByteArray SimSetting(telvio::sim::SimThread &modem, const QByteArray &name,
                      telvio::sim::ProfileSlot slot = telvio::sim::ProfileSlot::Active)
{
    QByteArray value;
    modem.withModem([&](telvio::sim::SimModem &m) { value = m.state().value(name, slot); });
    return value;
}

QByteArray SimVariable(telvio::sim::SimThread &modem, const QByteArray &name)
{
    QByteArray value;
    modem.withModem([&](telvio::sim::SimModem &m) { value = m.state().variable(name); });
    return value;
}

// "page.field" of each difference `profile diff` printed.
QStringList DifferentFields(const CliRun &r)
{
    QStringList fields;
    for (const QJsonValue &d : r.Json().value("differences").toArray())
        fields << d.toObject().value("page").toString() + "." + d.toObject().value("field").toString();
    return fields;
}

class ProfileOnSim : public CliOnSim {
protected:
    QByteArray Setting(const QByteArray &name, telvio::sim::ProfileSlot slot = telvio::sim::ProfileSlot::Active)
    {
        return SimSetting(modem, name, slot);
    }
    QByteArray Variable(const QByteArray &name) { return SimVariable(modem, name); }
    QTemporaryDir dir;
};

// The way a fleet is provisioned: a modem's profile saved, edited, compared
// with the modem, written into it and compared again.
TEST_P(ProfileOnSim, SaveEditDiffWriteDiff)
{
    // A Pike-2: the I/O and Callback pages, ten entries read per command,
    // have their own test at full speed below.
    telvio::sim::SimConfig config;
    config.model = telvio::sim::Model::Pike2;
    Start(config);
    const QString file = dir.filePath("fleet.dat");
    CliRun r = Cli({"--port", path, "--json", "profile", "save", file});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("pages").toObject().value("basic").toString(), "read");
    EXPECT_EQ(Contents(file).size(), 3931);

    ASSERT_EQ(Cli({"profile", "edit", file, "--set", "basic.rings=4", "--set", "sms.serviceCentre=+46709999", "--set",
                   "gprs.apn=fleet.example", "--set", "gprs.txDelay=140"})
                  .exitCode,
              0);
    r = Cli({"--port", path, "--json", "profile", "diff", file});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    EXPECT_EQ(DifferentFields(r), (QStringList{"basic.rings", "sms.serviceCentre", "gprs.apn", "gprs.txDelay"}));
    const QJsonObject rings = r.Json().value("differences").toArray().first().toObject();
    EXPECT_EQ(rings.value("profile").toInt(), 4);
    EXPECT_EQ(rings.value("modem").toInt(), 0);

    r = Cli({"--port", path, "--json", "profile", "write", file});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject pages = r.Json().value("pages").toObject();
    for (const char *page : {"basic", "serial", "sms", "gprs"})
        EXPECT_EQ(pages.value(page).toString(), "written") << page;
    EXPECT_FALSE(pages.contains("io")); // only when named
    EXPECT_FALSE(pages.contains("callback"));
    EXPECT_EQ(Setting("S0", telvio::sim::ProfileSlot::Stored), "4");
    EXPECT_TRUE(Setting("+CSCA").contains("+46709999"));
    EXPECT_EQ(Setting("*WGPRSAPN", telvio::sim::ProfileSlot::Stored), "\"fleet.example\"");
    EXPECT_EQ(Setting("*WTCPTXDELAY", telvio::sim::ProfileSlot::Stored), "140");

    r = Cli({"--port", path, "--json", "profile", "diff", file});
    EXPECT_EQ(r.exitCode, 0) << r.out.constData() << r.err.constData();
    EXPECT_TRUE(DifferentFields(r).isEmpty());
}

CLI_AT_BOTH_RATES(ProfileOnSim);

class ProfileOnSimOnce : public ProfileOnSim {};

// The I/O and Callback records are compared always and written only when
// --pages names them, as their pages write them with their own buttons.
TEST_P(ProfileOnSimOnce, IoAndCallbackAreWrittenOnlyWhenNamed)
{
    Start();
    const QString file = dir.filePath("pike3.dat");
    CliRun r = Cli({"--port", path, "--json", "profile", "save", file});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("pages").toObject().value("io").toString(), "read");
    EXPECT_EQ(r.Json().value("pages").toObject().value("callback").toString(), "read");
    ASSERT_EQ(Cli({"profile", "edit", file, "--set", "io.entries.3.service=SMS", "--set",
                   "io.entries.3.data2=Door open, now", "--set", "callback.numbers.2=+46702222"})
                  .exitCode,
              0);
    const QStringList edited{"io.entries.3.service", "io.entries.3.data2", "callback.numbers.2"};
    r = Cli({"--port", path, "--json", "profile", "diff", file});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    EXPECT_EQ(DifferentFields(r), edited);

    r = Cli({"--port", path, "--json", "profile", "write", file});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_NE(Variable("WIOL_3_SERVICE"), "SMS");
    EXPECT_EQ(DifferentFields(Cli({"--port", path, "--json", "profile", "diff", file})), edited);

    r = Cli({"--port", path, "--json", "profile", "write", file, "--pages", "io,callback"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("pages").toObject(),
              (QJsonObject{{"io", "written"}, {"callback", "written"}}));
    EXPECT_EQ(Variable("WIOL_3_SERVICE"), "SMS");
    EXPECT_EQ(Variable("WIOL_3_DATA2"), "Door open, now");
    EXPECT_EQ(Variable("WCBTAB_2"), "+46702222");
    r = Cli({"--port", path, "--json", "profile", "diff", file});
    EXPECT_EQ(r.exitCode, 0) << r.out.constData() << r.err.constData();
}

INSTANTIATE_TEST_SUITE_P(FullSpeed, ProfileOnSimOnce, ::testing::Values(clitest::LineRate::Full), clitest::RateName);

struct SetCase {
    const char *name;
    telvio::sim::Model model;
    const char *profileModel;
    QStringList sets;
    QStringList differ; // the GPRS fields the diff names
    bool isVariable;    // what the write leaves in the simulator: a variable or a setting
    const char *setting;
    const char *written;
};

void PrintTo(const SetCase &c, std::ostream *os)
{
    *os << c.name;
}

// At full speed: the write path runs at both rates above.
class ProfileGprsSets : public ::testing::TestWithParam<SetCase> {
protected:
    void Begin()
    {
        telvio::sim::SimConfig config;
        config.model = GetParam().model;
        path = modem.start(config);
        ASSERT_FALSE(path.isEmpty());
    }
    telvio::sim::SimThread modem;
    QString path;
    QTemporaryDir dir;
};

// A profile made without a modem carries every GPRS field; what is compared
// with and written to a modem is what its command set sends: the plain
// set's modem reads no port, and that is no difference.
TEST_P(ProfileGprsSets, DiffAndWriteFollowTheModemsCommandSet)
{
    const SetCase &c = GetParam();
    ASSERT_NO_FATAL_FAILURE(Begin());
    const QString file = dir.filePath("p.dat");
    QStringList args{"profile", "new", c.profileModel, file};
    for (const QString &set : c.sets)
        args << "--set" << set;
    ASSERT_EQ(Cli(args).exitCode, 0);
    CliRun r = Cli({"--port", path, "--json", "profile", "diff", file});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    EXPECT_EQ(DifferentFields(r).filter(QRegularExpression("^gprs\\.")), c.differ);
    r = Cli({"--port", path, "--json", "profile", "write", file, "--pages", "gprs"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.Json().value("pages").toObject().value("gprs").toString(), "written");
    EXPECT_EQ(c.isVariable ? SimVariable(modem, c.setting) : SimSetting(modem, c.setting), c.written);
    r = Cli({"--port", path, "--json", "profile", "diff", file});
    EXPECT_TRUE(DifferentFields(r).filter(QRegularExpression("^gprs\\.")).isEmpty()) << r.out.constData();
}

using telvio::sim::Model;
INSTANTIATE_TEST_SUITE_P(
    Sets, ProfileGprsSets,
    ::testing::Values(
        SetCase{"plain GPRS on an Orca-1", Model::Orca1, "orca1", {"gprs.apn=web.net"}, {"gprs.apn"}, true, "CGDCONT_1",
                "1,\"IP\",\"web.net\",\"0.0.0.0\",0,0"},
        SetCase{"IP stack on an Orca-1 US", Model::Orca1Us, "orca1us", {"gprs.apn=web.net", "gprs.port=2001"},
                {"gprs.apn", "gprs.port"}, false, "#TCPPORT", "2001"},
        SetCase{"TCP firmware on a Pike-3", Model::Pike3, "pike3", {"gprs.autoConnect=1", "gprs.syncIdle=60"},
                {"gprs.autoConnect", "gprs.syncIdle"}, false, "*WTCPCONNECT", "1"}),
    [](const auto &info) { return telvio::test::WordName(info.param.name); });

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
