#include "cli/serialcommands.h"

#include "link/core/connectionlogic.h"
#include "pages/core/serialsettingslogic.h"

namespace telvio::cli {

namespace {

// The names of the record's fields, in record order.
const char *const kKeys[kSerialFieldCount] = {"echo",     "stopBits", "responseFormat", "dsr",
                                              "dtr",      "dcd",      "dteByDce",       "dceByDte",
                                              "parity",   "dataBits", "dteRate",        "resultCodeSuppression"};

QString KeyOf(SerialField field)
{
    return QLatin1String(kKeys[int(field)]);
}

std::optional<SerialField> FieldOf(const QString &key)
{
    for (SerialField f : kSerialFields) {
        if (KeyOf(f) == key)
            return f;
    }
    return std::nullopt;
}

// Each list takes an item's text, its value before " -", or a position.
QList<FieldRule> Rules()
{
    QList<FieldRule> rules;
    for (SerialField f : kSerialFields) {
        FieldRule r{KeyOf(f), FieldRule::Item};
        r.items = SerialSettingsForm::Items(f);
        rules << r;
    }
    return rules;
}

QStringList Names(const QList<SerialField> &fields)
{
    QStringList names;
    for (SerialField f : fields)
        names << KeyOf(f);
    return names;
}

void ReportFields(Output &out, const SerialSettingsForm &form)
{
    for (SerialField f : kSerialFields) {
        out.Set(KeyOf(f), form.List(f).current);
        out.Set(KeyOf(f) + QLatin1String("Text"), form.List(f).CurrentText());
    }
}

// Every value through the change hook, as if chosen in its list: two stop
// bits still take parity to None. A field given by position wins over the
// same field named by its text.
bool ChooseAll(SerialSettingsLogic &logic, const FieldValues &values, QString *error)
{
    QStringList byPosition;
    for (const auto &v : values) {
        if (!v.first.endsWith(QLatin1String("Text")))
            byPosition << v.first;
    }
    for (const auto &v : values) {
        QString key = v.first;
        if (key.endsWith(QLatin1String("Text"))) {
            key.chop(4);
            if (byPosition.contains(key))
                continue;
        }
        const std::optional<SerialField> field = FieldOf(key);
        if (!field) {
            *error = QStringLiteral("no field %1").arg(v.first);
            return false;
        }
        QString why;
        if (!ChooseInList(logic.form.List(*field), v.second, &why)) {
            *error = QStringLiteral("%1: %2").arg(v.first, why);
            return false;
        }
        logic.Command(SerialCommand::ListChosen);
    }
    return true;
}

// Result code suppression is switched on when the program lets the modem
// go, as the Connection page's Disconnect does once the user agrees.
class NoSearch : public WaitDialogRunner {
public:
    int Run(const std::function<int(SearchProgress &)> &search) override
    {
        Q_UNUSED(search);
        return 0;
    }
};

void LetGo(ModemSession &session, CliPrompter &prompts)
{
    NoSearch noSearch;
    ConnectionLogic connection(session, prompts, noSearch);
    prompts.SetAnswer(true);
    connection.Disconnect();
    prompts.SetAnswer(false);
}

int Read(CliContext &ctx, CliPrompter &prompts)
{
    SerialSettingsLogic logic(ctx.Session(), prompts);
    if (!ReadPageOnce(logic, ctx.Session(), PageId::Serial))
        return ExitFailed;
    ReportFields(ctx.Out(), logic.form);
    return ReportUnread(ctx, Names(logic.unreadFields));
}

int Write(CliContext &ctx, CliPrompter &prompts, const FieldValues &values)
{
    ModemSession &s = ctx.Session();
    Output &out = ctx.Out();
    SerialSettingsLogic logic(s, prompts);
    if (!ReadPageOnce(logic, s, PageId::Serial))
        return ExitFailed;
    if (const int rc = RefuseUnreadWrite(ctx, Names(logic.unreadFields), values)) {
        ReportFields(out, logic.form);
        return rc;
    }
    QString error;
    if (!ChooseAll(logic, values, &error)) {
        out.Error(error);
        return ExitUsage;
    }
    const bool written = logic.Command(SerialCommand::Write);
    ReportFields(out, logic.form);
    // Where the PC's port is now: after a failure half-way it may already
    // have followed the modem to a new rate or framing.
    out.Set(QStringLiteral("link"), ctx.LinkUsed());
    if (!written)
        return ExitFailed;
    const int answers = s.Probe();
    out.Set(QStringLiteral("answers"), answers > 0 ? 1 : 0);
    if (answers <= 0) {
        out.Error(QStringLiteral("the modem does not answer at %1 after the write").arg(ctx.LinkUsed()));
        return ExitFailed;
    }
    if (s.Quiet() == 1)
        LetGo(s, prompts);
    return ExitOk;
}

int Edit(CliContext &ctx, CliPrompter &prompts, const FieldValues &values)
{
    SerialSettingsLogic logic(ctx.Session(), prompts);
    ReadPageOnce(logic, ctx.Session(), PageId::Serial);
    QString error;
    if (!ChooseAll(logic, values, &error)) {
        ctx.Out().Error(error);
        return ExitUsage;
    }
    logic.ChangeHook();
    return ReportInvalid(ctx, logic.ValidateSettings());
}

} // namespace

CliPage SerialCliPage()
{
    return {QStringLiteral("serial"), Rules(), Read, Write, Edit};
}

} // namespace telvio::cli
