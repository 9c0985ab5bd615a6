#include "pages/core/serialsettingslogic.h"

#include "link/core/commcontrol.h"
#include "link/core/modemsession.h"
#include "pages/core/serialsettingsrecord.h"
#include "shell/core/prompter.h"

namespace telvio {

namespace {

const QByteArray kOk = QByteArrayLiteral("OK\r\n");
const QByteArray kNumericOk = QByteArrayLiteral("0\r");
const QString kWriteText = QStringLiteral("Transfering data...");
constexpr int kParityNone = 4;

} // namespace

SerialSettingsLogic::SerialSettingsLogic(ModemSession &session, Prompter &prompts)
    : SettingsPage(session, prompts, PageId::Serial, session.serialRecord,
                   [] {
                       PageLifecycle l;
                       l.readFills = PageLifecycle::ReadFills::Controls;
                       l.clearModifiedAtCreate = true;
                       l.activationRead = PageLifecycle::ActivationRead::Own;
                       l.remarkModifiedWhenNotReading = false;
                       l.buttonsIgnoredWhileBusy = true;
                       l.writeClearsMustRead = true;
                       return l;
                   }())
{
}

// ---------------------------------------------------------------------------
// The page window

void SerialSettingsLogic::DisableWhileOffline()
{
    form.read.enabled = false;
    form.write.enabled = false;
}

QString SerialSettingsLogic::ReadFailedText() const
{
    return serialtext::kReadFailed;
}

QString SerialSettingsLogic::WriteFailedText() const
{
    return serialtext::kWriteFailed;
}

bool SerialSettingsLogic::Command(SerialCommand command)
{
    ChangeHook();
    switch (command) {
    case SerialCommand::Read: return ReadButton();
    case SerialCommand::Write: return WriteButton();
    case SerialCommand::ListChosen: break;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Record and controls

void SerialSettingsLogic::ControlsToRecord(SerialSettingsRecord &record)
{
    for (SerialField field : kSerialFields)
        SetSerialValue(record, field, form.List(field).current);
    // Two stop bits go only without parity.
    if (form.List(SerialField::StopBits).CurrentText() == QLatin1String("2")) {
        SetSerialValue(record, SerialField::Parity, kParityNone);
        form.List(SerialField::Parity).Select(kParityNone);
    }
}

void SerialSettingsLogic::RecordToControls(const SerialSettingsRecord &record)
{
    for (SerialField field : kSerialFields)
        form.List(field).Select(SerialValue(record, field));
}

void SerialSettingsLogic::EnableControls(bool on)
{
    for (ListState &list : form.lists)
        list.enabled = on;
    form.write.enabled = on;
}

// ---------------------------------------------------------------------------
// Read

bool SerialSettingsLogic::ReadFromModem()
{
    if (!TransferFrame::MayStart(m_session))
        return false;
    TransferFrame frame(m_session);
    EnableControls(true);
    return ReadSteps();
}

int SerialSettingsLogic::Line(const QByteArray &command)
{
    QByteArray answer = command;
    return m_session.ExchangeLine(answer, 3, kOk, kNumericOk);
}

bool SerialSettingsLogic::ReadSteps()
{
    QByteArray dump = QByteArrayLiteral("at&v");
    if (m_session.ExchangeLine(dump, 3, kOk, kNumericOk) != ExSuccess)
        return false;
    const SerialDump parsed = ParseSerialDump(dump);
    ShowDump(parsed);
    NoteUnread(parsed);

    // The page reads in command mode, where a modem set to "mode
    // dependent" holds DSR off: the line itself tells the setting.
    form.List(SerialField::Dsr).Select(m_session.Comm()->DSRHolding() ? 0 : 1);

    // Whether the modem echoes is what its answer shows now, not what the
    // dump claims.
    QByteArray at = QByteArrayLiteral("AT");
    if (m_session.Exchange(at, 3, kOk, kNumericOk) < ExSuccess)
        return false;
    form.List(SerialField::Echo).Select(at.contains("AT") ? 1 : 0);

    form.List(SerialField::Suppression).Select(m_session.Quiet());
    return true;
}

void SerialSettingsLogic::NoteUnread(const SerialDump &dump)
{
    // A value the dump did not hold, or one that names no item of its list.
    unreadFields.clear();
    const struct {
        SerialField field;
        bool inDump;
    } fromDump[] = {
        {SerialField::ResponseFormat, dump.responseFormat.has_value()},
        {SerialField::Dcd, dump.dcd.has_value()},
        {SerialField::Dtr, dump.dtr.has_value()},
        {SerialField::DteRate, dump.rateText.has_value()},
        {SerialField::DataBits, dump.framing.has_value()},
        {SerialField::StopBits, dump.framing.has_value()},
        {SerialField::Parity, dump.framing && dump.framing->parity},
        {SerialField::DceByDte, dump.flow.dceByDte.has_value()},
        {SerialField::DteByDce, dump.flow.dteByDce.has_value()},
    };
    for (const auto &f : fromDump) {
        if (!f.inDump || form.List(f.field).current < 0)
            unreadFields.append(f.field);
    }
}

void SerialSettingsLogic::ShowDump(const SerialDump &dump)
{
    if (dump.responseFormat)
        form.List(SerialField::ResponseFormat).Select(*dump.responseFormat);
    if (dump.dcd)
        form.List(SerialField::Dcd).Select(*dump.dcd);
    if (dump.dtr)
        form.List(SerialField::Dtr).Select(*dump.dtr);
    if (dump.rateText) {
        ListState &rate = form.List(SerialField::DteRate);
        const int item = FindItemStartingWith(rate.items, *dump.rateText);
        if (item >= 0)
            rate.Select(item);
    }
    if (dump.framing) {
        form.List(SerialField::DataBits).Select(dump.framing->dataBits);
        form.List(SerialField::StopBits).Select(dump.framing->stopBits);
        if (dump.framing->parity)
            form.List(SerialField::Parity).Select(*dump.framing->parity);
        FollowModemParity();
    }
    if (dump.flow.dceByDte)
        form.List(SerialField::DceByDte).Select(*dump.flow.dceByDte);
    if (dump.flow.dteByDce)
        form.List(SerialField::DteByDce).Select(*dump.flow.dteByDce);
}

void SerialSettingsLogic::FollowModemParity()
{
    const QString item = form.List(SerialField::Parity).CurrentText();
    if (item.isEmpty() || item.at(0) == m_session.Parity())
        return;
    PortSettings line = m_session.Line();
    line.parity = item.at(0).toLatin1();
    m_session.SetLine(line);
    m_session.ApplyPortSettings();
}

// ---------------------------------------------------------------------------
// Write

bool SerialSettingsLogic::WriteToModem()
{
    if (!TransferFrame::MayStart(m_session))
        return false;
    TransferFrame frame(m_session, kWriteText);
    return WriteSteps();
}

bool SerialSettingsLogic::WriteSteps()
{
    const SerialSettingsRecord &record = m_session.serialRecord;
    // "Q" is not sent: switching result codes off now would cut this
    // program off from the modem's answers. Disconnecting applies it.
    m_session.SetQuiet(SerialValue(record, SerialField::Suppression) == 1 ? 1 : 0);

    const QByteArray rate = RateValue(form.List(SerialField::DteRate).CurrentText());
    if (Line(FormatV24Command(record, rate)) != ExSuccess)
        return false;
    // The modem answered at the old rate and runs at the new one from now
    // on. "Auto" makes it take whatever rate the PC sends at.
    if (!rate.isEmpty() && rate != "0") {
        PortSettings line = m_session.Line();
        line.baud = rate.toInt();
        m_session.SetLine(line);
        m_session.ApplyPortSettings();
    }

    const int dataBits = form.List(SerialField::DataBits).current;
    const int stopBits = form.List(SerialField::StopBits).current;
    const bool twoStop = stopBits == 1;
    // Two stop bits go only without parity, whatever the parity list shows.
    const int parity = twoStop ? kParityNone : form.List(SerialField::Parity).current;
    if (Line(FormatIcfCommand(IcfFormatCode(dataBits, stopBits, parity == kParityNone), parity)) != ExSuccess)
        return false;
    PortSettings line = m_session.Line();
    line.dataBits = dataBits == 1 ? 7 : 8;
    line.stopBits = twoStop ? 2 : 1;
    const QStringList &parities = SerialSettingsForm::Items(SerialField::Parity);
    if (parity >= 0 && parity < parities.size())
        line.parity = parities.at(parity).at(0).toLatin1();
    m_session.SetLine(line);
    m_session.ApplyPortSettings();

    if (Line(FormatIfcCommand(form.List(SerialField::DceByDte).CurrentText(),
                              form.List(SerialField::DteByDce).CurrentText()))
        != ExSuccess)
        return false;
    return Line(QByteArrayLiteral("AT&W")) == ExSuccess;
}

} // namespace telvio
