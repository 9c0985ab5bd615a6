#include "cli/linkcommands.h"

#include "cli/escapes.h"

#include <QJsonArray>

namespace telvio::cli {

namespace {

int Ports(CliContext &ctx, const QStringList &args)
{
    if (!args.isEmpty()) {
        ctx.Out().Error(QStringLiteral("ports takes no arguments"));
        return ExitUsage;
    }
    QList<PortEntry> ports;
    ctx.Session().EnumeratePorts(ports);
    QJsonArray list;
    for (const PortEntry &p : ports) {
        list.append(p.path);
        ctx.Out().Line(p.path);
    }
    if (ctx.Out().Json())
        ctx.Out().Set(QStringLiteral("ports"), list);
    return ExitOk;
}

int Probe(CliContext &ctx, const QStringList &args)
{
    if (!args.isEmpty()) {
        ctx.Out().Error(QStringLiteral("probe takes no arguments"));
        return ExitUsage;
    }
    if (const int rc = ctx.OpenLink())
        return rc;
    ModemSession &s = ctx.Session();
    const int result = s.Probe();
    Output &out = ctx.Out();
    out.Set(QStringLiteral("result"), result);
    out.Set(QStringLiteral("verbose"), s.Verbose() ? 1 : 0);
    out.Set(QStringLiteral("echo"), s.Echo() ? 1 : 0);
    out.Set(QStringLiteral("quiet"), s.Quiet());
    if (result <= 0) {
        out.Error(result < 0 ? QStringLiteral("%1 during the probe")
                                   .arg(ctx.LostReason().isEmpty() ? QStringLiteral("the link went down")
                                                                   : ctx.WhatWentWrong())
                             : QStringLiteral("no modem answers on %1 at %2")
                                   .arg(ctx.Options().port, ctx.Options().line.ToString()));
        return ExitFailed;
    }
    return ExitOk;
}

int Send(CliContext &ctx, const QStringList &args)
{
    Output &out = ctx.Out();
    QString text;
    bool haveText = false;
    int factor = 3;
    // Given texts are matched in order, character by character, as the
    // pages do; without them the answer ends on its final result line.
    QByteArray ok = "OK\r\n";
    QByteArray error = "ERROR";
    bool ownTexts = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        auto value = [&](QString *v) {
            if (i + 1 >= args.size())
                return false;
            *v = args.at(++i);
            return true;
        };
        QString v;
        if (a == QLatin1String("--factor")) {
            bool okNum = false;
            if (!value(&v) || (factor = v.toInt(&okNum), !okNum) || factor < 1 || factor > 10) {
                out.Error(QStringLiteral("--factor takes a number from 1 to 10"));
                return ExitUsage;
            }
        } else if (a == QLatin1String("--ok") || a == QLatin1String("--error")) {
            QByteArray bytes;
            if (!value(&v) || !Unescape(v, &bytes)) {
                out.Error(QStringLiteral("%1 takes a text (escapes: \\r \\n \\t \\\\ \\xHH)").arg(a));
                return ExitUsage;
            }
            (a == QLatin1String("--ok") ? ok : error) = bytes;
            ownTexts = true;
        } else if (!haveText) {
            text = a;
            haveText = true;
        } else {
            out.Error(QStringLiteral("send takes one command text; quote it if it has blanks"));
            return ExitUsage;
        }
    }
    QByteArray command;
    if (!haveText || !Unescape(text, &command)) {
        out.Error(QStringLiteral("send needs the command text, e.g. send AT+CGSN"));
        return ExitUsage;
    }
    if (const int rc = ctx.OpenLink())
        return rc;
    const int result = ownTexts ? ctx.Session().Exchange(command, factor, ok, error)
                                : ctx.Session().ExchangeFinal(command, factor);
    out.Set(QStringLiteral("result"), result);
    if (out.Json())
        out.Set(QStringLiteral("answer"), QString::fromLatin1(command));
    else
        out.Line(QString::fromLatin1(command).trimmed());
    if (result != ExSuccess) {
        switch (result) {
        case ExError: out.Error(QStringLiteral("the modem answered with the error text")); break;
        case ExTimeout: out.Error(QStringLiteral("no complete answer within the timeout")); break;
        default: out.Error(QStringLiteral("the link went down during the exchange")); break;
        }
        return ExitFailed;
    }
    return ExitOk;
}

} // namespace

QList<Command> LinkCommands()
{
    return {
        {QStringLiteral("ports"), QStringLiteral("ports"), Ports, false},
        {QStringLiteral("probe"), QStringLiteral("probe"), Probe, true},
        {QStringLiteral("send"), QStringLiteral("send TEXT [--factor F] [--ok TEXT] [--error TEXT]"), Send, true},
    };
}

} // namespace telvio::cli
