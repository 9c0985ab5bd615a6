#include "pages/core/smslogic.h"

#include "pages/core/dtrparsers.h"
#include "pages/core/smsparsers.h"
#include "pages/core/smsrecord.h"

namespace telvio {

namespace {

const QString kSendingText = QStringLiteral("Sending Message...");
const QByteArray kTimeoutNote = QByteArrayLiteral("\r\nTelvio: Timeout\r\n");
const QString kSendFailed = QStringLiteral("Error: Unable to send message!");

} // namespace

QList<QByteArray> SmsSendPieces(const QByteArray &message)
{
    QList<QByteArray> pieces;
    QByteArray rest = message;
    QByteArray line;
    do {
        const int cr = int(rest.indexOf('\r'));
        line = cr < 0 ? QByteArray() : rest.left(cr);
        if (cr >= 0)
            rest = rest.mid(cr + 1);
        QByteArray piece = line.isEmpty() ? rest : line;
        piece.replace('\r', QByteArray());
        pieces.append(piece);
    } while (!line.isEmpty());
    return pieces;
}

int SmsLogic::Send()
{
    int result = 0;
    if (TransferFrame::MayStart(m_session)) {
        TransferFrame frame(m_session, kSendingText);
        result = SendSteps();
    }
    if (result == 0)
        m_session.Host()->AppendTerminal(kTimeoutNote);
    else if (result != 1)
        m_prompts.Message(kSendFailed);
    // What was typed to send is no setting: the snapshot takes it, so the
    // page does not count as changed for it.
    SmsRecord &snapshot = Tracker().MutableSnapshot();
    snapshot.SetText(smsfield::Number, smsfield::NumberWidth, form.number.text.toLatin1());
    snapshot.SetText(smsfield::Message, smsfield::MessageWidth, form.message.text.toLatin1());
    RecordToControls(PageRecord());
    ChangeHook();
    return result;
}

int SmsLogic::SendSteps()
{
    const QByteArray number = form.number.text.toLatin1();
    const QByteArray message = form.message.text.toLatin1();
    if (number.isEmpty() || message.isEmpty())
        return 0;
    // A quote would end the number early and a Ctrl-Z or Esc end the text
    // early, leaving the rest to run as commands: such texts never go out.
    if (!SafeQuotedText(number) || !SafeSmsText(message))
        return 2;
    QByteArray command = QByteArrayLiteral("AT+CMGF=1");
    if (m_session.Exchange(command, 3, QByteArrayLiteral("OK\r\n"), QByteArrayLiteral("ERROR\r\n")) != ExSuccess)
        return 0;
    command = QByteArrayLiteral("AT+CMGS=\"") + number + '"';
    if (m_session.ExchangeWithTail(command, 3, QByteArrayLiteral(">"), 0) != ExSuccess)
        return 0;
    // An echoing modem sends each line back before its prompt, and a '>'
    // typed in the line would pass for the prompt; the prompt follows the
    // line's CR.
    const QByteArray prompt = m_session.Echo() ? QByteArrayLiteral("\r>") : QByteArrayLiteral(">");
    for (const QByteArray &piece : SmsSendPieces(message)) {
        QByteArray line = piece;
        if (m_session.Exchange(line, 3, prompt, QByteArrayLiteral("ERROR\r\n")) != ExSuccess)
            break;
    }
    // Ctrl-Z even after a failed line: the modem would otherwise stay in
    // its text prompt and take the next commands as message text.
    QByteArray ctrlZ(1, '\x1A');
    return m_session.Exchange(ctrlZ, 5, QByteArrayLiteral("OK\r\n"), QByteArrayLiteral("ERROR\r\n"));
}

} // namespace telvio
