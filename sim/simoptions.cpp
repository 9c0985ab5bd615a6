#include "sim/simoptions.h"

#include "sim/simmodem.h"
#include "sim/staging.h"

#include <QCommandLineParser>

#include <functional>

namespace telvio::sim {
namespace {

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption model{"model", "Modem model: orca1, orca1us, pike2, pike3 (default pike3).", "model", "pike3"};
    QCommandLineOption firmware{"firmware",
                                "Firmware: plain, maker, ipstack (default: maker for pike2/pike3, "
                                "ipstack for orca1us, plain for orca1).",
                                "firmware"};
    QCommandLineOption baud{"baud", "Port rate (+IPR), 0 to autobaud (default 9600).", "rate", "9600"};
    QCommandLineOption framing{"framing", "Character framing (+ICF), e.g. 8N1, 7E1, 8N2 (default 8N1).",
                               "framing", "8N1"};
    QCommandLineOption sim{"sim", "SIM card: none, ready, pin, puk (default ready).", "state", "ready"};
    QCommandLineOption pin{"pin", "SIM PIN (default 0000).", "code", "0000"};
    QCommandLineOption puk{"puk", "SIM PUK (default 12345678).", "code", "12345678"};
    QCommandLineOption echo{"echo", "Command echo E0/E1 (default 1).", "0|1", "1"};
    QCommandLineOption verbose{"verbose", "Result codes V0 (numeric) / V1 (verbose) (default 1).", "0|1", "1"};
    QCommandLineOption quiet{"quiet", "Result code suppression Q0/Q1 (default 0).", "0|1", "0"};
    QCommandLineOption cmee{"cmee", "+CME ERROR reporting +CMEE 0/1/2 (default 1).", "0|1|2", "1"};
    QCommandLineOption imei{"imei", "IMEI to report (default: one in the model's range).", "imei"};
    QCommandLineOption wopenVersion{"wopen-version", "Version +WOPEN=2 reports (default 3.10).", "version",
                                    "3.10"};
    QCommandLineOption realRate{"real-rate", "Send at the line's byte rate instead of at once."};
    QCommandLineOption fault{"fault",
                             "Fault on a command, repeatable: CMD=KIND[:ARG][/once], KIND one of "
                             "delay:<ms>, noanswer, error, noise, hangup, cme:<n> (answers +CME ERROR: n), "
                             "unsolicited[:<text>] (the command runs and <text>, default RING, comes after the first "
                             "line of its answer) (e.g. +CGSN=delay:500, ATI9=error/once, +CSQ=unsolicited:+CREG: 1).",
                             "fault"};
    QCommandLineOption set{"set",
                           "Set a value before serving, repeatable: NAME=VALUE. NAME is a setting (S0, E, +CMEE, "
                           "+IPR: active and stored value, checked as its set command does), SIM "
                           "(ready|pin|puk|absent), PIN, PUK, or a state variable (CSQ_RSSI, CSQ_BER, "
                           "GPRS_COVERAGE, WRST_MODE, CPBR_1, ...). Unknown names starting with + & % \\ * # $ "
                           "or S<digits> are errors.",
                           "name=value"};
    QCommandLineOption state{"state",
                             "Set values from a JSON file: one object of NAME: value (strings or numbers), "
                             "names as for --set. Applied before the --set values.",
                             "file"};
    QCommandLineOption link{"link", "Also make a symbolic link PATH to the pseudo-terminal.", "path"};
    QCommandLineOption log{"log", "Trace received and sent bytes on stderr."};
    QCommandLineOption help{QStringList{"h", "help"}, "Show this help."};
    QCommandLineOption signalDrift{"signal-drift",
                                   "Let the cell levels of +CCED and +CSQ drift, one step per serving-cell "
                                   "dump, and the neighbour list change now and then (as --set SIGNAL_DRIFT=1)."};

    Parser()
    {
        parser.setApplicationDescription(
            "Simulated Kestrava modem on a pseudo-terminal. Prints the terminal's path as the first line "
            "of standard output and serves until SIGINT or SIGTERM.");
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions({model, firmware, baud, framing, sim, pin, puk, echo, verbose, quiet, cmee, imei,
                           wopenVersion, realRate, fault, set, state, link, log, help});
        parser.addOption(signalDrift);
    }
};

bool flag(const QString &text, bool *value)
{
    if (text == QLatin1String("0") || text == QLatin1String("1")) {
        *value = text == QLatin1String("1");
        return true;
    }
    return false;
}

// Each assignment tried on a modem of `config`, as the real one will apply them.
bool checkAssignments(const SimConfig &config, const QList<SimAssignment> &assignments,
                      const std::function<QString(const SimAssignment &)> &where, QString *error)
{
    SimConfig plain = config;
    plain.assignments.clear();
    SimModem modem(plain);
    for (const SimAssignment &assignment : assignments) {
        QString message;
        if (!modem.assign(assignment, &message)) {
            *error = where(assignment) + message;
            return false;
        }
    }
    return true;
}

bool validCode(const QString &code)
{
    if (code.size() < 4 || code.size() > 8)
        return false;
    for (QChar c : code) {
        if (!c.isDigit())
            return false;
    }
    return true;
}

} // namespace

bool parseSimOptions(const QStringList &arguments, SimOptions *options, QString *error)
{
    Parser p;
    auto fail = [error](const QString &message) {
        *error = message;
        return false;
    };
    if (!p.parser.parse(arguments))
        return fail(p.parser.errorText());
    if (!p.parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument \"%1\"").arg(p.parser.positionalArguments().first()));
    SimOptions result;
    result.help = p.parser.isSet(p.help);
    SimConfig &config = result.config;

    const auto model = modelFromKey(p.parser.value(p.model));
    if (!model)
        return fail(QStringLiteral("unknown model \"%1\"").arg(p.parser.value(p.model)));
    config.model = *model;
    if (p.parser.isSet(p.firmware)) {
        config.firmware = firmwareFromKey(p.parser.value(p.firmware));
        if (!config.firmware)
            return fail(QStringLiteral("unknown firmware \"%1\"").arg(p.parser.value(p.firmware)));
    }

    bool ok = false;
    const int baud = p.parser.value(p.baud).toInt(&ok);
    if (!ok || (baud != 0 && !supportedRates().contains(baud)))
        return fail(QStringLiteral("unsupported rate \"%1\"").arg(p.parser.value(p.baud)));
    const auto framing = parseFraming(p.parser.value(p.framing).toLatin1());
    if (!framing || !icfFromLine(*framing))
        return fail(QStringLiteral("unsupported framing \"%1\"").arg(p.parser.value(p.framing)));
    config.line = *framing;
    config.line.baud = baud;

    const auto sim = simCardFromKey(p.parser.value(p.sim));
    if (!sim)
        return fail(QStringLiteral("unknown SIM state \"%1\"").arg(p.parser.value(p.sim)));
    config.sim = *sim;
    if (!validCode(p.parser.value(p.pin)))
        return fail(QStringLiteral("a PIN has 4 to 8 digits"));
    if (!validCode(p.parser.value(p.puk)))
        return fail(QStringLiteral("a PUK has 4 to 8 digits"));
    config.pin = p.parser.value(p.pin).toLatin1();
    config.puk = p.parser.value(p.puk).toLatin1();

    if (!flag(p.parser.value(p.echo), &config.echo))
        return fail(QStringLiteral("--echo takes 0 or 1"));
    if (!flag(p.parser.value(p.verbose), &config.verbose))
        return fail(QStringLiteral("--verbose takes 0 or 1"));
    if (!flag(p.parser.value(p.quiet), &config.quiet))
        return fail(QStringLiteral("--quiet takes 0 or 1"));
    config.cmee = p.parser.value(p.cmee).toInt(&ok);
    if (!ok || config.cmee < 0 || config.cmee > 2)
        return fail(QStringLiteral("--cmee takes 0, 1 or 2"));

    if (p.parser.isSet(p.imei)) {
        const QString imei = p.parser.value(p.imei);
        if (imei.isEmpty() || imei.contains(QLatin1Char('\r')) || imei.contains(QLatin1Char('\n')))
            return fail(QStringLiteral("an IMEI is one line of text"));
        config.imei = imei.toLatin1();
    }
    config.wopenVersion = p.parser.value(p.wopenVersion).toLatin1();
    if (config.wopenVersion.isEmpty() || config.wopenVersion.contains('"'))
        return fail(QStringLiteral("--wopen-version needs a version without quotes"));
    config.realRate = p.parser.isSet(p.realRate);
    config.log = p.parser.isSet(p.log);
    for (const QString &text : p.parser.values(p.fault)) {
        QString faultError;
        const auto fault = parseFault(text, &faultError);
        if (!fault)
            return fail(faultError);
        config.faults.append(*fault);
    }
    if (p.parser.isSet(p.signalDrift))
        config.assignments.append(SimAssignment{"SIGNAL_DRIFT", "1"});
    for (const QString &text : p.parser.values(p.set)) {
        QString setError;
        const auto assignment = parseAssignment(text, &setError);
        if (!assignment)
            return fail(setError);
        config.assignments.append(*assignment);
    }
    if (!config.assignments.isEmpty()) {
        QString setError;
        const auto where = [](const SimAssignment &a) {
            return QStringLiteral("--set \"%1=%2\": ").arg(QString::fromLatin1(a.name), QString::fromLatin1(a.value));
        };
        if (!checkAssignments(config, config.assignments, where, &setError))
            return fail(setError);
    }
    result.stateFiles = p.parser.values(p.state);
    result.linkPath = p.parser.value(p.link);
    *options = result;
    return true;
}

bool loadSimStateFiles(SimOptions *options, QString *error)
{
    QList<SimAssignment> fromFiles;
    for (const QString &path : options->stateFiles) {
        QList<SimAssignment> entries;
        if (!loadStateFile(path, &entries, error))
            return false;
        const auto where = [&path](const SimAssignment &a) {
            return QStringLiteral("state file \"%1\": entry \"%2\": ").arg(path, QString::fromLatin1(a.name));
        };
        if (!checkAssignments(options->config, entries, where, error))
            return false;
        fromFiles += entries;
    }
    options->config.assignments = fromFiles + options->config.assignments;
    return true;
}

QString simOptionsHelp()
{
    Parser p;
    return p.parser.helpText();
}

} // namespace telvio::sim
