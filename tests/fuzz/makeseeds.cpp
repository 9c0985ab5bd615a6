// Writes the fuzzers' seed corpora from the test fixtures: the real modem
// answers of tests/fixtures/real-answers.json, the profile dumps of
// tests/fixtures/serial-dumps, and the simulator's answers to the commands
// the pages send. Usage: fuzz-seeds OUTDIR (one directory per harness).
#include "sim/simmodem.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>

#include <cstdio>

using namespace telvio::sim;

namespace {

QDir g_out;

void Seed(const char *harness, const QByteArray &bytes)
{
    g_out.mkpath(QLatin1String(harness));
    // Named by content, as libFuzzer names what it adds to a corpus.
    const QByteArray name = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
    QFile file(g_out.filePath(QLatin1String(harness) + QLatin1Char('/') + QLatin1String(name)));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray MatcherSeed(const QByteArray &pattern, int tail, const QByteArray &answer)
{
    return char(pattern.size()) + QByteArray(1, char(tail)) + pattern + answer;
}

// The commands the pages and the identification send.
const QList<QByteArray> kPageCommands = {
    "AT",       "ATE1",       "ATQ0",     "ATV0",        "ATV1",      "ATI9",      "AT+CGSN",
    "AT+CPIN?", "AT+WOPEN=2", "AT+ICF?",  "ATS0?",       "AT%C?",     "AT\\N?",    "AT+CLCK?",
    "AT*WPIN?", "AT*WSTATLED?", "AT+WRST?", "AT+CBST?",  "AT&V",      "AT+CPBR=1", "AT+CMGR=1",
    "AT+WSTR=1", "AT+CMGF=1", "AT+CMEE=1", "ATS0=2",     "AT+CBST=71,0,1", "AT+WRST=1,\"024:00\"",
    "AT*WPIN=1,\"1234\"", "AT+IPR=115200", "AT+ICF=3,4", "AT+IFC=2,2", "ATV1 &C1 &D2 &S1 E1 +IPR=115200",
    "AT+CPBW=1,\"+3212345678\",145", "AT&W", "AT&F", "A/",
    "AT*WIOL=1?", "AT*WIOP?", "AT*WIOE?", "AT*WCB?", "AT*WCBTAB?", "AT*WCBPWD?", "AT*WCBTIME?",
    "AT*WIOL=2,2,2 12,1,+4670,\"Door open, now\",,,,", "AT*WCBPWD2=\"two words\"",
};

void FromFixtureAnswer(const QByteArray &command, const QByteArray &answer)
{
    Seed("pageparsers", answer);
    for (const QByteArray &pattern : {QByteArray("OK\r\n"), QByteArray("ERROR"), QByteArray("0\r"),
                                      QByteArray("+CPIN:")})
        Seed("answermatch", MatcherSeed(pattern, 0, answer));
    if (command.startsWith("AT")) {
        Seed("simcommandline", command.mid(2));
        Seed("simmodem", QByteArray("\x03\x01", 2) + command + '\r');
    }
}

void FromSimulator()
{
    for (const int settings : {0x03, 0x02, 0x00, 0x19}) {
        SimConfig config;
        config.echo = settings & 1;
        config.verbose = settings & 2;
        config.model = (settings & 8) ? Model::Orca1 : Model::Pike3;
        for (const QByteArray &command : kPageCommands) {
            SimModem modem(config);
            const QByteArray answer = modem.feed(command + '\r');
            Seed("pageparsers", answer);
            Seed("answermatch", MatcherSeed("OK\r\n", 0, answer));
        }
    }
    QByteArray all;
    for (const QByteArray &command : kPageCommands) {
        Seed("simcommandline", command.mid(2));
        all += command + '\r';
    }
    Seed("simmodem", QByteArray("\x03\x05", 2) + all);
    Seed("simmodem", QByteArray("\x20\x00", 2) + "AT+CPIN=\"0000\"\rAT+CPIN?\r");
    Seed("simcommandline", "+CMEE=1 E0;+CGSN;S0=2S7?&W\\N3%C0");
    Seed("simcommandline", "D+3212345678;");
}

void SimulatorCommandLines()
{
    const QList<QByteArray> lines = {
        "",
        "--model\npike2\n--baud\n115200\n--framing\n7E1",
        "--model=orca1us\n--firmware=ipstack\n--sim=pin\n--pin=1234\n--puk=87654321",
        "--baud\n0\n--echo\n0\n--verbose\n0\n--quiet\n1\n--cmee\n2\n--real-rate",
        "--fault\n+CGSN=delay:500/once\n--fault\nATI9=error\n--fault\n+CPIN?=noise\n--fault\nAT&W=hangup",
        "--imei\n351079001234567\n--wopen-version\n3.20\n--link\n/tmp/modem\n--log",
        "-h",
    };
    for (const QByteArray &line : lines)
        Seed("simoptions", line);
}

void CliFiles(const QJsonArray &fixtures)
{
    // What `read basic --json` prints, and the fixture entries themselves
    // (objects of texts and flags).
    Seed("clifrom", R"({"rings":2,"compression":"0 - None","errorCorrection":1,"statusLed":0,)"
                    R"("autoPin":1,"autoPinCode":"1234","resetTimer":0,"resetDelay":"024:00"})");
    Seed("clifrom", R"({"rings":null,"compression":[1],"errorCorrection":{"a":1},"statusLed":1e300})");
    Seed("clifrom", R"({"compressionText":"v42bis","rings":"5","x":-1,"y":2.5})");
    for (int i = 0; i < fixtures.size() && i < 20; ++i)
        Seed("clifrom", QJsonDocument(fixtures.at(i).toObject()).toJson(QJsonDocument::Compact));
}

// Profile files as the program writes them (the fixtures), whole and cut
// short, and patches over a profile of defaults (see fuzz_profileloader).
void ProfileFiles(const QDir &fixtures)
{
    const QDir profiles(fixtures.filePath(QStringLiteral("profiles")));
    for (const QString &name : profiles.entryList({QStringLiteral("*.dat")}, QDir::Files)) {
        QFile file(profiles.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        Seed("profileloader", '\0' + bytes.left(2000));
        Seed("profileloader", '\0' + bytes.left(203));
        Seed("profileloader", '\x09' + QByteArray("\xcb\x00", 2) + bytes.mid(203, 264)); // the SMS record
        Seed("profileloader", '\x07' + QByteArray("\xd3\x01", 2) + bytes.mid(467, 544)); // the GPRS record
    }
    Seed("profileloader", QByteArray("\0KESTRAVA________TELVIO_7310-0040c", 34));
    Seed("profileloader", QByteArray("\x01\x21\x00X", 4)); // byte 33 not zero
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz-seeds OUTDIR\n");
        return 2;
    }
    g_out = QDir(QString::fromLocal8Bit(argv[1]));
    g_out.mkpath(QStringLiteral("."));
    const QDir fixtures(QStringLiteral(TELVIO_FIXTURES_DIR));

    QFile answers(fixtures.filePath(QStringLiteral("real-answers.json")));
    if (!answers.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(answers.fileName()));
        return 1;
    }
    const QJsonArray entries = QJsonDocument::fromJson(answers.readAll()).array();
    for (const QJsonValue &entry : entries) {
        const QJsonObject o = entry.toObject();
        FromFixtureAnswer(o.value(QLatin1String("command")).toString().toLatin1(),
                          o.value(QLatin1String("answer")).toString().toLatin1());
    }

    const QDir dumps(fixtures.filePath(QStringLiteral("serial-dumps")));
    for (const QString &name : dumps.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
        QFile dump(dumps.filePath(name));
        if (dump.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = dump.readAll();
            Seed("pageparsers", bytes);
            Seed("answermatch", MatcherSeed("OK\r\n", 0, bytes));
        }
    }

    FromSimulator();
    SimulatorCommandLines();
    CliFiles(entries);
    ProfileFiles(fixtures);
    return 0;
}
