#include "cli/provisioncommand.h"

#include "cli/pagecommands.h"
#include "cli/profilecommands.h"
#include "link/core/autoconnect.h"
#include "link/core/connectionform.h"
#include "shell/core/profilefile.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <memory>
#include <vector>

namespace telvio::cli {

namespace {

const QString kUsage = QStringLiteral(
    "provision FILE.dat --ports P1 P2 ... [--baud N] [--framing 8N1] [--search] [--pages basic,serial,...]\n"
    "          [--jobs N] [--report OUT.json|OUT.csv]");

struct Plan {
    QString file;
    QByteArray profile;
    QStringList ports;
    GlobalOptions options; // the line, debug and delay every port shares
    QStringList pages;
    bool named = false;
    bool search = false;
    int jobs = 0; // 0: every port at once
    QString report;
};

struct PortResult {
    QString port;
    QString imei;
    QString model;
    QStringList written;
    QJsonArray differences;
    QString result; // ok, model mismatch, no modem, write failed, verify failed
    QString why;
    qint64 ms = 0;

    bool Ok() const { return result == QLatin1String("ok"); }
};

int Usage(CliContext &ctx, const QString &why)
{
    ctx.Out().Error(QStringLiteral("%1\nusage: %2").arg(why, kUsage));
    return ExitUsage;
}

// The first thing the port's session said went wrong, or what it knows.
QString Why(CliContext &ctx, const QString &fallback)
{
    const QStringList said = ctx.Out().Messages();
    if (!said.isEmpty())
        return said.first();
    const QString cause = ctx.WhatWentWrong();
    return cause.isEmpty() ? fallback : cause;
}

int Connect(CliContext &ctx, bool search)
{
    if (!search)
        return ctx.Session().Connect(ConnectParamsOf(ctx.Options()));
    ModemSession &s = ctx.Session();
    const QString port = ctx.Options().port;
    int result = RunAutoconnectSearch(s, port, PortEntry{port}.Label(), [](int, const QString &) {},
                                      [] { return false; });
    if (result == 1 && s.Connected())
        AdoptModemParity(s);
    else
        result = result == 1 ? -1 : 0;
    return result;
}

// One port from start to end. Runs in the port's own thread: the serial
// control and the session are made here, so that their notifications come
// to this thread's events and not to a busy neighbour's.
PortResult ProvisionPort(const Plan &plan, const QString &port)
{
    QElapsedTimer clock;
    clock.start();
    PortResult r;
    r.port = port;
    GlobalOptions options = plan.options;
    options.port = port;
    options.json = true;
    CliContext ctx(options);
    ctx.Out().Capture();
    ctx.Log().SetLabel(port); // the ports share the one file
    ModemSession &s = ctx.Session();
    auto done = [&](const QString &result, const QString &why = QString()) {
        r.result = result;
        r.why = why;
        r.ms = clock.elapsed();
        ctx.CloseLink();
        return r;
    };

    const int connected = Connect(ctx, plan.search);
    if (connected < 0) {
        ctx.ReportOpenFailure();
        return done(QStringLiteral("no modem"), Why(ctx, QString()));
    }
    if (connected == 0)
        return done(QStringLiteral("no modem"), NoModemText(ctx));
    r.imei = QString::fromLatin1(s.Imei());
    r.model = s.ModelName();
    if (profilefile::ModelOf(plan.profile) != int(s.Traits().model))
        return done(QStringLiteral("model mismatch"), QStringLiteral("the profile is for another model than the %1 here")
                                                          .arg(r.model));

    QJsonObject pages;
    const int wrote = WriteProfilePages(ctx, plan.profile, plan.pages, plan.named, &pages);
    // In the order they were written (the profile's), not the object's.
    for (const profilefile::Block &b : profilefile::Blocks()) {
        const QString name = QLatin1String(b.name);
        if (pages.value(name).toString() == QLatin1String("written"))
            r.written << name;
    }
    if (wrote != ExitOk) {
        QStringList failed;
        for (auto it = pages.begin(); it != pages.end(); ++it) {
            if (it.value().toString() != QLatin1String("written"))
                failed << QStringLiteral("%1 %2").arg(it.key(), it.value().toString());
        }
        return done(QStringLiteral("write failed"), QStringLiteral("%1: %2").arg(failed.join(QLatin1String(", ")),
                                                                                 Why(ctx, QStringLiteral("no cause told"))));
    }

    // The read back: what the modem stored, not what the pages sent.
    const int read = DiffProfilePages(ctx, plan.profile, &r.differences, r.written);
    if (read != ExitOk)
        return done(QStringLiteral("verify failed"), QStringLiteral("the read back failed: %1")
                                                         .arg(Why(ctx, QStringLiteral("no cause told"))));
    if (!r.differences.isEmpty())
        return done(QStringLiteral("verify failed"),
                    QStringLiteral("%1 field(s) differ after the read back").arg(r.differences.size()));
    return done(QStringLiteral("ok"));
}

QJsonObject ToJson(const PortResult &r)
{
    return {{QStringLiteral("port"), r.port},
            {QStringLiteral("imei"), r.imei},
            {QStringLiteral("model"), r.model},
            {QStringLiteral("pagesWritten"), QJsonArray::fromStringList(r.written)},
            {QStringLiteral("differences"), r.differences},
            {QStringLiteral("result"), r.result},
            {QStringLiteral("error"), r.why},
            {QStringLiteral("seconds"), double(r.ms) / 1000.0}};
}

QString ProgressLine(const PortResult &r)
{
    QString line = QStringLiteral("%1: %2").arg(r.port, r.result);
    QStringList facts;
    if (!r.model.isEmpty())
        facts << r.model;
    if (!r.imei.isEmpty())
        facts << QStringLiteral("IMEI %1").arg(r.imei);
    if (!r.written.isEmpty())
        facts << QStringLiteral("wrote %1").arg(r.written.join(QLatin1Char(',')));
    facts << QStringLiteral("%1 s").arg(double(r.ms) / 1000.0, 0, 'f', 1);
    line += QStringLiteral(" (%1)").arg(facts.join(QLatin1String(", ")));
    if (!r.why.isEmpty())
        line += QStringLiteral(": ") + r.why;
    return line;
}

QString CsvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool WriteReport(const QString &path, const std::vector<PortResult> &results, QString *error)
{
    QByteArray data;
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) {
        data = "port,imei,model,pages,differences,result,seconds,error\n";
        for (const PortResult &r : results) {
            const QStringList row{CsvField(r.port),
                                  r.imei,
                                  CsvField(r.model),
                                  CsvField(r.written.join(QLatin1Char(' '))),
                                  QString::number(r.differences.size()),
                                  CsvField(r.result),
                                  QString::number(double(r.ms) / 1000.0, 'f', 3),
                                  CsvField(r.why)};
            data += row.join(QLatin1Char(',')).toUtf8() + '\n';
        }
    } else {
        QJsonArray rows;
        for (const PortResult &r : results)
            rows.append(ToJson(r));
        data = QJsonDocument(QJsonObject{{QStringLiteral("results"), rows}}).toJson();
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

int ParsePlan(CliContext &ctx, const QStringList &args, Plan *plan)
{
    if (args.isEmpty() || args.at(0).startsWith(QLatin1String("--")))
        return Usage(ctx, QStringLiteral("provision needs a profile FILE"));
    plan->file = args.at(0);
    plan->options = ctx.Options();
    plan->pages = MenuWritePages();
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size() && !args.at(i + 1).startsWith(QLatin1String("--"));
        if (a == QLatin1String("--ports")) {
            while (i + 1 < args.size() && !args.at(i + 1).startsWith(QLatin1String("--")))
                plan->ports << args.at(++i);
        } else if (a == QLatin1String("--search")) {
            plan->search = true;
        } else if (a == QLatin1String("--baud") && hasValue) {
            const QString rate = args.at(++i);
            if (!ConnectionForm::BaudItems().contains(rate))
                return Usage(ctx, QStringLiteral("--baud takes one of the rates the Connection page offers"));
            plan->options.line.baud = rate.toInt();
        } else if (a == QLatin1String("--framing") && hasValue) {
            if (!PortSettings::ParseFraming(args.at(++i).toUpper(), &plan->options.line))
                return Usage(ctx, QStringLiteral("--framing takes data bits, parity and stop bits, such as 8N1"));
        } else if (a == QLatin1String("--pages") && hasValue) {
            QString error;
            plan->named = true;
            if (!ParseProfilePages(args.at(++i), &plan->pages, &error)) {
                ctx.Out().Error(error);
                return ExitUsage;
            }
        } else if (a == QLatin1String("--jobs") && hasValue) {
            bool ok = false;
            plan->jobs = args.at(++i).toInt(&ok);
            if (!ok || plan->jobs < 1)
                return Usage(ctx, QStringLiteral("--jobs needs a number of ports from 1 up"));
        } else if (a == QLatin1String("--report") && hasValue) {
            plan->report = args.at(++i);
            if (!plan->report.endsWith(QLatin1String(".json"), Qt::CaseInsensitive)
                && !plan->report.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
                return Usage(ctx, QStringLiteral("--report writes OUT.json or OUT.csv"));
        } else {
            return Usage(ctx, QStringLiteral("unknown argument %1").arg(a));
        }
    }
    if (plan->ports.isEmpty())
        return Usage(ctx, QStringLiteral("provision needs --ports P1 P2 ..."));
    if (plan->ports.removeDuplicates() > 0)
        return Usage(ctx, QStringLiteral("--ports names a port twice"));
    QString error;
    if (!profilefile::ReadFile(plan->file, &plan->profile, &error)) {
        ctx.Out().Error(QStringLiteral("cannot read %1: %2").arg(plan->file, error));
        return ExitFailed;
    }
    if (!profilefile::SignatureValid(plan->profile)) {
        ctx.Out().Error(QStringLiteral("%1 is not a valid profile").arg(plan->file));
        return ExitFailed;
    }
    return ExitOk;
}

int Provision(CliContext &ctx, const QStringList &args)
{
    Plan plan;
    if (const int rc = ParsePlan(ctx, args, &plan))
        return rc;
    const int count = int(plan.ports.size());
    const int jobs = plan.jobs > 0 ? qMin(plan.jobs, count) : count;
    std::vector<PortResult> results(static_cast<size_t>(count));
    std::vector<std::unique_ptr<QThread>> threads(static_cast<size_t>(count));
    QEventLoop loop;
    int next = 0;
    int running = 0;
    int finished = 0;
    // Each port in a thread of its own: QSerialPort only reads in its
    // thread's events, and a port that hangs for its whole timeout holds
    // only its own thread.
    std::function<void()> startNext = [&] {
        while (running < jobs && next < count) {
            const int at = next++;
            ++running;
            threads[size_t(at)].reset(QThread::create([&plan, &results, at] {
                results[size_t(at)] = ProvisionPort(plan, plan.ports.at(at));
            }));
            QObject::connect(threads[size_t(at)].get(), &QThread::finished, &loop, [&, at] {
                --running;
                ++finished;
                ctx.Out().Progress(ProgressLine(results[size_t(at)]));
                if (finished == count)
                    loop.quit();
                else
                    startNext();
            }, Qt::QueuedConnection);
            threads[size_t(at)]->start();
        }
    };
    startNext();
    if (finished < count)
        loop.exec();
    for (auto &t : threads)
        t->wait();

    QJsonArray rows;
    int ok = 0;
    for (const PortResult &r : results) {
        rows.append(ToJson(r));
        ok += r.Ok() ? 1 : 0;
    }
    ctx.Out().Set(QStringLiteral("results"), rows);
    ctx.Out().Set(QStringLiteral("ok"), ok);
    ctx.Out().Set(QStringLiteral("failed"), count - ok);
    if (!plan.report.isEmpty()) {
        QString error;
        if (!WriteReport(plan.report, results, &error)) {
            ctx.Out().Error(QStringLiteral("cannot write %1: %2").arg(plan.report, error));
            return ExitFailed;
        }
    }
    return ok == count ? ExitOk : ExitFailed;
}

} // namespace

QList<Command> ProvisionCommands()
{
    return {{QStringLiteral("provision"), kUsage, Provision, false}};
}

} // namespace telvio::cli
