#include "pages/core/basiclogic.h"

#include "link/core/modemsession.h"
#include "pages/core/answertext.h"
#include "pages/core/basicparsers.h"
#include "pages/core/basicrecord.h"
#include "shell/core/prompter.h"

namespace telvio {

namespace {

const QByteArray kOk = QByteArrayLiteral("OK\r\n");
const QByteArray kError = QByteArrayLiteral("ERROR");
const QByteArray kNumericOk = QByteArrayLiteral("0\r");

// An exchange that ends a transfer: a timeout, and also a link that went
// down (whose "answer" is only the notice that it did).
bool Failed(int result)
{
    return result < ExSuccess;
}

} // namespace

BasicLogic::BasicLogic(ModemSession &session, Prompter &prompts, PinDialogs &pinDialogs, DtrDialogs &dtrDialogs,
                       DtrDropTimer &dropTimer)
    : SettingsPage(session, prompts, PageId::Basic, session.basicRecord,
                   [] {
                       PageLifecycle l;
                       l.readFills = PageLifecycle::ReadFills::Record;
                       l.compareAfterProfile = true;
                       l.activationRead = PageLifecycle::ActivationRead::ReadButton;
                       l.enableBeforeReadButton = true;
                       l.readButtonClearsMustRead = true;
                       l.readButtonQuietWhileReReading = true;
                       return l;
                   }()),
      m_pin(session, prompts, pinDialogs, form),
      m_dtr(session, prompts, dtrDialogs, dropTimer, form)
{
}

// ---------------------------------------------------------------------------
// The page window

void BasicLogic::DisableWhileOffline()
{
    for (ControlState *c : std::initializer_list<ControlState *>{
             &form.enterPin, &form.changePin, &form.activatePin, &form.write, &form.read, &form.resetNow,
             &form.dtrActivate, &form.dtrDeactivate, &form.dtrTest, &form.dtrEvent, &form.factory,
             &form.embeddedApp})
        c->enabled = false;
}

QString BasicLogic::ReadFailedText() const
{
    return QStringLiteral("Error: No answer from modem...");
}

QString BasicLogic::WriteFailedText() const
{
    return QStringLiteral("Error: Unable to save settings...");
}

void BasicLogic::ApplyModelDependence()
{
    const bool newer = m_session.Traits().pikeCommands;
    form.autoPinGroup.visible = newer;
    form.autoPin.visible = newer;
    form.autoPinCode.visible = newer;
    form.embeddedAppGroup.visible = newer;
    form.embeddedApp.visible = newer;
    if (newer)
        form.embeddedApp.caption = m_session.Traits().makerFirmware ? basictext::kDisable : basictext::kEnable;
}

bool BasicLogic::Command(BasicCommand command)
{
    ChangeHook();
    switch (command) {
    case BasicCommand::Read: return ReadButton();
    case BasicCommand::Write: return WriteButton();
    case BasicCommand::EnterPin: m_pin.EnterPin(); break;
    case BasicCommand::ChangePin: m_pin.ChangePin(); break;
    case BasicCommand::ActivatePin: m_pin.ActivatePin(); break;
    case BasicCommand::ResetToggled: ResetToggled(); break;
    case BasicCommand::ResetNow: ResetNow(); break;
    case BasicCommand::DtrActivate: m_dtr.Activate(); break;
    case BasicCommand::DtrDeactivate: m_dtr.Deactivate(); break;
    case BasicCommand::DtrTest: m_dtr.Test(); break;
    case BasicCommand::Factory: Factory(); break;
    case BasicCommand::EmbeddedApp: EmbeddedApp(); break;
    case BasicCommand::RingsEdited:
    case BasicCommand::AutoPinToggled:
    case BasicCommand::AutoPinCodeEdited:
    case BasicCommand::ResetDelayEdited:
    case BasicCommand::BearerSpeedChosen:
    case BasicCommand::BearerCeChosen:
    case BasicCommand::CompressionChosen:
    case BasicCommand::ErrorCorrectionChosen:
    case BasicCommand::DtrEventChosen:
    case BasicCommand::StatusLedChosen: break;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Record and controls

void BasicLogic::ControlsToRecord(BasicSettingsRecord &record)
{
    BasicRecordView r(record);
    r.SetAutoPinCode(form.autoPinCode.text.toLatin1());
    r.SetAutoPinEnabled(form.autoPin.checked ? 1 : 0);
    form.autoPinCode.enabled = form.autoPin.checked;
    r.SetBearerCe(form.bearerCe.current);
    r.SetBearerSpeed(form.bearerSpeed.current);
    r.SetCompression(form.compression.current);
    r.SetErrorCorrection(form.errorCorrection.current);
    r.SetResetDelay(form.resetDelay.text.toLatin1());
    r.SetResetEnabled(form.reset.checked ? 1 : 0);
    r.SetRings(LeadingNumber(form.rings.text.toLatin1()));
    if (form.statusLed.current >= 0)
        r.SetStatusLed(form.statusLed.current);
}

void BasicLogic::RecordToControls(const BasicSettingsRecord &record)
{
    const ConstBasicRecordView r(record);
    form.autoPin.checked = r.AutoPinEnabled() != 0;
    form.autoPinCode.enabled = r.AutoPinEnabled() == 1;
    form.autoPinCode.text = QString::fromLatin1(r.AutoPinCode());
    form.bearerCe.Select(r.BearerCe());
    form.bearerSpeed.Select(r.BearerSpeed());
    form.compression.Select(r.Compression() != 0 ? 1 : 0);
    form.errorCorrection.Select(r.ErrorCorrection());
    form.resetDelay.text = QString::fromLatin1(r.ResetDelay());
    form.reset.checked = r.ResetEnabled() != 0;
    form.resetDelay.enabled = r.ResetEnabled() == 1;
    form.rings.text = QString::asprintf("%03d", r.Rings());
    form.statusLed.Select(r.StatusLed());
}

void BasicLogic::EnableControls(bool on)
{
    for (ControlState *c : std::initializer_list<ControlState *>{
             &form.write, &form.factory, &form.resetNow, &form.dtrActivate, &form.dtrDeactivate, &form.dtrTest,
             &form.autoPin, &form.autoPinCode, &form.dtrEvent, &form.bearerSpeed, &form.bearerCe,
             &form.compression, &form.errorCorrection, &form.reset, &form.timeToReset, &form.rings,
             &form.statusLed})
        c->enabled = on;
    if (!on) {
        form.enterPin.enabled = false;
        form.changePin.enabled = false;
        form.activatePin.enabled = false;
        form.resetDelay.enabled = false;
    }
}

QString BasicLogic::ValidateSettings() const
{
    if (ConstBasicRecordView(m_session.basicRecord).Rings() >= 256)
        return QStringLiteral("Rings to auto-answer: \"%1\" is not valid.").arg(form.rings.text);
    if (form.reset.checked && !ResetDelayValid(form.resetDelay.text))
        return QStringLiteral("Reset - Delay: \"%1\" is not valid.").arg(form.resetDelay.text);
    // The edits never take a quote or a control character, but a profile
    // file may bring one in; both texts go out inside double quotes.
    const ConstBasicRecordView r(m_session.basicRecord);
    if (r.AutoPinEnabled() != 0 && !SafeQuotedText(r.AutoPinCode()))
        return QStringLiteral("Auto PIN - Code: \"%1\" is not valid.").arg(QString::fromLatin1(r.AutoPinCode()));
    if (!SafeQuotedText(r.ResetDelay()))
        return QStringLiteral("Reset - Delay: \"%1\" is not valid.").arg(QString::fromLatin1(r.ResetDelay()));
    return QString();
}

// ---------------------------------------------------------------------------
// Read

bool BasicLogic::ReadFromModem()
{
    Tracker().SetUnchanged(true);
    if (!TransferFrame::MayStart(m_session))
        return false;
    TransferFrame frame(m_session);
    frame.Probe();
    return ReadSteps(frame);
}

bool BasicLogic::ReadSteps(TransferFrame &frame)
{
    BasicRecordView r(m_session.basicRecord);
    unreadFields.clear();
    auto noteUnread = [this](bool read, const char *field) {
        if (!read)
            unreadFields << QLatin1String(field);
    };
    bool found = false;
    if (Failed(frame.SwitchToVerbose()))
        return false;

    if (Failed(frame.Send(QByteArrayLiteral("ATS0?"), 3, kOk)))
        return false;
    r.SetRings(ParseS0Answer(frame.Answer(), &found));
    noteUnread(found, "rings");

    if (Failed(frame.Send(QByteArrayLiteral("AT%C?"), 3, kOk)))
        return false;
    r.SetCompression(ParseCompressionAnswer(frame.Answer()));
    noteUnread(r.Compression() >= 0, "compression");

    if (m_session.Sim() == SimState::Ready) {
        form.enterPin.enabled = false;
        form.changePin.enabled = true;
        form.activatePin.enabled = true;
        // An error answer is parsed too: it names no lock, so the button
        // offers to switch it on.
        const int clck = frame.Send(QByteArrayLiteral("AT+CLCK?"), 3, kOk, kError);
        if (Failed(clck))
            return false;
        m_pin.ShowLockState(ParseClckAnswer(frame.Answer(), &found));
        noteUnread(found || clck != ExSuccess, "pinEnabled");
    } else {
        if (m_session.Sim() != SimState::PinRequired)
            form.enterPin.enabled = false;
        form.changePin.enabled = false;
        form.activatePin.enabled = false;
        form.dtrTest.enabled = false;
    }

    if (m_session.Traits().pikeCommands) {
        const int wpin = frame.Send(QByteArrayLiteral("AT*WPIN?"), 3, kOk, kError);
        if (Failed(wpin))
            return false;
        if (wpin == ExSuccess) {
            const WpinValue v = ParseWpinAnswer(frame.Answer());
            r.SetAutoPinEnabled(v.enabled);
            r.SetAutoPinCode(v.code);
            noteUnread(v.found, "autoPinEnabled");
            noteUnread(v.found, "autoPinCode");
        } else {
            form.autoPinCode.enabled = false;
            form.autoPin.enabled = false;
        }
        const int led = frame.Send(QByteArrayLiteral("AT*WSTATLED?"), 3, kOk, kError);
        if (Failed(led))
            return false;
        if (led == ExSuccess) {
            r.SetStatusLedLowByte(ParseWstatledAnswer(frame.Answer(), &found));
            noteUnread(found, "statusLed");
        }
    }

    const int wrstResult = frame.Send(QByteArrayLiteral("AT+WRST?"), 3, kOk, kError);
    if (Failed(wrstResult))
        return false;
    const WrstValue wrst = ParseWrstAnswer(frame.Answer());
    noteUnread(wrst.found || wrstResult != ExSuccess, "resetEnabled");
    noteUnread(wrst.found || wrstResult != ExSuccess, "resetDelay");
    r.SetResetEnabled(wrst.enabled);
    r.SetResetDelay(wrst.delay);
    form.timeToReset.text = QString::fromLatin1(wrst.timeToReset);

    if (Failed(frame.Send(QByteArrayLiteral("AT+CBST?"), 3, kOk)))
        return false;
    const CbstValue cbst = ParseCbstAnswer(frame.Answer());
    r.SetBearerSpeed(cbst.speed);
    r.SetBearerCe(cbst.ce);
    noteUnread(cbst.speed >= 0, "bearerSpeed");
    noteUnread(cbst.ce >= 0, "bearerCe");

    if (Failed(frame.Send(QByteArrayLiteral("AT\\N?"), 3, kOk)))
        return false;
    r.SetErrorCorrection(ParseErrorCorrectionAnswer(frame.Answer()));
    noteUnread(r.ErrorCorrection() >= 0, "errorCorrection");
    return true;
}

// ---------------------------------------------------------------------------
// Write

bool BasicLogic::WriteToModem()
{
    if (!TransferFrame::MayStart(m_session))
        return false;
    TransferFrame frame(m_session);
    frame.Probe();
    const int written = WriteSteps(frame);
    const bool switched = frame.TakeOverRestore();
    if (written < 0)
        return false;
    if (!switched)
        return written == 1;
    // Back to numeric codes, and store that too, whether or not the
    // settings went through: the modem must not be left verbose. Only a
    // completed write counts as one.
    if (Failed(frame.Send(QByteArrayLiteral("ATV0"), 3, TransferFrame::NumericOkAfterEcho(m_session.Echo()))))
        return false;
    const int stored = frame.Send(QByteArrayLiteral("AT&W"), 3, kOk, kNumericOk);
    return written == 1 && stored >= ExSuccess;
}

int BasicLogic::WriteSteps(TransferFrame &frame)
{
    const ConstBasicRecordView r(m_session.basicRecord);
    if (Failed(frame.SwitchToVerbose()))
        return 0;
    if (Failed(frame.Send(FormatS0Command(r.Rings()), 3, kOk)))
        return 0;
    if (m_session.Traits().pikeCommands) {
        const std::optional<QByteArray> wpin = FormatWpinCommand(r.AutoPinEnabled(), r.AutoPinCode());
        if (!wpin || Failed(frame.Send(*wpin, 3, kOk, kError)))
            return 0;
        if (Failed(frame.Send(FormatWstatledCommand(r.StatusLed()), 3, kOk, QByteArrayLiteral("ERROR\r\n"))))
            return 0;
    }
    const std::optional<QByteArray> wrst = FormatWrstCommand(r.ResetEnabled(), r.ResetDelay());
    if (!wrst || Failed(frame.Send(*wrst, 3, kOk)))
        return 0;
    if (Failed(frame.Send(FormatCbstCommand(form.bearerSpeed.CurrentText(), form.bearerCe.CurrentText()), 3, kOk)))
        return 0;
    if (Failed(frame.Send(FormatErrorCorrectionCommand(form.errorCorrection.CurrentText()), 3, kOk)))
        return 0;
    if (Failed(frame.Send(FormatCompressionCommand(form.compression.CurrentText()), 3, kOk)))
        return 0;
    if (Failed(frame.Send(QByteArrayLiteral("AT&W"), 3, kOk, kNumericOk)))
        return -1;
    return 1;
}

// ---------------------------------------------------------------------------
// Actions

void BasicLogic::ResetToggled()
{
    form.resetDelay.enabled = form.reset.checked;
    if (!form.reset.checked)
        form.timeToReset.text.clear();
}

void BasicLogic::ResetWith(const QByteArray &command)
{
    if (!TransferFrame::MayStart(m_session))
        return;
    if (!m_prompts.Question(QStringLiteral("Warning: all unsaved changes will be lost.\n\rThe modem will reset and "
                                           "the connection will be closed.\n\rDo you wish to continue?")))
        return;
    MessageWindowScope window(m_session, QStringLiteral("Resetting modem."));
    {
        BusyScope busy(m_session);
        QByteArray answer = command;
        // Line-anchored: the echo of "AT+WOPEN=0" ends in "0\r", which an
        // in-order match takes for the numeric OK and so closes the port
        // before the modem has answered (or been found gone).
        m_session.ExchangeLine(answer, 1, kOk, kNumericOk);
    }
    // The modem restarts whatever it answered: the link is gone either way.
    m_session.Disconnect();
}

void BasicLogic::ResetNow()
{
    ResetWith(QByteArrayLiteral("AT+CFUN=1"));
}

void BasicLogic::EmbeddedApp()
{
    if (!m_session.Traits().pikeCommands)
        return;
    ResetWith(m_session.Traits().makerFirmware ? QByteArrayLiteral("AT+WOPEN=0") : QByteArrayLiteral("AT+WOPEN=1"));
}

void BasicLogic::Factory()
{
    if (!TransferFrame::MayStart(m_session))
        return;
    MessageWindowScope window(m_session, TransferFrame::kTransferText);
    {
        BusyScope busy(m_session);
        QByteArray answer = QByteArrayLiteral("AT&F");
        if (m_session.Exchange(answer, 3, kOk, kNumericOk) > 0) {
            if (m_session.Traits().pikeCommands) {
                // The newer modems' port returns to its factory setup: the
                // rate and the character framing both, 9600 8N1.
                m_session.SetLine(PortSettings{9600, 'N', 8, 1});
                m_session.ApplyPortSettings();
            }
            QByteArray store = QByteArrayLiteral("AT&W");
            m_session.Exchange(store, 3, kOk, kNumericOk);
        }
    }
    for (PageId page : {PageId::Basic, PageId::Serial, PageId::Gprs})
        m_session.Flags(page).mustRead = true;
    Activate();
}

} // namespace telvio
