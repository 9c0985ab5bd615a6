#include "pages/core/smslogic.h"

#include "pages/core/smsparsers.h"
#include "pages/core/smsrecord.h"

namespace telvio {

namespace {

const QByteArray kOk = QByteArrayLiteral("OK\r\n");
const QByteArray kError = QByteArrayLiteral("ERROR\r\n");

PageLifecycle SmsLifecycle()
{
    PageLifecycle l;
    l.readFills = PageLifecycle::ReadFills::Controls;
    l.profileClearsModified = true;
    l.activationRead = PageLifecycle::ActivationRead::Own;
    l.enableBeforeOwnRead = true;
    l.remarkModifiedWhenNotReading = true;
    l.enableBeforeReadButton = true;
    return l;
}

} // namespace

SmsLogic::SmsLogic(ModemSession &session, Prompter &prompts)
    : SettingsPage(session, prompts, PageId::Sms, session.smsRecord, SmsLifecycle())
{
}

bool SmsLogic::Command(SmsCommand command)
{
    ChangeHook();
    switch (command) {
    case SmsCommand::Read: return ReadButton();
    case SmsCommand::Write: return WriteButton();
    case SmsCommand::Send: return Send() == 1;
    case SmsCommand::Edited:
    case SmsCommand::FormatChosen: break;
    }
    return true;
}

void SmsLogic::DisableWhileOffline()
{
    form.send.enabled = false;
    form.write.enabled = false;
    form.read.enabled = false;
}

// ---------------------------------------------------------------------------
// Record and controls

void SmsLogic::ControlsToRecord(SmsRecord &record)
{
    // Zero-filled first, so the bytes after each text's NUL compare equal.
    record.Clear();
    record.SetText(smsfield::Number, smsfield::NumberWidth, form.number.text.toLatin1());
    record.SetText(smsfield::Message, smsfield::MessageWidth, form.message.text.toLatin1());
    record.SetInt(smsfield::Format, form.format.current);
    record.SetText(smsfield::ServiceCentre, smsfield::ServiceCentreWidth, form.serviceCentre.text.toLatin1());
    form.length.text = QString::number(form.message.text.size());
}

void SmsLogic::RecordToControls(const SmsRecord &record)
{
    form.number.text = QString::fromLatin1(record.Text(smsfield::Number, smsfield::NumberWidth));
    form.message.text = QString::fromLatin1(record.Text(smsfield::Message, smsfield::MessageWidth));
    form.format.Select(record.Int(smsfield::Format));
    form.serviceCentre.text =
        QString::fromLatin1(record.Text(smsfield::ServiceCentre, smsfield::ServiceCentreWidth));
    form.length.text = QString::number(form.message.text.size());
}

void SmsLogic::EnableControls(bool on)
{
    for (ControlState *c : std::initializer_list<ControlState *>{&form.number, &form.message, &form.format,
                                                                 &form.serviceCentre, &form.send, &form.write})
        c->enabled = on;
}

// ---------------------------------------------------------------------------
// Read

bool SmsLogic::ReadFromModem()
{
    Tracker().SetUnchanged(true);
    m_pageValid = true;
    if (!TransferFrame::MayStart(m_session))
        return true;
    TransferFrame frame(m_session);
    frame.Probe();
    if (!ReadSteps(frame)) {
        m_pageValid = false;
        return false;
    }
    return true;
}

bool SmsLogic::ReadSteps(TransferFrame &frame)
{
    unreadFields.clear();
    frame.SwitchToVerbose();
    // The success texts are matched character by character in order: the
    // keyword, then the end of its line, then the final OK.
    const int csca = frame.Send(QByteArrayLiteral("AT+CSCA?"), 3, QByteArrayLiteral("CSCA:\r\nOK\r\n"), kError);
    if (csca < ExSuccess)
        return false;
    // An answer that only holds the success text's characters scattered
    // (noise that ended in OK) names no address: the field stays unread.
    if (csca == ExSuccess && frame.Answer().contains("CSCA:"))
        form.serviceCentre.text = QString::fromLatin1(ParseCscaAnswer(frame.Answer()));
    else
        unreadFields << QStringLiteral("serviceCentre");
    if (frame.Send(QByteArrayLiteral("AT+CMGF?"), 3, QByteArrayLiteral("CMGF:\r\nOK\r\n"), kError) != ExSuccess)
        return false;
    form.format.Select(ParseCmgfAnswer(frame.Answer()));
    if (!frame.Answer().contains("CMGF:"))
        unreadFields << QStringLiteral("format");
    return true;
}

// ---------------------------------------------------------------------------
// Write

QString SmsLogic::ValidateSettings() const
{
    const QByteArray centre = m_session.smsRecord.Text(smsfield::ServiceCentre, smsfield::ServiceCentreWidth);
    if (SafeQuotedText(centre))
        return QString();
    return QStringLiteral("Service Center Address: \"%1\" is not valid.").arg(QString::fromLatin1(centre));
}

bool SmsLogic::WriteToModem()
{
    if (!TransferFrame::MayStart(m_session))
        return false;
    TransferFrame frame(m_session);
    frame.Probe();
    frame.SwitchToVerbose();
    const int written = WriteSteps(frame);
    if (!frame.TakeOverRestore())
        return written == 1;
    // Numeric codes again, and stored so: the "AT&W" of the write ran in
    // verbose mode and would otherwise leave the modem verbose for good.
    frame.Send(QByteArrayLiteral("ATV0"), 3, TransferFrame::NumericOkAfterEcho(m_session.Echo()));
    if (written != 1)
        return false;
    return frame.Send(QByteArrayLiteral("AT&W"), 3, kOk, QByteArrayLiteral("0\r")) >= ExSuccess;
}

int SmsLogic::WriteSteps(TransferFrame &frame)
{
    const SmsRecord &record = PageRecord();
    const QByteArray centre = record.Text(smsfield::ServiceCentre, smsfield::ServiceCentreWidth);
    if (!SafeQuotedText(centre))
        return 0;
    const QByteArray commands[] = {
        QByteArrayLiteral("AT+CSCA=\"") + centre + '"',
        QByteArrayLiteral("AT+CSAS"),
        QByteArrayLiteral("AT+CMGF=") + QByteArray::number(record.Int(smsfield::Format)),
        QByteArrayLiteral("AT&W"),
    };
    for (const QByteArray &command : commands) {
        if (frame.Send(command, 3, kOk, kError) != ExSuccess)
            return 0;
    }
    return 1;
}

} // namespace telvio
