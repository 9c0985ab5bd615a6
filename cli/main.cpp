#include "cli/basiccommands.h"
#include "cli/clicontext.h"
#include "cli/diagnosticcommands.h"
#include "cli/gprscommands.h"
#include "cli/identifycommand.h"
#include "cli/linkcommands.h"
#include "cli/pagecommands.h"
#include "cli/signalcommands.h"
#include "cli/profilecommands.h"
#include "cli/provisioncommand.h"
#include "cli/doctorcommand.h"
#include "link/core/connectionform.h"

#include <QCoreApplication>

#include <cstdio>

using namespace telvio::cli;

namespace {

void PrintUsage(FILE *to, const QList<Command> &commands)
{
    std::fprintf(to,
                 "usage: telvio-cli [--port PATH] [--baud N] [--framing 8N1] [--json] [--debug] [--delay MS]\n"
                 "                  [--log FILE]\n"
                 "                  COMMAND ...\n\ncommands:\n");
    for (const Command &c : commands)
        std::fprintf(to, "  %s\n", qPrintable(c.usage));
    std::fprintf(to,
                 "\nTexts may use the escapes \\r \\n \\t \\\\ \\xHH.\n"
                 "Exit status: 0 success, 1 the modem or the operation failed, 2 usage error,\n"
                 "3 the port cannot be opened.\n");
}

QStringList ParityLetters()
{
    QStringList letters;
    for (const QString &item : telvio::ConnectionForm::ParityItems())
        letters << item.left(1);
    return letters;
}

// Only what the Connection page lets a user choose: a port driver would
// take other rates, and no modem of the family speaks them.
bool ParseBaud(const QString &text, telvio::PortSettings *line)
{
    if (!telvio::ConnectionForm::BaudItems().contains(text))
        return false;
    line->baud = text.toInt();
    return true;
}

bool ParseOfferedFraming(const QString &text, telvio::PortSettings *line)
{
    const QString upper = text.toUpper();
    telvio::PortSettings parsed = *line;
    if (upper.size() != 3 || !telvio::ConnectionForm::DataBitsItems().contains(upper.left(1))
        || !ParityLetters().contains(upper.mid(1, 1)) || !telvio::ConnectionForm::StopBitsItems().contains(upper.right(1))
        || !telvio::PortSettings::ParseFraming(upper, &parsed))
        return false;
    *line = parsed;
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrava"));
    QCoreApplication::setApplicationName(QStringLiteral("Telvio"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TELVIO_VERSION));

    QList<Command> commands = LinkCommands() + IdentifyCommands() + PageCommands() + BasicCommands();
    commands += DiagnosticCommands();
    commands += SignalCommands();
    commands += GprsCommands();
    commands += ProfileCommands();
    commands += ProvisionCommands();
    commands += DoctorCommands();

    const QStringList args = app.arguments().mid(1);
    GlobalOptions g;
    int i = 0;
    const bool json = args.contains(QStringLiteral("--json"));
    auto fail = [&](const QString &why) {
        Output out(json);
        out.Error(why);
        PrintUsage(stderr, commands);
        if (json)
            out.Flush();
        return ExitUsage;
    };
    for (; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (!a.startsWith(QLatin1String("--")))
            break;
        // An option never takes the next option as its value: "--port
        // --json" lacks the path, it does not name a device "--json".
        auto needValue = [&]() -> QString {
            if (i + 1 >= args.size() || args.at(i + 1).startsWith(QLatin1String("--")))
                return QString();
            return args.at(++i);
        };
        if (a == QLatin1String("--help")) {
            PrintUsage(stdout, commands);
            return ExitOk;
        } else if (a == QLatin1String("--version")) {
            std::printf("telvio-cli %s\n", TELVIO_VERSION);
            return ExitOk;
        } else if (a == QLatin1String("--json")) {
            g.json = true;
        } else if (a == QLatin1String("--debug")) {
            g.debug = true;
        } else if (a == QLatin1String("--port")) {
            g.port = needValue();
            if (g.port.isEmpty())
                return fail(QStringLiteral("--port needs a device path"));
        } else if (a == QLatin1String("--baud")) {
            if (!ParseBaud(needValue(), &g.line))
                return fail(QStringLiteral("--baud takes one of the rates the Connection page offers: %1")
                                .arg(telvio::ConnectionForm::BaudItems().join(QLatin1String(", "))));
        } else if (a == QLatin1String("--framing")) {
            if (!ParseOfferedFraming(needValue(), &g.line))
                return fail(QStringLiteral("--framing takes data bits %1, parity %2 and stop bits %3, such as 8N1 "
                                           "or 7E2")
                                .arg(telvio::ConnectionForm::DataBitsItems().join(QLatin1String(" or ")),
                                     ParityLetters().join(QLatin1String(", ")),
                                     telvio::ConnectionForm::StopBitsItems().join(QLatin1String(" or "))));
        } else if (a == QLatin1String("--log")) {
            g.log = needValue();
            if (g.log.isEmpty())
                return fail(QStringLiteral("--log needs a file"));
        } else if (a == QLatin1String("--delay")) {
            bool ok = false;
            g.delay = needValue().toInt(&ok);
            if (!ok || g.delay < 0 || g.delay > 1000)
                return fail(QStringLiteral("--delay needs milliseconds from 0 to 1000"));
        } else {
            return fail(QStringLiteral("unknown option %1").arg(a));
        }
    }
    if (i >= args.size())
        return fail(QStringLiteral("no command given"));
    const QString name = args.at(i);
    const QStringList rest = args.mid(i + 1);
    for (const Command &c : commands) {
        if (c.name != name)
            continue;
        if (c.needsPort && g.port.isEmpty())
            return fail(QStringLiteral("%1 needs --port PATH (see: telvio-cli ports)").arg(name));
        CliContext ctx(g);
        if (!g.log.isEmpty() && !ctx.Log().IsOpen())
            return ExitFailed;
        const int rc = c.run(ctx, rest);
        ctx.CloseLink();
        ctx.Out().Flush();
        return rc;
    }
    return fail(QStringLiteral("unknown command %1").arg(name));
}
