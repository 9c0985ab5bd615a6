#include "cli/smscommands.h"

#include "pages/core/smslogic.h"
#include "pages/core/smstext.h"

namespace telvio::cli {

namespace {

const QString kCentre = QStringLiteral("serviceCentre");
const QString kFormat = QStringLiteral("format");

QList<FieldRule> Rules()
{
    FieldRule centre{kCentre, FieldRule::Text};
    centre.maxLength = smspagetext::kServiceCentreLimit;
    // It travels inside double quotes: a quote or a control character would
    // end it early.
    centre.textOk = [](const QString &text) { return SafeQuotedText(text.toLatin1()); };
    centre.textWhat = QStringLiteral("a number without quotes or control characters");
    FieldRule format{kFormat, FieldRule::Position};
    format.items = SmsForm::Initial().format.items;
    return {centre, format};
}

void ReportFields(Output &out, const SmsForm &form)
{
    out.Set(kCentre, form.serviceCentre.text);
    out.Set(kFormat, form.format.current);
    out.Set(kFormat + QLatin1String("Text"), form.format.CurrentText());
}

int Read(CliContext &ctx, CliPrompter &prompts)
{
    SmsLogic logic(ctx.Session(), prompts);
    if (!ReadPageOnce(logic, ctx.Session(), PageId::Sms))
        return ExitFailed;
    ReportFields(ctx.Out(), logic.form);
    return ReportUnread(ctx, logic.unreadFields);
}

// The values typed into the page's controls, as the user would; false
// with the reason reported when a list has no such item.
bool ApplyValues(CliContext &ctx, SmsLogic &logic, const FieldValues &values)
{
    for (const auto &v : values) {
        QString error;
        if (v.first == kCentre)
            logic.form.serviceCentre.text = v.second.toString();
        else if ((v.first == kFormat || v.first == kFormat + QLatin1String("Text"))
                 && !ChooseInList(logic.form.format, v.second, &error)) {
            ctx.Out().Error(QStringLiteral("%1: %2").arg(v.first, error));
            return false;
        }
        logic.Command(SmsCommand::Edited);
    }
    return true;
}

int Write(CliContext &ctx, CliPrompter &prompts, const FieldValues &values)
{
    SmsLogic logic(ctx.Session(), prompts);
    if (!ReadPageOnce(logic, ctx.Session(), PageId::Sms))
        return ExitFailed;
    if (const int rc = RefuseUnreadWrite(ctx, logic.unreadFields, values)) {
        ReportFields(ctx.Out(), logic.form);
        return rc;
    }
    if (!ApplyValues(ctx, logic, values))
        return ExitUsage;
    const bool written = logic.Command(SmsCommand::Write);
    ReportFields(ctx.Out(), logic.form);
    return written ? ExitOk : ExitFailed;
}

int Edit(CliContext &ctx, CliPrompter &prompts, const FieldValues &values)
{
    SmsLogic logic(ctx.Session(), prompts);
    ReadPageOnce(logic, ctx.Session(), PageId::Sms);
    if (!ApplyValues(ctx, logic, values))
        return ExitUsage;
    logic.ChangeHook();
    return ReportInvalid(ctx, logic.ValidateSettings());
}

} // namespace

CliPage SmsCliPage()
{
    return {QStringLiteral("sms"), Rules(), Read, Write, Edit};
}

bool TypeMessage(const QByteArray &bytes, SmsText *sms, QString *error)
{
    for (int i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
            continue;
        bool fits;
        if (c == '\n' || c == '\r') {
            fits = sms->Enter();
        } else if (uchar(c) < 0x20 || uchar(c) == 0x7F) {
            *error = QStringLiteral("TEXT holds a control character the message field does not take");
            return false;
        } else {
            fits = sms->Type(QString(QChar(uchar(c)))) == 1;
        }
        if (!fits) {
            *error = QStringLiteral("TEXT does not fit the message field: %1 characters, a line break counting two")
                         .arg(SmsText::kLimit);
            return false;
        }
    }
    return true;
}

} // namespace telvio::cli
