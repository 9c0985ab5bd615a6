#include "pages/core/iologic.h"

#include "pages/core/commandargument.h"
#include "pages/core/iorecord.h"
#include "pages/core/ioparsers.h"

#include <algorithm>

namespace telvio {

namespace {

const QByteArray kOk = QByteArrayLiteral("OK\r\n");
const QByteArray kError = QByteArrayLiteral("ERROR\r\n");

PageLifecycle IoLifecycle()
{
    PageLifecycle l;
    l.readFills = PageLifecycle::ReadFills::Record;
    l.activationRead = PageLifecycle::ActivationRead::Own;
    l.enableBeforeReadButton = true;
    l.readButtonClearsMustRead = true;
    return l;
}

QByteArray ItemValueAt(const QStringList &items, int position)
{
    return position >= 0 && position < items.size() ? ListItemValue(items.at(position)) : QByteArray();
}

} // namespace

IoLogic::IoLogic(ModemSession &session, Prompter &prompts)
    : SettingsPage(session, prompts, PageId::Io, session.ioRecord, IoLifecycle())
{
}

bool IoLogic::Command(IoCommand command, int row)
{
    ChangeHook();
    const int k = qBound(0, row, iofield::EntryCount - 1);
    switch (command) {
    case IoCommand::Edited: break;
    case IoCommand::Read: return ReadButton();
    case IoCommand::Write: return WriteButton();
    case IoCommand::SaveParameters: return Save({true, false, 0, 0});
    case IoCommand::SaveEnable: return Save({false, true, 0, 0});
    case IoCommand::SaveEntry: return Save({false, false, k, k});
    case IoCommand::EditEntry:
        if (editEntry)
            editEntry(k);
        RecordToControls(PageRecord());
        ChangeHook();
        break;
    case IoCommand::ClearEntry:
        ClearEntry(PageRecord(), k);
        RecordToControls(PageRecord());
        ChangeHook();
        break;
    case IoCommand::ClearAll:
        for (int e = 0; e < iofield::EntryCount; ++e)
            ClearEntry(PageRecord(), e);
        RecordToControls(PageRecord());
        ChangeHook();
        break;
    }
    return true;
}

void IoLogic::DisableWhileOffline()
{
    for (IoRowForm &r : form.rows)
        r.save.enabled = false;
    for (ButtonState *b : {&form.saveParameters, &form.saveEnable, &form.write, &form.read})
        b->enabled = false;
}

// ---------------------------------------------------------------------------
// Record and controls

void IoLogic::ControlsToRecord(IoRecord &record)
{
    using namespace iofield;
    record.SetText(Tp, NumberWidth, NormaliseIoTime(form.tp.text.left(iolimit::Pulse).toLatin1()));
    record.SetText(Tc, NumberWidth, NormaliseIoTime(form.tc.text.left(iolimit::Pulse).toLatin1()));
    record.SetInt(TrigType, form.trigType.current);
    record.SetInt(TrigLevel, form.trigLevel.current);
    record.SetInt(OutputCtrl, form.outputCtrl.current);
    record.SetInt(Enable, form.enable.current);
    for (int k = 0; k < EntryCount; ++k) {
        const IoRowForm &r = form.rows[size_t(k)];
        record.SetText(TimeAt(k), NumberWidth, NormaliseIoTime(r.time.text.left(iolimit::Time).toLatin1()));
        record.SetInt(ServiceAt(k), r.service.current);
        record.SetInt(RetryAt(k), r.retry.current);
        record.SetInt(PriorityAt(k), r.priority.current);
    }
}

void IoLogic::RecordToControls(const IoRecord &record)
{
    using namespace iofield;
    form.tp.text = QString::fromLatin1(record.Text(Tp, NumberWidth));
    form.tc.text = QString::fromLatin1(record.Text(Tc, NumberWidth));
    form.trigType.Select(record.Int(TrigType));
    form.trigLevel.Select(record.Int(TrigLevel));
    form.outputCtrl.Select(record.Int(OutputCtrl));
    form.enable.Select(record.Int(Enable));
    for (int k = 0; k < EntryCount; ++k) {
        IoRowForm &r = form.rows[size_t(k)];
        r.time.text = QString::fromLatin1(record.Text(TimeAt(k), NumberWidth));
        r.service.Select(record.Int(ServiceAt(k)));
        r.retry.Select(record.Int(RetryAt(k)));
        r.priority.Select(record.Int(PriorityAt(k)));
    }
}

void IoLogic::EnableControls(bool on)
{
    for (IoRowForm &r : form.rows) {
        for (ControlState *c : std::initializer_list<ControlState *>{&r.service, &r.retry, &r.time, &r.priority,
                                                                     &r.edit, &r.clear, &r.save})
            c->enabled = on;
    }
    for (ControlState *c : std::initializer_list<ControlState *>{
             &form.clearAll, &form.tp, &form.tc, &form.trigType, &form.trigLevel, &form.outputCtrl,
             &form.saveParameters, &form.enable, &form.saveEnable, &form.write})
        c->enabled = on;
}

void IoLogic::ClearEntry(IoRecord &record, int k)
{
    using namespace iofield;
    record.SetInt(ServiceAt(k), 0);
    record.SetInt(RetryAt(k), 0);
    record.SetInt(PriorityAt(k), 0);
    record.SetText(TimeAt(k), NumberWidth, QByteArrayLiteral("0"));
    for (int d = 0; d < DataCount; ++d)
        record.SetText(DataAt(d, k), kData[d].width, QByteArray());
}

// ---------------------------------------------------------------------------
// Read

bool IoLogic::ReadFromModem()
{
    if (!TransferFrame::MayStart(m_session))
        return false;
    EnableControls(true);
    TransferFrame frame(m_session);
    // The answers are awaited in verbose codes, so a modem left in numeric
    // codes is switched for the transfer, as every other page does.
    frame.Probe();
    frame.SwitchToVerbose();
    if (!ReadSteps(frame))
        return false;
    RecordToControls(PageRecord());
    return true;
}

bool IoLogic::ReadSteps(TransferFrame &frame)
{
    using namespace iofield;
    IoRecord &record = PageRecord();
    for (int k = 0; k < EntryCount; ++k) {
        const QByteArray query = "AT*WIOL=" + QByteArray::number(IoEntryNumber(k)) + '?';
        if (frame.Send(query, 3, kOk, kError) != ExSuccess)
            return false;
        const IoEntryAnswer e = ParseIoEntryAnswer(frame.Answer(), iopagetext::kServices, iopagetext::kRetries);
        record.SetInt(ServiceAt(k), e.service);
        record.SetInt(RetryAt(k), e.retry);
        record.SetText(TimeAt(k), NumberWidth, e.time);
        record.SetInt(PriorityAt(k), e.priority);
        for (int d = 0; d < DataCount; ++d)
            record.SetText(DataAt(d, k), kData[d].width, e.data[size_t(d)]);
    }
    if (frame.Send(QByteArrayLiteral("AT*WIOP?"), 3, kOk) != ExSuccess)
        return false;
    const IoParametersAnswer p = ParseIoParametersAnswer(frame.Answer(), form.trigType.items,
                                                         form.trigLevel.items, form.outputCtrl.items);
    record.SetText(Tp, NumberWidth, p.tp);
    record.SetText(Tc, NumberWidth, p.tc);
    record.SetInt(TrigType, p.trigType);
    record.SetInt(TrigLevel, p.trigLevel);
    record.SetInt(OutputCtrl, p.outputCtrl);
    if (frame.Send(QByteArrayLiteral("AT*WIOE?"), 3, kOk) != ExSuccess)
        return false;
    record.SetInt(Enable, ParseIoEnableAnswer(frame.Answer()));
    return true;
}

// ---------------------------------------------------------------------------
// Write

QByteArray IoLogic::EntryCommand(const IoRecord &record, int k, QString *problem)
{
    using namespace iofield;
    // The time goes into the command as it stands: digits only (a profile
    // file may hold anything there).
    const QByteArray time = record.Text(TimeAt(k), NumberWidth);
    const bool timeOk = std::all_of(time.begin(), time.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!timeOk) {
        if (problem)
            *problem = QStringLiteral("I/O Entry %1: Time must be a number from 0 to 255.").arg(k + 1);
        return QByteArray();
    }
    QByteArray command = "AT*WIOL=" + QByteArray::number(IoEntryNumber(k)) + ',';
    command += QByteArray::number(record.Int(ServiceAt(k))) + ',' + QByteArray::number(record.Int(RetryAt(k)));
    // The modem wants a blank, not a comma, between the retry rule and the
    // timeout.
    command += ' ' + time + ',' + QByteArray::number(record.Int(PriorityAt(k)));
    for (int d = 0; d < DataCount; ++d) {
        QByteArray argument;
        if (!CommandArgument(record.Text(DataAt(d, k), kData[d].width), &argument)) {
            if (problem) {
                *problem = QStringLiteral("I/O Entry %1: Data %2 holds a double quote or a control character, "
                                          "which the modem cannot take.")
                               .arg(k + 1)
                               .arg(d + 1);
            }
            return QByteArray();
        }
        command += ',' + argument;
    }
    return command;
}

QString IoLogic::CheckEntries(int first, int last) const
{
    const IoRecord &record = m_session.ioRecord;
    for (int k = first; k <= last; ++k) {
        QString problem;
        if (EntryCommand(record, k, &problem).isEmpty())
            return problem;
    }
    return QString();
}

QString IoLogic::ValidateSettings() const
{
    return CheckEntries(0, iofield::EntryCount - 1);
}

bool IoLogic::Save(const IoWriteParts &parts)
{
    const QString invalid = CheckEntries(parts.firstEntry, parts.lastEntry);
    if (!invalid.isEmpty()) {
        m_prompts.Message(invalid);
        return false;
    }
    if (WriteToModem(parts))
        return true;
    m_prompts.Message(WriteFailedText());
    return false;
}

bool IoLogic::WriteToModem()
{
    return WriteToModem({true, true, 0, iofield::EntryCount - 1});
}

bool IoLogic::WriteToModem(const IoWriteParts &parts)
{
    using namespace iofield;
    if (!TransferFrame::MayStart(m_session))
        return false;
    const IoRecord &record = PageRecord();
    if (!CheckEntries(parts.firstEntry, parts.lastEntry).isEmpty())
        return false;
    QList<QByteArray> commands;
    if (parts.parameters) {
        commands << "AT*WIOP=" + record.Text(Tp, NumberWidth) + ',' + record.Text(Tc, NumberWidth) + ','
                + ItemValueAt(form.trigType.items, record.Int(TrigType)) + ','
                + ItemValueAt(form.trigLevel.items, record.Int(TrigLevel)) + ','
                + ItemValueAt(form.outputCtrl.items, record.Int(OutputCtrl));
    }
    if (parts.enable)
        commands << "AT*WIOE=" + QByteArray::number(record.Int(Enable));
    for (int k = parts.firstEntry; k <= parts.lastEntry; ++k)
        commands << EntryCommand(record, k);
    TransferFrame frame(m_session, iopagetext::kWriteText);
    frame.Probe();
    frame.SwitchToVerbose();
    for (const QByteArray &command : commands) {
        if (frame.Send(command, 3, kOk, kError) != ExSuccess)
            return false;
    }
    return true;
}

} // namespace telvio
