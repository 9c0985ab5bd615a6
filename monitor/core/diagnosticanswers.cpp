#include "monitor/core/diagnosticanswers.h"

namespace telvio {

QByteArray DiagnosticCommand(DiagField field)
{
    switch (field) {
    case DiagField::Revision: return QByteArrayLiteral("ATI3");
    case DiagField::SoftwareRevision: return QByteArrayLiteral("ATI9");
    case DiagField::Imei: return QByteArrayLiteral("AT+CGSN");
    case DiagField::Registration: return QByteArrayLiteral("AT+CREG?");
    case DiagField::GprsRegistration: return QByteArrayLiteral("AT+CGREG?");
    case DiagField::GprsStatus: return QByteArrayLiteral("AT*WIPSTATUS");
    case DiagField::ModemConfiguration: return QByteArrayLiteral("AT&V");
    case DiagField::GprsConfiguration: return QByteArrayLiteral("AT*WTCPV");
    }
    return QByteArray();
}

QByteArray DropFirstLine(const QByteArray &text)
{
    const int lf = int(text.indexOf('\n', 1));
    return lf < 0 ? text : text.mid(lf + 1);
}

QByteArray BeforeLineEnd(const QByteArray &text)
{
    const int lf = int(text.indexOf('\n', 1));
    return lf < 0 ? QByteArray() : text.left(lf - 1);
}

QByteArray BeforeFirstOk(const QByteArray &text)
{
    const int ok = int(text.indexOf("OK"));
    return ok < 0 ? QByteArray() : text.left(ok);
}

QByteArray ValueAfterKeyword(const QByteArray &text, const QByteArray &keyword)
{
    const int at = int(text.indexOf(keyword, 1));
    if (at < 0)
        return QByteArray();
    QByteArray value;
    for (int i = at + int(keyword.size()); i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '\r' || c == '\n')
            break;
        if (c != ' ')
            value += c;
    }
    return value;
}

QByteArray CleanDiagnosticAnswer(DiagField field, const QByteArray &answer, bool errorSeen)
{
    switch (field) {
    case DiagField::Revision:
    case DiagField::SoftwareRevision:
    case DiagField::Imei:
        return errorSeen ? answer : BeforeLineEnd(DropFirstLine(answer));
    case DiagField::Registration:
        return errorSeen ? answer : ValueAfterKeyword(answer, QByteArrayLiteral("+CREG:"));
    case DiagField::GprsRegistration:
        return errorSeen ? answer : ValueAfterKeyword(answer, QByteArrayLiteral("+CGREG:"));
    case DiagField::GprsStatus:
        // Refused, it still loses its first line: the echo or the blank line
        // before the error.
        return errorSeen ? DropFirstLine(answer) : BeforeFirstOk(DropFirstLine(answer));
    case DiagField::ModemConfiguration:
    case DiagField::GprsConfiguration:
        return errorSeen ? answer : BeforeFirstOk(DropFirstLine(answer));
    }
    return answer;
}

} // namespace telvio
