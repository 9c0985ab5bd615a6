#include "pages/core/callbacklogic.h"

#include "pages/core/callbackparsers.h"
#include "pages/core/callbackrecord.h"
#include "pages/core/commandargument.h"

namespace telvio {

namespace {

const QByteArray kError = QByteArrayLiteral("ERROR\r\n");

PageLifecycle CallbackLifecycle()
{
    PageLifecycle l;
    l.readFills = PageLifecycle::ReadFills::Controls;
    l.activationRead = PageLifecycle::ActivationRead::Own;
    return l;
}

// The read's success texts: the last keyword of the answer, then the final
// result in the format the probe found.
QByteArray ReadSuccess(const ModemSession &session, const QByteArray &keyword)
{
    return keyword + (session.Verbose() ? QByteArrayLiteral("\rOK\r\n") : QByteArrayLiteral("\r0\r"));
}

} // namespace

CallbackLogic::CallbackLogic(ModemSession &session, Prompter &prompts)
    : SettingsPage(session, prompts, PageId::Callback, session.callbackRecord, CallbackLifecycle())
{
}

bool CallbackLogic::Command(CallbackCommand command, int entry)
{
    ChangeHook();
    const int k = qBound(0, entry, callbackfield::EntryCount - 1);
    switch (command) {
    case CallbackCommand::Edited: break;
    case CallbackCommand::Read: return ReadButton();
    case CallbackCommand::SaveControl: return Save({true, false, 0, -1});
    case CallbackCommand::SaveDelay: return Save({false, true, 0, -1});
    case CallbackCommand::SaveEntry: return Save({false, false, k, k});
    case CallbackCommand::SaveAll: return Save({true, true, 0, callbackfield::EntryCount - 1});
    case CallbackCommand::ClearEntry: {
        CallbackEntryForm &e = form.entries[size_t(k)];
        e.number.text.clear();
        e.password.text.clear();
        CallbackRecord &record = PageRecord();
        record.SetText(callbackfield::NumberAt(k), callbackfield::TextWidth, QByteArray());
        record.SetText(callbackfield::PasswordAt(k), callbackfield::TextWidth, QByteArray());
        ChangeHook();
        break;
    }
    }
    return true;
}

void CallbackLogic::DisableWhileOffline()
{
    for (CallbackEntryForm &e : form.entries)
        e.save.enabled = false;
    for (ButtonState *b : {&form.saveControl, &form.saveDelay, &form.saveAll, &form.read})
        b->enabled = false;
}

// ---------------------------------------------------------------------------
// Record and controls

void CallbackLogic::ControlsToRecord(CallbackRecord &record)
{
    using namespace callbackfield;
    record.SetInt(Control, form.control.current);
    record.SetText(Delay, DelayWidth, form.delay.text.toLatin1());
    for (int k = 0; k < EntryCount; ++k) {
        const CallbackEntryForm &e = form.entries[size_t(k)];
        record.SetText(NumberAt(k), TextWidth, e.number.text.toLatin1());
        record.SetText(PasswordAt(k), TextWidth, e.password.text.toLatin1());
    }
}

void CallbackLogic::RecordToControls(const CallbackRecord &record)
{
    using namespace callbackfield;
    form.control.Select(record.Int(Control));
    form.delay.text = QString::fromLatin1(record.Text(Delay, DelayWidth));
    for (int k = 0; k < EntryCount; ++k) {
        CallbackEntryForm &e = form.entries[size_t(k)];
        e.number.text = QString::fromLatin1(record.Text(NumberAt(k), TextWidth));
        e.password.text = QString::fromLatin1(record.Text(PasswordAt(k), TextWidth));
    }
}

void CallbackLogic::EnableControls(bool on)
{
    for (CallbackEntryForm &e : form.entries) {
        for (ControlState *c : std::initializer_list<ControlState *>{&e.number, &e.password, &e.clear, &e.save})
            c->enabled = on;
    }
    for (ControlState *c : std::initializer_list<ControlState *>{&form.control, &form.saveControl, &form.delay,
                                                                 &form.saveDelay, &form.saveAll})
        c->enabled = on;
}

// ---------------------------------------------------------------------------
// Read

bool CallbackLogic::ReadFromModem()
{
    if (!TransferFrame::MayStart(m_session))
        return false;
    EnableControls(true);
    TransferFrame frame(m_session);
    frame.Probe();
    return ReadSteps(frame);
}

bool CallbackLogic::ReadSteps(TransferFrame &frame)
{
    unreadFields.clear();
    if (frame.Send(QByteArrayLiteral("AT*WCB?"), 3, ReadSuccess(m_session, "WCB:"), kError) != ExSuccess)
        return false;
    const int control = ParseCallbackControlAnswer(frame.Answer(), form.control.items);
    if (control >= 0)
        form.control.Select(control);
    else
        unreadFields << QStringLiteral("control");
    struct Column {
        QByteArray command;
        QByteArray keyword;
        EditState CallbackEntryForm::*field;
        QString name;
    };
    const Column columns[] = {
        {"AT*WCBTAB?", "WCBTAB", &CallbackEntryForm::number, QStringLiteral("numbers")},
        {"AT*WCBPWD?", "WCBPWD", &CallbackEntryForm::password, QStringLiteral("passwords")},
    };
    for (const Column &c : columns) {
        if (frame.Send(c.command, 3, ReadSuccess(m_session, c.keyword + "3:"), kError) != ExSuccess)
            return false;
        for (int k = 0; k < callbackfield::EntryCount; ++k) {
            QByteArray value;
            if (ParseCallbackEntry(frame.Answer(), c.keyword, k + 1, &value))
                (form.entries[size_t(k)].*c.field).text = QString::fromLatin1(value);
            else if (!unreadFields.contains(c.name))
                unreadFields << c.name;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------
// Save

QList<QByteArray> CallbackLogic::Commands(const CallbackSaveParts &parts, QString *problem) const
{
    using namespace callbackfield;
    const CallbackRecord &record = m_session.callbackRecord;
    QList<QByteArray> commands;
    auto argument = [&](const QByteArray &text, const QString &what, QByteArray *out) {
        if (CommandArgument(text, out))
            return true;
        *problem = QStringLiteral("%1 holds a double quote or a control character, which the modem cannot take.")
                       .arg(what);
        return false;
    };
    QByteArray arg;
    if (parts.control)
        commands << "AT*WCB=" + QByteArray::number(record.Int(Control));
    if (parts.delay) {
        if (!argument(record.Text(Delay, DelayWidth), QStringLiteral("The callback delay"), &arg))
            return {};
        commands << "AT*WCBTIME=" + arg;
    }
    for (int k = parts.firstEntry; k <= parts.lastEntry; ++k) {
        const QByteArray n = QByteArray::number(k + 1);
        if (!argument(record.Text(NumberAt(k), TextWidth), QStringLiteral("The number of callback entry ") + n, &arg))
            return {};
        commands << "AT*WCBTAB" + n + '=' + arg;
        if (!argument(record.Text(PasswordAt(k), TextWidth), QStringLiteral("The password of callback entry ") + n,
                      &arg))
            return {};
        commands << "AT*WCBPWD" + n + '=' + arg;
    }
    return commands;
}

QString CallbackLogic::ValidateSettings() const
{
    QString problem;
    Commands({true, true, 0, callbackfield::EntryCount - 1}, &problem);
    return problem;
}

bool CallbackLogic::Save(const CallbackSaveParts &parts)
{
    QString problem;
    Commands(parts, &problem);
    if (!problem.isEmpty()) {
        m_prompts.Message(problem);
        return false;
    }
    if (!WriteToModem(parts)) {
        m_prompts.Message(WriteFailedText());
        return false;
    }
    if (parts.control && parts.delay && parts.firstEntry == 0 && parts.lastEntry == callbackfield::EntryCount - 1)
        TakeSnapshot();
    return true;
}

bool CallbackLogic::WriteToModem()
{
    return WriteToModem({true, true, 0, callbackfield::EntryCount - 1});
}

bool CallbackLogic::WriteToModem(const CallbackSaveParts &parts)
{
    if (!TransferFrame::MayStart(m_session))
        return false;
    QString problem;
    const QList<QByteArray> commands = Commands(parts, &problem);
    if (!problem.isEmpty())
        return false;
    TransferFrame frame(m_session, callbackpagetext::kWriteText);
    // The modem may answer in numeric codes (the Basic page or the terminal
    // can leave it so): the save expects the final result in the format the
    // probe finds, as the read does, instead of timing out on "0".
    frame.Probe();
    // The texts are matched character by character in order, so a numeric
    // code must not be found in the echo of a command that holds the digit:
    // after an echo it follows the echo's CR.
    const bool verbose = m_session.Verbose();
    const QByteArray lead = m_session.Echo() ? QByteArrayLiteral("\r") : QByteArray();
    const QByteArray ok = verbose ? QByteArrayLiteral("OK\r\n") : lead + "0\r";
    const QByteArray error = verbose ? kError : lead + "4\r";
    for (const QByteArray &command : commands) {
        if (frame.Send(command, 3, ok, error) != ExSuccess)
            return false;
    }
    return true;
}

} // namespace telvio
