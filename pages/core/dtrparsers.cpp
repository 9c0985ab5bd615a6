#include "pages/core/dtrparsers.h"

#include "pages/core/answertext.h"
#include "pages/core/pageframe.h"

namespace telvio {

QByteArray ParseCpbrAnswer(const QByteArray &answer)
{
    // The number is the entry's first quoted field. Counting a fixed nine
    // characters from the keyword would cut its first digit when the modem
    // sends no blank after the colon.
    bool found = false;
    const QByteArray line = LineAfterKeyword(answer, QByteArrayLiteral("CPBR:"), &found);
    QByteArray number;
    if (!found || !QuotedField(line, 0, &number))
        return {};
    return number;
}

StoredSms ParseCmgrAnswer(const QByteArray &answer)
{
    StoredSms sms;
    const int header = IndexAfter(answer, QByteArrayLiteral("CMGR:"));
    if (header < 0)
        return sms;
    sms.present = true;
    const QByteArray headerLine = LineFrom(answer, header);
    // "REC READ","+4912345",...: the number is the second field, quoted,
    // with or without blanks after the commas.
    const QList<QByteArray> fields = SplitFields(headerLine);
    sms.number = Unquote(fields.value(1));

    // The text starts on the line after the header and ends at the next
    // CR LF. A message this program stored ends every line with a CR, so
    // the last one comes back doubled ("...last\r\r\n") and is dropped;
    // other messages keep their last character.
    int start = header + int(headerLine.size());
    if (start < answer.size() && answer.at(start) == '\r')
        ++start;
    if (start < answer.size() && answer.at(start) == '\n')
        ++start;
    int end = answer.indexOf("\r\n", start);
    if (end < 0)
        end = answer.indexOf('\n', start);
    if (end < 0)
        end = int(answer.size());
    QByteArray text = answer.mid(start, end - start);
    if (text.endsWith('\r'))
        text.chop(1);
    text.replace("\r", "\r\n");
    sms.message = text;
    return sms;
}

bool ParseWstrAnswer(const QByteArray &answer)
{
    bool found = false;
    const QByteArray line = LineAfterKeyword(answer, QByteArrayLiteral("WSTR:"), &found);
    if (!found)
        return false;
    const QList<QByteArray> fields = SplitFields(line);
    return fields.size() >= 2 && fields.at(0) == "1" && fields.at(1) == "2";
}

std::optional<QByteArray> FormatCpbwCommand(const QByteArray &number)
{
    if (number.isEmpty())
        return QByteArrayLiteral("AT+CPBW=1");
    if (!SafeQuotedText(number))
        return std::nullopt;
    return QByteArrayLiteral("AT+CPBW=1,\"") + number + QByteArrayLiteral("\",129,\"DTRDIAL\"");
}

std::optional<QByteArray> FormatCmgwCommand(const QByteArray &number)
{
    if (!SafeQuotedText(number))
        return std::nullopt;
    return QByteArrayLiteral("AT+CMGW=\"") + number + '"';
}

QByteArray FormatDtrCommand(int event)
{
    return QByteArrayLiteral("AT%D") + QByteArray::number(event);
}

QList<QByteArray> SmsTextParts(const QByteArray &message)
{
    QList<QByteArray> parts;
    if (message.isEmpty())
        return parts;
    QByteArray rest = message;
    for (;;) {
        const int cr = rest.indexOf('\r');
        QByteArray line;
        if (cr >= 0) {
            line = rest.left(cr);
            rest.remove(0, cr + 1);
        }
        parts.append(line.isEmpty() ? rest : line);
        if (line.isEmpty())
            break;
    }
    return parts;
}

bool SafeSmsText(const QByteArray &message)
{
    for (const char c : message) {
        if (uchar(c) < 0x20 && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

} // namespace telvio
