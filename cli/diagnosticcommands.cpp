#include "cli/diagnosticcommands.h"

#include "cli/escapes.h"
#include "cli/smscommands.h"
#include "cli/pagecommands.h"
#include "monitor/core/diagnosticlogic.h"
#include "pages/core/basiclogic.h"
#include "pages/core/gprslogic.h"
#include "pages/core/serialsettingslogic.h"
#include "pages/core/smslogic.h"
#include "pages/core/smstext.h"

#include <QFileInfo>

namespace telvio::cli {

namespace {

int Usage(CliContext &ctx, const QString &usage)
{
    ctx.Out().Error(QStringLiteral("usage: %1").arg(usage));
    return ExitUsage;
}

// --- sms send ------------------------------------------------------------------


int SmsSend(CliContext &ctx, const QStringList &args)
{
    const QString usage = QStringLiteral("sms send NUMBER TEXT");
    if (args.size() != 3 || args.at(0) != QLatin1String("send"))
        return Usage(ctx, usage);
    Output &out = ctx.Out();
    const QString number = args.at(1);
    if (number.isEmpty() || number.size() > smspagetext::kNumberLimit || !SafeQuotedText(number.toLatin1())) {
        out.Error(QStringLiteral("NUMBER takes 1 to %1 characters, no quotes or control characters")
                      .arg(smspagetext::kNumberLimit));
        return ExitUsage;
    }
    QByteArray bytes;
    if (!Unescape(args.at(2), &bytes)) {
        out.Error(QStringLiteral("TEXT has a broken escape (escapes: \\n \\r \\t \\\\ \\xHH)"));
        return ExitUsage;
    }
    SmsText message;
    QString error;
    if (bytes.isEmpty() || !TypeMessage(bytes, &message, &error)) {
        out.Error(bytes.isEmpty() ? QStringLiteral("TEXT is empty") : error);
        return ExitUsage;
    }
    if (const int rc = ConnectModem(ctx))
        return rc;
    CliPrompter prompts(ctx);
    SmsLogic logic(ctx.Session(), prompts);
    // Sending needs nothing read; the page only has to exist.
    logic.Create();
    ctx.Session().Flags(PageId::Sms).mustRead = false;
    logic.form.number.text = number;
    logic.form.message.text = message.Text();
    logic.Command(SmsCommand::Edited);
    const int result = logic.Send();
    out.Set(QStringLiteral("result"), result);
    if (result == 1)
        return ExitOk;
    // The page's refusal went to standard error through the prompter; a
    // timeout only reaches the terminal there.
    if (result == 0) {
        const QString why = ctx.WhatWentWrong();
        out.Error(why.isEmpty() ? QStringLiteral("Telvio: Timeout") : QStringLiteral("Telvio: Timeout (%1)").arg(why));
    }
    return ExitFailed;
}

// --- diag ----------------------------------------------------------------------

const char *const kFieldKeys[kDiagFieldCount] = {
    "revision", "softwareRevision", "imei", "registration", "gprsRegistration", "gprsStatus",
    "modemConfiguration", "gprsConfiguration",
};

// The Basic page's dialogs are never opened by a read.
class NoDialogs : public PinDialogs, public DtrDialogs, public DtrDropTimer, public PingDialogs {
public:
    bool RunPing(PingDialog &) override { return false; }
    std::optional<QString> EnterPin() override { return std::nullopt; }
    std::optional<ChangePinCodes> ChangePin() override { return std::nullopt; }
    std::optional<QString> DialNumber(const QString &) override { return std::nullopt; }
    std::optional<SmsOnDtr> SmsMessage(const SmsOnDtr &) override { return std::nullopt; }
    void StartDtrDrop() override {}
};

// The pages the report holds, each read as its window would on showing.
// A page that is not offered, or whose read fails, has no section.
class ReportPages {
public:
    ReportPages(CliContext &ctx, CliPrompter &prompts)
        : m_session(ctx.Session()), basic(m_session, prompts, m_dialogs, m_dialogs, m_dialogs),
          serial(m_session, prompts), sms(m_session, prompts), gprs(m_session, prompts, m_dialogs)
    {
    }

    void ReadAll()
    {
        m_read[PageId::Basic] = ReadIfAdded(basic, PageId::Basic);
        m_read[PageId::Serial] = ReadIfAdded(serial, PageId::Serial);
        m_read[PageId::Sms] = ReadIfAdded(sms, PageId::Sms);
        m_read[PageId::Gprs] = ReadIfAdded(gprs, PageId::Gprs);
    }

    std::optional<ReportSection> SectionOf(PageId page) const
    {
        if (!m_read.value(page))
            return std::nullopt;
        switch (page) {
        case PageId::Basic: return BasicReportSection(basic.form, m_session.basicRecord);
        case PageId::Serial: return SerialReportSection(serial.form);
        case PageId::Sms: return SmsReportSection(sms.form);
        case PageId::Gprs: return GprsReportSection(ShownTexts(gprs.form));
        default: return std::nullopt;
        }
    }

private:
    bool ReadIfAdded(PageLogic &logic, PageId page)
    {
        if (!m_session.Flags(page).added)
            return false;
        const bool read = ReadPageOnce(logic, m_session, page);
        // As a page that failed its re-read, it stays due for a read.
        m_session.Flags(page).mustRead = !read;
        return read;
    }

    ModemSession &m_session;
    NoDialogs m_dialogs;
    QMap<PageId, bool> m_read;

public:
    BasicLogic basic;
    SerialSettingsLogic serial;
    SmsLogic sms;
    GprsLogic gprs;
};

int Diag(CliContext &ctx, const QStringList &args)
{
    const QString usage = QStringLiteral("diag [--report FILE.htm]");
    QString reportPath;
    if (args.size() == 2 && args.at(0) == QLatin1String("--report") && !args.at(1).isEmpty())
        reportPath = args.at(1);
    else if (!args.isEmpty())
        return Usage(ctx, usage);
    if (const int rc = ConnectModem(ctx))
        return rc;
    Output &out = ctx.Out();
    CliPrompter prompts(ctx);
    DiagnosticLogic logic(ctx.Session(), prompts);
    logic.Create();
    const bool reloaded = logic.Reload();
    // With --report the report is the output: only its path is printed.
    if (reportPath.isEmpty()) {
        for (int i = 0; i < kDiagFieldCount; ++i)
            out.Set(QString::fromLatin1(kFieldKeys[i]), logic.form.fields[size_t(i)].text);
    }
    if (!reloaded) {
        const QString why = ctx.WhatWentWrong();
        out.Error(why.isEmpty() ? QStringLiteral("the modem stopped answering during Reload")
                                : QStringLiteral("Reload stopped: %1").arg(why));
        return ExitFailed;
    }
    if (reportPath.isEmpty())
        return ExitOk;

    ReportPages pages(ctx, prompts);
    pages.ReadAll();
    logic.hooks.sectionOf = [&pages](PageId page) { return pages.SectionOf(page); };
    QString error;
    const QByteArray html = WriteReport(logic.ReportNow(QDateTime::currentDateTime()));
    if (!SaveReportFile(reportPath, html, &error)) {
        out.Error(QStringLiteral("%1 %2: %3").arg(diagnostictext::kOpenFailed, reportPath, error));
        return ExitFailed;
    }
    const QString written = QFileInfo(reportPath).absoluteFilePath();
    if (out.Json())
        out.Set(QStringLiteral("report"), written);
    else
        out.Line(written);
    return ExitOk;
}

} // namespace

QList<Command> DiagnosticCommands()
{
    return {{QStringLiteral("sms"), QStringLiteral("sms send NUMBER TEXT"), SmsSend, true},
            {QStringLiteral("diag"), QStringLiteral("diag [--report FILE.htm]"), Diag, true}};
}

} // namespace telvio::cli
