#include "cli/basiccommands.h"
#include "cli/smscommands.h"

#include "cli/escapes.h"
#include "link/core/commcontrol.h"
#include "pages/core/basiclogic.h"
#include "pages/core/basicparsers.h"
#include "pages/core/basicrecord.h"
#include "pages/core/pageframe.h"
#include "pages/core/smstext.h"

namespace telvio::cli {

namespace {

const QStringList kReadOnlyKeys = {QStringLiteral("timeToReset"), QStringLiteral("pinEnabled"),
                                   QStringLiteral("simStatus")};

FieldRule Position(const char *name, const QStringList &items)
{
    FieldRule r{QLatin1String(name), FieldRule::Position};
    r.items = items;
    return r;
}

FieldRule Flag(const char *name)
{
    return {QLatin1String(name), FieldRule::Flag};
}

// What the page's controls take: the edits' lengths, the lists' items, the
// rings the page validates, a delay it would accept (or none, as a read
// with the reset timer off prints it).
QList<FieldRule> Rules()
{
    FieldRule rings{QStringLiteral("rings"), FieldRule::Number, 0, 255};
    FieldRule pinCode{QStringLiteral("autoPinCode"), FieldRule::Text};
    pinCode.maxLength = BasicForm::Initial().autoPinCode.maxLength;
    pinCode.textOk = [](const QString &text) { return SafeQuotedText(text.toLatin1()) && text.toLatin1() == text.toUtf8(); };
    pinCode.textWhat = QStringLiteral("without quotes or control characters");
    FieldRule delay{QStringLiteral("resetDelay"), FieldRule::Text};
    delay.maxLength = BasicForm::Initial().resetDelay.maxLength;
    delay.textOk = [](const QString &text) { return text.isEmpty() || ResetDelayValid(text); };
    delay.textWhat = QStringLiteral("hours and minutes as hhh:mm (such as 024:00), or empty");
    QList<FieldRule> rules = {rings,
                              Flag("autoPinEnabled"),
                              pinCode,
                              Position("compression", BasicForm::CompressionItems()),
                              Position("errorCorrection", BasicForm::ErrorCorrectionItems()),
                              Position("bearerCe", BasicForm::BearerCeItems()),
                              Position("bearerSpeed", BasicForm::BearerSpeedItems()),
                              delay,
                              Flag("resetEnabled"),
                              Position("statusLed", BasicForm::StatusLedItems())};
    for (const QString &key : kReadOnlyKeys)
        rules.append({key, FieldRule::Ignored});
    return rules;
}

// Every message these procedures show reports a refusal or a failure, so
// one of them decides the exit status.
class CountingPrompter : public CliPrompter {
public:
    explicit CountingPrompter(CliContext &ctx) : CliPrompter(ctx) {}
    void Message(const QString &text, const QString &caption, Icon icon) override
    {
        ++messages;
        CliPrompter::Message(text, caption, icon);
    }
    int messages = 0;
};

// The page's dialogs, answered with what the command line gave; what the
// modem had stored is kept for the report.
class CliDialogs : public PinDialogs, public DtrDialogs, public DtrDropTimer {
public:
    std::optional<QString> EnterPin() override { return pin; }
    std::optional<ChangePinCodes> ChangePin() override { return change; }
    std::optional<QString> DialNumber(const QString &number) override
    {
        storedNumber = number;
        return dialNumber;
    }
    std::optional<SmsOnDtr> SmsMessage(const SmsOnDtr &stored) override
    {
        storedSms = stored;
        return sms;
    }
    void StartDtrDrop() override { dropStarted = true; }

    std::optional<QString> pin;
    std::optional<ChangePinCodes> change;
    std::optional<QString> dialNumber;
    std::optional<SmsOnDtr> sms;
    QString storedNumber;
    SmsOnDtr storedSms;
    bool dropStarted = false;
};

// The Basic page as a command runs it: its logic with the scripted dialogs.
struct Page {
    Page(CliContext &ctx, CliPrompter &prompts) : logic(ctx.Session(), prompts, dialogs, dialogs, dialogs) {}
    CliDialogs dialogs;
    BasicLogic logic;
};

QString ItemText(const QStringList &items, int position)
{
    return position >= 0 && position < items.size() ? items.at(position) : QString();
}

void ReportPage(Output &out, const ModemSession &s, const BasicLogic &logic)
{
    const ConstBasicRecordView r(s.basicRecord);
    out.Set(QStringLiteral("rings"), r.Rings());
    out.Set(QStringLiteral("autoPinEnabled"), r.AutoPinEnabled());
    out.Set(QStringLiteral("autoPinCode"), QString::fromLatin1(r.AutoPinCode()));
    out.Set(QStringLiteral("compression"), r.Compression());
    out.Set(QStringLiteral("compressionText"), ItemText(BasicForm::CompressionItems(), r.Compression()));
    out.Set(QStringLiteral("errorCorrection"), r.ErrorCorrection());
    out.Set(QStringLiteral("errorCorrectionText"), ItemText(BasicForm::ErrorCorrectionItems(), r.ErrorCorrection()));
    out.Set(QStringLiteral("bearerCe"), r.BearerCe());
    out.Set(QStringLiteral("bearerCeText"), ItemText(BasicForm::BearerCeItems(), r.BearerCe()));
    out.Set(QStringLiteral("bearerSpeed"), r.BearerSpeed());
    out.Set(QStringLiteral("bearerSpeedText"), ItemText(BasicForm::BearerSpeedItems(), r.BearerSpeed()));
    out.Set(QStringLiteral("resetDelay"), QString::fromLatin1(r.ResetDelay()));
    out.Set(QStringLiteral("resetEnabled"), r.ResetEnabled());
    out.Set(QStringLiteral("statusLed"), r.StatusLed());
    out.Set(QStringLiteral("statusLedText"), ItemText(BasicForm::StatusLedItems(), r.StatusLed()));
    out.Set(QStringLiteral("timeToReset"), logic.form.timeToReset.text);
    out.Set(QStringLiteral("pinEnabled"), logic.PinEnabled() ? 1 : 0);
    out.Set(QStringLiteral("simStatus"), s.SimStatus());
}

// --- write basic -------------------------------------------------------------

QString ValueText(const QJsonValue &value)
{
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', 15);
    if (value.isBool())
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    return value.toString();
}

bool ValueFlag(const QJsonValue &value, bool *on)
{
    const QString text = ValueText(value).trimmed().toLower();
    if (text == QLatin1String("1") || text == QLatin1String("on") || text == QLatin1String("true"))
        *on = true;
    else if (text == QLatin1String("0") || text == QLatin1String("off") || text == QLatin1String("false"))
        *on = false;
    else
        return false;
    return true;
}

struct ListField {
    const char *key;
    ListState BasicForm::*list;
    BasicCommand notification;
};

const ListField kLists[] = {
    {"compression", &BasicForm::compression, BasicCommand::CompressionChosen},
    {"errorCorrection", &BasicForm::errorCorrection, BasicCommand::ErrorCorrectionChosen},
    {"bearerCe", &BasicForm::bearerCe, BasicCommand::BearerCeChosen},
    {"bearerSpeed", &BasicForm::bearerSpeed, BasicCommand::BearerSpeedChosen},
    {"statusLed", &BasicForm::statusLed, BasicCommand::StatusLedChosen},
};

struct EditField {
    const char *key;
    EditState BasicForm::*edit;
    BasicCommand notification;
};

const EditField kEdits[] = {
    {"rings", &BasicForm::rings, BasicCommand::RingsEdited},
    {"autoPinCode", &BasicForm::autoPinCode, BasicCommand::AutoPinCodeEdited},
    {"resetDelay", &BasicForm::resetDelay, BasicCommand::ResetDelayEdited},
};

// One value into its control, as typed or chosen there, and the control's
// notification after it.
bool ApplyOne(BasicLogic &logic, const QString &key, const QJsonValue &value, QString *error)
{
    for (const ListField &f : kLists) {
        ListState &list = logic.form.*f.list;
        if (key == QLatin1String(f.key)) {
            // A list field is a position, as `read basic` prints it.
            bool number = false;
            const int position = ValueText(value).trimmed().toInt(&number);
            if (!number || position < 0 || position >= list.items.size()) {
                *error = QStringLiteral("%1 takes a position from 0 to %2 (or %1Text an item's text)")
                             .arg(key)
                             .arg(list.items.size() - 1);
                return false;
            }
            list.Select(position);
        } else if (key == QLatin1String(f.key) + QLatin1String("Text")) {
            QString why;
            if (!ChooseInList(list, value, &why)) {
                *error = QStringLiteral("%1: %2").arg(key, why);
                return false;
            }
        } else {
            continue;
        }
        logic.Command(f.notification);
        return true;
    }
    for (const EditField &f : kEdits) {
        if (key != QLatin1String(f.key))
            continue;
        EditState &edit = logic.form.*f.edit;
        const QString text = ValueText(value);
        if (!edit.Accepts(text)) {
            *error = QStringLiteral("%1: \"%2\" does not fit the field (at most %3 characters%4)")
                         .arg(key, text)
                         .arg(edit.maxLength)
                         .arg(edit.digitsOnly ? QStringLiteral(", digits only") : QString());
            return false;
        }
        edit.text = text;
        logic.Command(f.notification);
        return true;
    }
    bool on = false;
    if (key == QLatin1String("autoPinEnabled") || key == QLatin1String("resetEnabled")) {
        if (!ValueFlag(value, &on)) {
            *error = QStringLiteral("%1 takes 0 or 1").arg(key);
            return false;
        }
        if (key == QLatin1String("autoPinEnabled")) {
            logic.form.autoPin.checked = on;
            logic.Command(BasicCommand::AutoPinToggled);
        } else {
            logic.form.reset.checked = on;
            logic.Command(BasicCommand::ResetToggled);
        }
        return true;
    }
    *error = QStringLiteral("no field %1").arg(key);
    return false;
}

// A field given by position wins over the same field named by its text;
// the values only the modem reports are passed over, so that a saved
// `read basic` can be written back as it is.
bool ApplyAll(BasicLogic &logic, const ModemSession &s, const FieldValues &values, QString *error)
{
    QStringList byPosition;
    for (const auto &v : values) {
        if (!v.first.endsWith(QLatin1String("Text")))
            byPosition << v.first;
    }
    const BasicForm before = logic.form;
    for (const auto &v : values) {
        if (kReadOnlyKeys.contains(v.first))
            continue;
        if (v.first.endsWith(QLatin1String("Text")) && byPosition.contains(v.first.left(v.first.size() - 4)))
            continue;
        if (!ApplyOne(logic, v.first, v.second, error))
            return false;
    }
    // The older models have neither control; keeping what they show is fine.
    if (!s.Traits().pikeCommands
        && (logic.form.autoPin.checked != before.autoPin.checked
            || logic.form.autoPinCode.text != before.autoPinCode.text
            || logic.form.statusLed.current != before.statusLed.current)) {
        *error = QStringLiteral("the %1 has no Auto PIN function and no status LED").arg(s.ModelName());
        return false;
    }
    return true;
}

int ReadBasic(CliContext &ctx, CliPrompter &prompts)
{
    Page page(ctx, prompts);
    if (!ReadPageOnce(page.logic, ctx.Session(), PageId::Basic))
        return ExitFailed;
    ReportPage(ctx.Out(), ctx.Session(), page.logic);
    return ReportUnread(ctx, page.logic.unreadFields);
}

int WriteBasic(CliContext &ctx, CliPrompter &prompts, const FieldValues &values)
{
    Page page(ctx, prompts);
    if (!ReadPageOnce(page.logic, ctx.Session(), PageId::Basic))
        return ExitFailed;
    QStringList writable = page.logic.unreadFields;
    for (const QString &key : kReadOnlyKeys)
        writable.removeAll(key);
    if (const int rc = RefuseUnreadWrite(ctx, writable, values)) {
        ReportPage(ctx.Out(), ctx.Session(), page.logic);
        return rc;
    }
    QString error;
    if (!ApplyAll(page.logic, ctx.Session(), values, &error)) {
        ctx.Out().Error(error);
        return ExitUsage;
    }
    const bool written = page.logic.Command(BasicCommand::Write);
    ReportPage(ctx.Out(), ctx.Session(), page.logic);
    return written ? ExitOk : ExitFailed;
}

int EditBasic(CliContext &ctx, CliPrompter &prompts, const FieldValues &values)
{
    Page page(ctx, prompts);
    ReadPageOnce(page.logic, ctx.Session(), PageId::Basic);
    QString error;
    if (!ApplyAll(page.logic, ctx.Session(), values, &error)) {
        ctx.Out().Error(error);
        return ExitUsage;
    }
    page.logic.ChangeHook();
    return ReportInvalid(ctx, page.logic.ValidateSettings());
}

// --- basic factory|reset-now|embedded-app -------------------------------------

int Usage(CliContext &ctx, const QString &usage)
{
    ctx.Out().Error(QStringLiteral("usage: %1").arg(usage));
    return ExitUsage;
}

int BasicActions(CliContext &ctx, const QStringList &args)
{
    const QString usage = QStringLiteral("basic factory|reset-now|embedded-app");
    const QStringList actions = {QStringLiteral("factory"), QStringLiteral("reset-now"), QStringLiteral("embedded-app")};
    if (args.size() != 1 || !actions.contains(args.first()))
        return Usage(ctx, usage);
    const QString action = args.first();
    if (const int rc = ConnectModem(ctx))
        return rc;
    ModemSession &s = ctx.Session();
    Output &out = ctx.Out();
    CountingPrompter prompts(ctx);
    prompts.SetAnswer(true);
    Page page(ctx, prompts);
    page.logic.Create();
    if (action == QLatin1String("factory")) {
        page.logic.Factory();
        ReportPage(out, s, page.logic);
        out.Set(QStringLiteral("link"), ctx.LinkUsed());
        return prompts.messages ? ExitFailed : ExitOk;
    }
    if (action == QLatin1String("embedded-app")) {
        if (!s.Traits().pikeCommands) {
            out.Error(QStringLiteral("the %1 has no embedded application switch").arg(s.ModelName()));
            return ExitFailed;
        }
        out.Set(QStringLiteral("embeddedApp"), page.logic.form.embeddedApp.caption);
        page.logic.EmbeddedApp();
    } else {
        page.logic.ResetNow();
    }
    out.Set(QStringLiteral("connected"), s.LinkUp() ? 1 : 0);
    return ExitOk;
}

// --- pin enter|change|lock ------------------------------------------------------

bool CodeFits(const QString &code)
{
    return !code.isEmpty() && code.size() <= PinDialogs::kMaxLength;
}

void ReportPin(Output &out, const ModemSession &s, const BasicLogic &logic)
{
    out.Set(QStringLiteral("simStatus"), s.SimStatus());
    out.Set(QStringLiteral("pinEnabled"), logic.PinEnabled() ? 1 : 0);
    out.Set(QStringLiteral("activatePin"), logic.form.activatePin.caption);
}

int Pin(CliContext &ctx, const QStringList &args)
{
    const QString usage = QStringLiteral("pin enter CODE | pin change OLD NEW | pin lock on|off CODE");
    const QString action = args.value(0);
    const bool enter = action == QLatin1String("enter") && args.size() == 2;
    const bool change = action == QLatin1String("change") && args.size() == 3;
    const bool lock = action == QLatin1String("lock") && args.size() == 3
        && (args.at(1) == QLatin1String("on") || args.at(1) == QLatin1String("off"));
    if (!enter && !change && !lock)
        return Usage(ctx, usage);
    for (const QString &code : args.mid(lock ? 2 : 1)) {
        if (!CodeFits(code)) {
            ctx.Out().Error(QStringLiteral("a code has 1 to %1 characters in the dialog").arg(PinDialogs::kMaxLength));
            return ExitUsage;
        }
    }
    if (const int rc = ConnectModem(ctx))
        return rc;
    ModemSession &s = ctx.Session();
    Output &out = ctx.Out();
    CountingPrompter prompts(ctx);
    Page page(ctx, prompts);
    if (!ReadPageOnce(page.logic, ctx.Session(), PageId::Basic))
        return ExitFailed;
    BasicForm &form = page.logic.form;
    auto unavailable = [&](const QString &button, const QString &why) {
        ReportPin(out, s, page.logic);
        out.Error(QStringLiteral("%1 is not available: %2").arg(button, why));
        return ExitFailed;
    };
    if (enter) {
        if (!form.enterPin.enabled)
            return unavailable(form.enterPin.caption, QStringLiteral("the SIM card does not ask for its PIN"));
        page.dialogs.pin = args.at(1);
        page.logic.Command(BasicCommand::EnterPin);
    } else if (change) {
        if (!form.changePin.enabled)
            return unavailable(form.changePin.caption, QStringLiteral("the SIM card is not ready"));
        page.dialogs.change = ChangePinCodes{args.at(1), args.at(2), args.at(2)};
        page.logic.Command(BasicCommand::ChangePin);
    } else {
        if (!form.activatePin.enabled)
            return unavailable(form.activatePin.caption, QStringLiteral("the SIM card is not ready"));
        // Whether to switch depends on the lock's state: guessed, it could
        // switch the lock the wrong way.
        if (page.logic.unreadFields.contains(QLatin1String("pinEnabled"))) {
            ReportPin(out, s, page.logic);
            return ReportUnread(ctx, {QStringLiteral("pinEnabled")});
        }
        const bool on = args.at(1) == QLatin1String("on");
        if (on != page.logic.PinEnabled()) {
            page.dialogs.pin = args.at(2);
            page.logic.Command(BasicCommand::ActivatePin);
        }
    }
    ReportPin(out, s, page.logic);
    return prompts.messages ? ExitFailed : ExitOk;
}

// --- dtr off|dial|sms|test --------------------------------------------------------


int Dtr(CliContext &ctx, const QStringList &args)
{
    const QString usage = QStringLiteral("dtr off | dtr dial NUMBER | dtr sms NUMBER TEXT | dtr test");
    const QString action = args.value(0);
    const bool off = action == QLatin1String("off") && args.size() == 1;
    const bool dial = action == QLatin1String("dial") && args.size() == 2;
    const bool sms = action == QLatin1String("sms") && args.size() == 3;
    const bool test = action == QLatin1String("test") && args.size() == 1;
    if (!off && !dial && !sms && !test)
        return Usage(ctx, usage);
    Output &out = ctx.Out();
    const int numberLength = dial ? DtrDialogs::kDialNumberLength : DtrDialogs::kSmsNumberLength;
    if ((dial || sms) && args.at(1).size() > numberLength) {
        out.Error(QStringLiteral("NUMBER has at most %1 characters in the dialog").arg(numberLength));
        return ExitUsage;
    }
    SmsText message;
    if (sms) {
        QByteArray bytes;
        QString error;
        if (!Unescape(args.at(2), &bytes)) {
            out.Error(QStringLiteral("TEXT has a broken escape (escapes: \\n \\r \\t \\\\ \\xHH)"));
            return ExitUsage;
        }
        if (!TypeMessage(bytes, &message, &error)) {
            out.Error(error);
            return ExitUsage;
        }
    }
    if (const int rc = ConnectModem(ctx))
        return rc;
    ModemSession &s = ctx.Session();
    CountingPrompter prompts(ctx);
    Page page(ctx, prompts);
    if (!ReadPageOnce(page.logic, ctx.Session(), PageId::Basic))
        return ExitFailed;
    BasicLogic &logic = page.logic;

    if (test) {
        if (!logic.form.dtrTest.enabled) {
            out.Error(QStringLiteral("%1 is not available: the SIM card is not ready").arg(logic.form.dtrTest.caption));
            return ExitFailed;
        }
        logic.Command(BasicCommand::DtrTest);
        // The main window's timer: DTR goes off again a second later.
        if (page.dialogs.dropStarted) {
            s.Wait(1000);
            s.Comm()->SetDTREnable(false);
        }
        out.Set(QStringLiteral("dtrToggled"), page.dialogs.dropStarted ? 1 : 0);
        return page.dialogs.dropStarted ? ExitOk : ExitFailed;
    }
    if (off) {
        const bool done = logic.Dtr().SetDtrFunction(DtrLogic::EventOff);
        out.Set(QStringLiteral("dtrEvent"), 0);
        if (!done) {
            out.Error(QStringLiteral("Error: Unable to perform requested operation."));
            return ExitFailed;
        }
        return ExitOk;
    }
    if (dial) {
        page.dialogs.dialNumber = args.at(1);
        logic.form.dtrEvent.current = DtrLogic::EventDial;
    } else {
        page.dialogs.sms = SmsOnDtr{args.at(1), message.Text()};
        logic.form.dtrEvent.current = DtrLogic::EventSms;
    }
    logic.Command(BasicCommand::DtrEventChosen);
    logic.Command(BasicCommand::DtrActivate);
    out.Set(QStringLiteral("dtrEvent"), logic.form.dtrEvent.current);
    if (dial) {
        out.Set(QStringLiteral("storedNumber"), page.dialogs.storedNumber);
        out.Set(QStringLiteral("number"), args.at(1));
    } else {
        out.Set(QStringLiteral("storedNumber"), page.dialogs.storedSms.number);
        out.Set(QStringLiteral("storedMessage"), page.dialogs.storedSms.message);
        out.Set(QStringLiteral("number"), args.at(1));
        out.Set(QStringLiteral("message"), message.Text());
    }
    return prompts.messages ? ExitFailed : ExitOk;
}

} // namespace

CliPage BasicCliPage()
{
    return {QStringLiteral("basic"), Rules(), ReadBasic, WriteBasic, EditBasic};
}

QList<Command> BasicCommands()
{
    return {
        {QStringLiteral("basic"), QStringLiteral("basic factory|reset-now|embedded-app"), BasicActions, true},
        {QStringLiteral("pin"), QStringLiteral("pin enter CODE | pin change OLD NEW | pin lock on|off CODE"), Pin, true},
        {QStringLiteral("dtr"), QStringLiteral("dtr off | dtr dial NUMBER | dtr sms NUMBER TEXT | dtr test"), Dtr, true},
    };
}

} // namespace telvio::cli
