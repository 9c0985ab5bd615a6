#include "cli/doctorcommand.h"

#include "link/core/portdoctor.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace telvio::cli {

namespace {

int Doctor(CliContext &ctx, const QStringList &args)
{
    QStringList ports;
    if (!ctx.Options().port.isEmpty())
        ports << ctx.Options().port;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--port") && i + 1 < args.size()) {
            ports = QStringList{args.at(++i)};
        } else {
            ctx.Out().Error(QStringLiteral("doctor takes only --port PATH\nusage: doctor [--port PATH]"));
            return ExitUsage;
        }
    }
    const bool every = ports.isEmpty();
    if (every)
        ports = ExistingPorts();
    QJsonArray rows;
    int troubled = 0;
    for (const QString &port : ports) {
        const PortDiagnosis d = DiagnosePort(port, QCoreApplication::applicationPid());
        rows.append(d.ToJson());
        troubled += d.Ok() ? 0 : 1;
        ctx.Out().Line(d.Ok() ? QStringLiteral("%1: ok, it opens").arg(port)
                              : QStringLiteral("%1: %2\n  %3").arg(port, d.text, d.advice));
    }
    if (every && ports.isEmpty())
        ctx.Out().Line(QStringLiteral("no serial port is there: plug the modem or its adapter in"));
    if (ctx.Out().Json())
        ctx.Out().Set(QStringLiteral("ports"), rows);
    return troubled == 0 ? ExitOk : ExitFailed;
}

} // namespace

QList<Command> DoctorCommands()
{
    return {{QStringLiteral("doctor"), QStringLiteral("doctor [--port PATH]"), Doctor, false}};
}

} // namespace telvio::cli
