#include "cli/basiccommands.h"
#include "cli/clicontext.h"
#include "cli/identifycommand.h"
#include "cli/linkcommands.h"
#include "cli/pagecommands.h"

#include <QCoreApplication>

#include <cstdio>

using namespace telvio::cli;

namespace {

void PrintUsage(FILE *to, const QList<Command> &commands)
{
    std::fprintf(to,
                 "usage: telvio-cli [--port PATH] [--baud N] [--framing 8N1] [--json] [--debug] [--delay MS]\n"
                 "                  COMMAND ...\n\ncommands:\n");
    for (const Command &c : commands)
        std::fprintf(to, "  %s\n", qPrintable(c.usage));
    std::fprintf(to,
                 "\nTexts may use the escapes \\r \\n \\t \\\\ \\xHH.\n"
                 "Exit status: 0 success, 1 the modem or the operation failed, 2 usage error,\n"
                 "3 the port cannot be opened.\n");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrava"));
    QCoreApplication::setApplicationName(QStringLiteral("Telvio"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TELVIO_VERSION));

    QList<Command> commands = LinkCommands() + IdentifyCommands() + PageCommands() + BasicCommands();

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
        auto needValue = [&]() -> QString { return i + 1 < args.size() ? args.at(++i) : QString(); };
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
            bool ok = false;
            g.line.baud = needValue().toInt(&ok);
            if (!ok || g.line.baud <= 0)
                return fail(QStringLiteral("--baud needs a rate such as 9600"));
        } else if (a == QLatin1String("--framing")) {
            if (!telvio::PortSettings::ParseFraming(needValue().toUpper(), &g.line))
                return fail(QStringLiteral("--framing needs data bits, parity and stop bits, such as 8N1 or 7E2"));
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
        const int rc = c.run(ctx, rest);
        ctx.CloseLink();
        ctx.Out().Flush();
        return rc;
    }
    return fail(QStringLiteral("unknown command %1").arg(name));
}
