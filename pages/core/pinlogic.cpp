#include "pages/core/pinlogic.h"

#include "link/core/modemsession.h"
#include "pages/core/answertext.h"
#include "pages/core/basicform.h"
#include "pages/core/pageframe.h"
#include "shell/core/prompter.h"

namespace telvio {

namespace {

bool AllDigits(const QString &text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

bool PinFollowsFormat(const QString &pin)
{
    return pin.size() >= 4 && AllDigits(pin);
}

bool NewPinFollowsFormat(const QString &pin)
{
    return pin.size() == 4 && AllDigits(pin);
}

bool WrongCodeAnswer(const QByteArray &answer)
{
    for (int from = 0;;) {
        const int at = answer.indexOf("CME ERROR:", from);
        if (at < 0)
            return false;
        from = at + 1;
        if (at == 0)
            continue;
        const QByteArray rest = WithoutLeadingBlanks(LineFrom(answer, at + 10));
        if (rest == "16" || (rest.startsWith("16") && !(rest.at(2) >= '0' && rest.at(2) <= '9')))
            return true;
        // The same error with +CMEE=2.
        if (rest.toLower().startsWith("incorrect password"))
            return true;
    }
}

PinLogic::PinLogic(ModemSession &session, Prompter &prompts, PinDialogs &dialogs, BasicForm &form)
    : m_session(session), m_prompts(prompts), m_dialogs(dialogs), m_form(form)
{
}

void PinLogic::ShowLockState(bool on)
{
    pinEnabled = on;
    m_form.activatePin.caption = on ? basictext::kDisablePin : basictext::kEnablePin;
}

int PinLogic::AskFormat()
{
    QByteArray at = QByteArrayLiteral("AT");
    return m_session.Exchange(at, 3, QByteArrayLiteral("OK\r\n"), QByteArrayLiteral("0\r"));
}

int PinLogic::SendCode(QByteArray &command, bool verbose)
{
    if (verbose)
        return m_session.Exchange(command, 3, QByteArrayLiteral("OK\r\n"), QByteArrayLiteral("ERROR\r\n"));
    // A numeric "0" only counts as the final result where it starts a line:
    // in the echo of the command ("AT+CPIN=1230") or in an error number
    // ("+CME ERROR: 10") an in-order match would take it for success. These
    // set commands answer with nothing but a result code, which is what the
    // line-anchored exchange waits for; a refusal runs into its timeout.
    return m_session.ExchangeLine(command, 3, QByteArrayLiteral("OK\r\n"), QByteArrayLiteral("0\r"));
}

void PinLogic::EnterPin()
{
    const std::optional<QString> pin = m_dialogs.EnterPin();
    if (!pin)
        return;
    if (!PinFollowsFormat(*pin)) {
        m_prompts.Message(QStringLiteral("PIN code not properly formated!"));
        return;
    }
    // A SIM that asks for its PIN has its lock on, whether or not the code
    // then gets through.
    pinEnabled = true;
    if (!TransferFrame::MayStart(m_session))
        return;
    TransferFrame frame(m_session);
    if (frame.Probe() < 1)
        return;
    QByteArray command = QByteArrayLiteral("AT+CPIN=") + pin->toLatin1();
    if (SendCode(command, m_session.Verbose()) == ExSuccess) {
        m_session.SetSim(SimState::Ready);
        m_form.enterPin.enabled = false;
        m_form.changePin.enabled = true;
        m_form.activatePin.enabled = true;
        ShowLockState(true);
    } else {
        m_session.SetSim(SimState::PinRequired);
        m_prompts.Message(QStringLiteral("PIN not accepted."));
    }
    m_session.Host()->RefreshStatusPanel();
    // The status bar's SIM prefix follows the new state at once.
    m_session.Host()->UpdateStatusBar();
}

void PinLogic::ChangePin()
{
    const std::optional<ChangePinCodes> codes = m_dialogs.ChangePin();
    if (!codes)
        return;
    if (!PinFollowsFormat(codes->oldPin)) {
        m_prompts.Message(QStringLiteral("Old PIN code not properly formated!"));
        return;
    }
    if (!NewPinFollowsFormat(codes->newPin)) {
        m_prompts.Message(QStringLiteral("New PIN code not properly formated!"));
        return;
    }
    if (codes->confirmPin != codes->newPin) {
        m_prompts.Message(QStringLiteral("Re-entered PIN code does not match"));
        return;
    }
    if (!TransferFrame::MayStart(m_session))
        return;
    TransferFrame frame(m_session);
    const int format = AskFormat();
    if (format != ExSuccess && format != ExError)
        return;
    QByteArray command = QByteArrayLiteral("AT+CPWD=\"SC\",") + codes->oldPin.toLatin1() + ','
        + codes->newPin.toLatin1();
    if (SendCode(command, format == ExSuccess) != ExSuccess)
        m_prompts.Message(QStringLiteral("Unable to change PIN code..."));
}

void PinLogic::ActivatePin()
{
    const std::optional<QString> pin = m_dialogs.EnterPin();
    if (!pin)
        return;
    if (!PinFollowsFormat(*pin)) {
        m_prompts.Message(QStringLiteral("PIN code not properly formated!"));
        return;
    }
    if (!TransferFrame::MayStart(m_session))
        return;
    TransferFrame frame(m_session);
    const int format = AskFormat();
    if (format != ExSuccess && format != ExError)
        return;
    const bool switchingOff = pinEnabled;
    QByteArray command = QByteArrayLiteral("AT+CLCK=\"SC\",") + (switchingOff ? '0' : '1') + ',' + pin->toLatin1();
    if (SendCode(command, format == ExSuccess) == ExSuccess) {
        ShowLockState(!switchingOff);
    } else if (switchingOff) {
        m_prompts.Message(WrongCodeAnswer(command) ? QStringLiteral("Unable to disable PIN, wrong code.")
                                                   : QStringLiteral("Unable to disable PIN, SIM card not ready."));
    } else {
        m_prompts.Message(QStringLiteral("Unable to enable PIN, SIM card not ready."));
    }
}

} // namespace telvio
