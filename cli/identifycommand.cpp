#include "cli/identifycommand.h"

#include "cli/pagecommands.h"
#include "link/core/autoconnect.h"

#include <QJsonArray>

namespace telvio::cli {

QStringList PageCaptions(const ModemSession &session)
{
    const struct {
        PageId page;
        const char *caption;
    } tabs[] = {{PageId::Basic, "Basic"},   {PageId::Serial, "Serial"},         {PageId::Sms, "SMS"},
                {PageId::Gprs, "GPRS"},     {PageId::Signal, "Signal"},         {PageId::Diagnostic, "Diagnostic"},
                {PageId::Io, "I/O"},        {PageId::Callback, "Callback"}};
    QStringList captions;
    for (const auto &t : tabs) {
        if (session.Flags(t.page).added)
            captions << QLatin1String(t.caption);
    }
    return captions;
}

namespace {

void Report(CliContext &ctx, int result)
{
    ModemSession &s = ctx.Session();
    Output &out = ctx.Out();
    out.Set(QStringLiteral("result"), result);
    out.Set(QStringLiteral("port"), ctx.Options().port);
    out.Set(QStringLiteral("baud"), s.BaudText());
    out.Set(QStringLiteral("parity"), QString(s.Parity()));
    out.Set(QStringLiteral("dataBits"), s.DataBitsText());
    out.Set(QStringLiteral("stopBits"), s.StopBitsText());
    out.Set(QStringLiteral("modelCode"), int(s.Traits().model));
    out.Set(QStringLiteral("modelName"), s.ModelName());
    out.Set(QStringLiteral("imeiPrefix"), s.ImeiPrefix());
    out.Set(QStringLiteral("imei"), QString::fromLatin1(s.Imei()));
    out.Set(QStringLiteral("makerFirmware"), int(s.Traits().makerFirmware));
    out.Set(QStringLiteral("extendedFirmware"), int(s.Traits().extendedFirmware));
    out.Set(QStringLiteral("simStatus"), s.SimStatus());
    out.Set(QStringLiteral("verbose"), s.Verbose() ? 1 : 0);
    out.Set(QStringLiteral("echo"), s.Echo() ? 1 : 0);
    out.Set(QStringLiteral("quiet"), s.Quiet());
    out.Set(QStringLiteral("pages"), QJsonArray::fromStringList(PageCaptions(s)));
}

int Identify(CliContext &ctx, const QStringList &args)
{
    bool search = false;
    for (const QString &a : args) {
        if (a == QLatin1String("--search")) {
            search = true;
        } else {
            ctx.Out().Error(QStringLiteral("identify takes only --search"));
            return ExitUsage;
        }
    }
    ModemSession &s = ctx.Session();
    const GlobalOptions &g = ctx.Options();
    int result;
    if (search) {
        const QString label = PortEntry{g.port}.Label();
        result = RunAutoconnectSearch(
            s, g.port, label,
            [&](int n, const QString &text) { ctx.Out().Progress(QStringLiteral("[%1/80] %2").arg(n).arg(text)); },
            [] { return false; });
        if (result == 1 && s.Connected())
            AdoptModemParity(s);
        else if (result == 1)
            result = -1; // the port could not be opened
        else
            result = 0;
    } else {
        result = s.Connect(ConnectParamsOf(g));
    }
    if (result < 0)
        return ctx.ReportOpenFailure();
    Report(ctx, result);
    if (result == 0) {
        ctx.Out().Error(search && ctx.LostReason().isEmpty()
                            ? QStringLiteral("no supported modem answers on %1 at any rate and framing").arg(g.port)
                            : NoModemText(ctx));
        return ExitFailed;
    }
    return ExitOk;
}

} // namespace

QList<Command> IdentifyCommands()
{
    return {{QStringLiteral("identify"), QStringLiteral("identify [--search]"), Identify, true}};
}

} // namespace telvio::cli
