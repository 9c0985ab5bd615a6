#include "pages/core/dtrlogic.h"

#include "link/core/commcontrol.h"
#include "link/core/modemsession.h"
#include "pages/core/basicform.h"
#include "pages/core/dtrparsers.h"
#include "pages/core/pageframe.h"
#include "shell/core/prompter.h"

namespace telvio {

namespace {

const QByteArray kOk = QByteArrayLiteral("OK\r\n");
const QByteArray kErrorLine = QByteArrayLiteral("ERROR\r\n");

// The text prompt of "AT+CMGW" and of every message line. With echo on,
// the modem first sends back the line itself, which may hold a '>' of its
// own; the prompt follows the line's CR.
QByteArray PromptText(bool echo)
{
    return echo ? QByteArrayLiteral("\r>") : QByteArrayLiteral(">");
}

} // namespace

DtrLogic::DtrLogic(ModemSession &session, Prompter &prompts, DtrDialogs &dialogs, DtrDropTimer &dropTimer,
                   BasicForm &form)
    : m_session(session), m_prompts(prompts), m_dialogs(dialogs), m_dropTimer(dropTimer), m_form(form)
{
}

bool DtrLogic::SetDtrFunction(int event)
{
    if (!TransferFrame::MayStart(m_session))
        return false;
    TransferFrame frame(m_session);
    frame.Probe();
    frame.SwitchToVerbose();

    bool result = false;
    int setUp = 1;
    if (event == EventDial)
        setUp = SetUpDial(frame);
    else if (event == EventSms)
        setUp = SetUpSms(frame);
    if (setUp == 0) {
        // Cancel: the function stays as it was, and that is no error.
        result = true;
    } else if (setUp > 0) {
        result = frame.Send(FormatDtrCommand(event), 3, kOk) > 0;
    }
    if (m_session.options.debug == 1)
        m_session.Host()->AppendTerminal(frame.Answer());
    return result;
}

int DtrLogic::SetUpDial(TransferFrame &frame)
{
    if (frame.Send(QByteArrayLiteral("AT+CPBS=\"SM\""), 3, kOk, QByteArrayLiteral("ERROR")) != ExSuccess)
        return -1;
    if (frame.Send(QByteArrayLiteral("AT+CPBR=1"), 3, kOk, QByteArrayLiteral("ERROR")) != ExSuccess)
        return -1;
    const QString stored = QString::fromLatin1(ParseCpbrAnswer(frame.Answer()));
    const std::optional<QString> number = m_dialogs.DialNumber(stored);
    if (!number)
        return 0;
    if (*number == stored)
        return 1;
    const std::optional<QByteArray> command = FormatCpbwCommand(number->toLatin1());
    if (!command)
        return -1;
    return frame.Send(*command, 3, kOk) == ExSuccess ? 1 : -1;
}

int DtrLogic::SetUpSms(TransferFrame &frame)
{
    const int read = frame.Send(QByteArrayLiteral("AT+CMGR=1"), 3, kOk, kErrorLine);
    if (read < 1)
        return -1;
    // An error, or an empty location answered with a bare OK: no message.
    StoredSms stored;
    if (read == ExSuccess)
        stored = ParseCmgrAnswer(frame.Answer());
    SmsOnDtr shown{QString::fromLatin1(stored.number), QString::fromLatin1(stored.message)};
    const std::optional<SmsOnDtr> sms = m_dialogs.SmsMessage(shown);
    if (!sms)
        return 0;
    if (sms->number == shown.number && sms->message == shown.message)
        return 1;
    return StoreSms(frame, stored.present, *sms) ? 1 : -1;
}

bool DtrLogic::StoreSms(TransferFrame &frame, bool replaceStored, const SmsOnDtr &sms)
{
    QByteArray text = sms.message.toLatin1();
    text.replace('\n', QByteArray());
    const std::optional<QByteArray> command = FormatCmgwCommand(sms.number.toLatin1());
    if (!command || !SafeSmsText(text))
        return false;

    if (replaceStored && frame.Send(QByteArrayLiteral("AT+CMGD=1,0"), 10, kOk, kErrorLine) < 1)
        m_prompts.Message(QStringLiteral("TIME OUT"));

    const QByteArray prompt = PromptText(m_session.Echo());
    int r = frame.Send(*command, 3, prompt, kErrorLine);
    for (const QByteArray &part : SmsTextParts(text)) {
        if (r != ExSuccess)
            break;
        r = frame.Send(part, 3, prompt, kErrorLine);
    }
    // Ctrl-Z ends the text whatever happened, so that the modem leaves its
    // text prompt; its answer is the modem's verdict on the store. A
    // message that was not stored must not be reported as armed.
    const int stored = frame.Send(QByteArrayLiteral("\x1A"), 3, kOk, kErrorLine);
    return r == ExSuccess && stored == ExSuccess;
}

void DtrLogic::Activate()
{
    const int event = m_form.dtrEvent.current;
    if (event != EventDial && event != EventSms) {
        m_prompts.Message(QStringLiteral("Please select DTR-Event first."), QString(), Prompter::Icon::Information);
        return;
    }
    if (!SetDtrFunction(event))
        m_prompts.Message(QStringLiteral("Error: Unable to perform requested operation."));
}

void DtrLogic::Deactivate()
{
    SetDtrFunction(EventOff);
}

void DtrLogic::Test()
{
    if (!TransferFrame::MayStart(m_session))
        return;
    TransferFrame frame(m_session, QStringLiteral("DTR Test"));
    frame.Probe();
    if (frame.SwitchToVerbose() <= 0)
        return;
    if (frame.Send(QByteArrayLiteral("AT+WSTR=1"), 3, kOk) != ExSuccess)
        return;
    if (ParseWstrAnswer(frame.Answer())) {
        m_session.Comm()->SetDTREnable(true);
        m_dropTimer.StartDtrDrop();
    } else {
        m_prompts.Message(QStringLiteral("SIM card not ready."));
    }
}

} // namespace telvio
