#include "cli/signalcommands.h"

#include "cli/pagecommands.h"
#include "monitor/core/signallogic.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

#include <csignal>

namespace telvio::cli {

namespace {

const QString kUsage = QStringLiteral("signal [--count N] [--interval S] [--csv FILE]");

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int)
{
    g_interrupted = 1;
}

// Ctrl-C (or a TERM) ends a watch between cycles: the cycle under way runs
// to its end, so the modem is left in its own result mode and the file
// holds whole rows only.
class InterruptScope {
public:
    InterruptScope()
    {
        g_interrupted = 0;
        struct sigaction action = {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_oldInt);
        sigaction(SIGTERM, &action, &m_oldTerm);
    }
    ~InterruptScope()
    {
        sigaction(SIGINT, &m_oldInt, nullptr);
        sigaction(SIGTERM, &m_oldTerm, nullptr);
    }
    InterruptScope(const InterruptScope &) = delete;
    InterruptScope &operator=(const InterruptScope &) = delete;

private:
    struct sigaction m_oldInt = {};
    struct sigaction m_oldTerm = {};
};

QByteArray JsonText(const QString &text)
{
    // A one-element array gives the string its JSON escapes.
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

// Keys in the order a reader expects them, which a QJsonObject would sort.
QByteArray JsonLine(const SignalReading &r)
{
    QByteArray line = "{\"time\":" + JsonText(r.time.toString(Qt::ISODate)) + ",\"cells\":[";
    for (int c = 0; c < 7; ++c) {
        const CellInfo &cell = r.cells[c];
        if (c > 0)
            line += ',';
        line += "{\"operator\":" + JsonText(QString::fromLatin1(cell.operatorName))
            + ",\"cellId\":" + JsonText(QString::fromLatin1(cell.cellId)) + ",\"rxlev\":" + QByteArray::number(cell.rxlev)
            + ",\"colour\":" + JsonText(ColourName(cell.colour)) + '}';
    }
    line += "],\"ber\":" + QByteArray::number(r.berCode) + ",\"berText\":" + JsonText(r.cells[0].berText) + '}';
    return line;
}

QStringList TextLines(const SignalReading &r)
{
    QStringList lines{QStringLiteral("time: %1").arg(r.time.toString(Qt::ISODate))};
    for (int c = 0; c < 7; ++c) {
        const CellInfo &cell = r.cells[c];
        const QString title = c == 0 ? signalpagetext::kMainCell : signalpagetext::NeighbourTitle(c);
        lines << QStringLiteral("%1: %2  cell %3  rxlev %4 (%5)")
                     .arg(title, QString::fromLatin1(cell.operatorName), QString::fromLatin1(cell.cellId))
                     .arg(cell.rxlev)
                     .arg(ColourName(cell.colour));
    }
    lines << QStringLiteral("BER: %1").arg(r.cells[0].berText) << QString();
    return lines;
}

struct SignalArgs {
    int count = 1; // 0: until interrupted
    int interval = 3;
    QString csv;
};

bool ParseArgs(const QStringList &args, SignalArgs *out, QString *error)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const QString value = i + 1 < args.size() ? args.at(i + 1) : QString();
        bool ok = false;
        if (a == QLatin1String("--count")) {
            out->count = value.toInt(&ok);
            if (!ok || out->count < 0) {
                *error = QStringLiteral("--count takes a number of cycles (0: until Ctrl-C)");
                return false;
            }
        } else if (a == QLatin1String("--interval")) {
            out->interval = value.toInt(&ok);
            if (!ok || out->interval < 1 || out->interval > 86400) {
                *error = QStringLiteral("--interval takes whole seconds from 1 to 86400");
                return false;
            }
        } else if (a == QLatin1String("--csv")) {
            if (value.isEmpty() || value.startsWith(QLatin1String("--"))) {
                *error = QStringLiteral("--csv needs a file name");
                return false;
            }
            out->csv = value;
        } else {
            *error = QStringLiteral("usage: %1").arg(kUsage);
            return false;
        }
        ++i;
    }
    return true;
}

int Signal(CliContext &ctx, const QStringList &args)
{
    SignalArgs a;
    QString error;
    if (!ParseArgs(args, &a, &error)) {
        ctx.Out().Error(error);
        return ExitUsage;
    }
    QFile csv(a.csv);
    if (!a.csv.isEmpty()) {
        if (!csv.open(QIODevice::Append)) {
            ctx.Out().Error(QStringLiteral("cannot write %1: %2").arg(a.csv, csv.errorString()));
            return ExitFailed;
        }
        if (csv.size() == 0)
            csv.write(SignalHistory::CsvHeader());
        csv.flush();
    }
    InterruptScope interrupts;
    if (const int rc = ConnectModem(ctx))
        return rc;
    ModemSession &s = ctx.Session();
    SignalForm form;
    const int red = SignalForm::RedItems().value(form.red).toInt();
    const int green = SignalForm::GreenItems().value(form.green).toInt();
    for (int done = 0; (a.count == 0 || done < a.count) && !g_interrupted; ++done) {
        if (done > 0) {
            // The page's timer counts from the end of a cycle; waited in
            // slices so that Ctrl-C need not wait out a long interval.
            for (int waited = 0; waited < a.interval * 1000 && !g_interrupted; waited += 100)
                s.Wait(100);
            if (g_interrupted)
                break;
        }
        BusyScope busy(s);
        const bool measured = RunSignalCycle(s, red, green, [&](const SignalReading &r) {
            ctx.Out().Stream(JsonLine(r), TextLines(r));
            if (csv.isOpen()) {
                csv.write(SignalHistory::CsvRow(SampleOf(r)));
                csv.flush();
            }
        });
        if (!measured) {
            const QString why = ctx.WhatWentWrong();
            ctx.Out().Error(why.isEmpty() ? QStringLiteral("the modem did not answer the measurement cycle")
                                          : QStringLiteral("the measurement cycle failed: %1").arg(why));
            return ExitFailed;
        }
    }
    return ExitOk;
}

} // namespace

QList<Command> SignalCommands()
{
    return {{QStringLiteral("signal"), kUsage, Signal, true}};
}

} // namespace telvio::cli
