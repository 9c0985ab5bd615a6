#include "cli/callbackcommands.h"

#include "pages/core/answertext.h"
#include "pages/core/callbacklogic.h"
#include "pages/core/callbackrecord.h"
#include "pages/core/commandargument.h"

#include <QJsonArray>

namespace telvio::cli {

namespace {

const QString kControl = QStringLiteral("control");
const QString kDelay = QStringLiteral("delay");
const QString kNumbers = QStringLiteral("numbers");
const QString kPasswords = QStringLiteral("passwords");

QString EntryKey(const QString &column, int n)
{
    return QStringLiteral("%1.%2").arg(column).arg(n);
}

QList<FieldRule> Rules()
{
    FieldRule control{kControl, FieldRule::Position};
    control.items = CallbackForm::Initial().control.items;
    FieldRule delay{kDelay, FieldRule::Number};
    delay.high = 255;
    QList<FieldRule> rules = {control, delay};
    for (const QString &column : {kNumbers, kPasswords}) {
        for (int n = 1; n <= callbackfield::EntryCount; ++n) {
            FieldRule text{EntryKey(column, n), FieldRule::Text};
            text.maxLength = callbackpagetext::kTextLimit;
            text.textOk = [](const QString &value) {
                QByteArray unused;
                return CommandArgument(value.toLatin1(), &unused);
            };
            text.textWhat = QStringLiteral("without double quotes or control characters");
            rules << text;
        }
    }
    return rules;
}

// "numbers" and "passwords" as `read callback` prints them: lists of three
// texts, entry 1 first.
FieldValues Expand(const FieldValues &values)
{
    FieldValues out;
    for (const auto &v : values) {
        if ((v.first != kNumbers && v.first != kPasswords) || !v.second.isArray()) {
            out << v;
            continue;
        }
        const QJsonArray texts = v.second.toArray();
        for (int i = 0; i < texts.size(); ++i)
            out.append({EntryKey(v.first, i + 1), texts.at(i)});
    }
    return out;
}

// A profile file carries the Callback record whatever its model: offline
// the record is there to be shown.
bool HasPage(CliContext &ctx)
{
    if (ctx.Session().Traits().ioPages || ctx.Session().Offline())
        return true;
    ctx.Out().Error(QStringLiteral("the %1 has no Callback page").arg(ctx.Session().ModelName()));
    return false;
}

// The page does not read the delay; the command line does, so that what
// it prints is the modem's and a write sends the delay back unchanged.
bool ReadDelay(CliContext &ctx, CallbackLogic &logic)
{
    TransferFrame frame(ctx.Session());
    // The page's read left the session's answer mode as the probe found it.
    const QByteArray success = "WCBTIME:\r" + OkText(ctx.Session());
    if (frame.Send(QByteArrayLiteral("AT*WCBTIME?"), 3, success, QByteArrayLiteral("ERROR\r\n")) != ExSuccess)
        return false;
    bool found = false;
    const QByteArray value = WithoutLeadingBlanks(LineAfterKeyword(frame.Answer(), "WCBTIME:", &found));
    if (!found)
        return false;
    logic.form.delay.text = QString::fromLatin1(value.left(callbackpagetext::kDelayLimit));
    logic.Command(CallbackCommand::Edited);
    return true;
}

void ReportFields(Output &out, const CallbackForm &form)
{
    out.Set(kControl, form.control.current);
    out.Set(kControl + QLatin1String("Text"), form.control.CurrentText());
    out.Set(kDelay, form.delay.text);
    QJsonArray numbers;
    QJsonArray passwords;
    for (const CallbackEntryForm &e : form.entries) {
        numbers.append(e.number.text);
        passwords.append(e.password.text);
    }
    out.Set(kNumbers, numbers);
    out.Set(kPasswords, passwords);
}

// The page's read, then the delay; the fields neither could take.
bool ReadAll(CliContext &ctx, CallbackLogic &logic, QStringList *unread)
{
    if (!ReadPageOnce(logic, ctx.Session(), PageId::Callback))
        return false;
    *unread = logic.unreadFields;
    // Offline the record's delay is the profile's: no modem to ask.
    if (!ctx.Session().Offline() && !ReadDelay(ctx, logic))
        *unread << kDelay;
    return true;
}

// The values onto the page's controls, each as if typed or chosen; false
// with the reason reported.
bool ApplyValues(CliContext &ctx, CallbackLogic &logic, const FieldValues &values)
{
    CallbackForm &f = logic.form;
    for (const auto &v : PositionsOverTexts(values)) {
        QString error;
        const QString text = v.second.isDouble() ? QString::number(v.second.toInt()) : v.second.toString();
        if (v.first == kControl || v.first == kControl + QLatin1String("Text")) {
            if (!ChooseInList(f.control, v.second, &error)) {
                ctx.Out().Error(QStringLiteral("%1: %2").arg(v.first, error));
                return false;
            }
        } else if (v.first == kDelay) {
            f.delay.text = text;
        } else {
            for (int n = 1; n <= callbackfield::EntryCount; ++n) {
                if (v.first == EntryKey(kNumbers, n))
                    f.entries[size_t(n - 1)].number.text = text;
                else if (v.first == EntryKey(kPasswords, n))
                    f.entries[size_t(n - 1)].password.text = text;
            }
        }
        logic.Command(CallbackCommand::Edited);
    }
    return true;
}

int Read(CliContext &ctx, CliPrompter &prompts)
{
    if (!HasPage(ctx))
        return ExitFailed;
    CallbackLogic logic(ctx.Session(), prompts);
    QStringList unread;
    if (!ReadAll(ctx, logic, &unread))
        return ExitFailed;
    ReportFields(ctx.Out(), logic.form);
    return ReportUnread(ctx, unread);
}

int Write(CliContext &ctx, CliPrompter &prompts, const FieldValues &values)
{
    if (!HasPage(ctx))
        return ExitFailed;
    CallbackLogic logic(ctx.Session(), prompts);
    QStringList unread;
    if (!ReadAll(ctx, logic, &unread))
        return ExitFailed;
    // What could not be read may only go back when given: "numbers" stands
    // for each of the three numbers.
    FieldValues given = values;
    for (const auto &v : values) {
        const int dot = int(v.first.indexOf(QLatin1Char('.')));
        if (dot > 0)
            given.append({v.first.left(dot), v.second});
    }
    if (const int rc = RefuseUnreadWrite(ctx, unread, given)) {
        ReportFields(ctx.Out(), logic.form);
        return rc;
    }
    if (!ApplyValues(ctx, logic, values))
        return ExitUsage;
    const bool written = logic.Command(CallbackCommand::SaveAll);
    ReportFields(ctx.Out(), logic.form);
    return written ? ExitOk : ExitFailed;
}

// A profile's record edited offline, as the page edits it. A profile for
// a model without the page keeps the record it carries: a change there
// would reach no modem.
int Edit(CliContext &ctx, CliPrompter &prompts, const FieldValues &values)
{
    ModemSession &s = ctx.Session();
    CallbackLogic logic(s, prompts);
    ReadPageOnce(logic, s, PageId::Callback);
    logic.ChangeHook();
    const CallbackRecord before = s.callbackRecord;
    if (!ApplyValues(ctx, logic, values))
        return ExitUsage;
    logic.ChangeHook();
    if (!s.Traits().ioPages && s.callbackRecord != before) {
        ctx.Out().Error(QStringLiteral("the %1 has no Callback page").arg(s.ModelName()));
        return ExitUsage;
    }
    return ReportInvalid(ctx, logic.ValidateSettings());
}

} // namespace

CliPage CallbackCliPage()
{
    CliPage page{QStringLiteral("callback"), Rules(), Read, Write, Edit};
    page.expand = Expand;
    return page;
}

} // namespace telvio::cli
