#include "link/core/portsettings.h"

#include <QStringList>

namespace telvio {

namespace {
bool ParityLetter(QChar c, char *out)
{
    const char up = c.toUpper().toLatin1();
    switch (up) {
    case 'N': case 'E': case 'O': case 'M': case 'S':
        *out = up;
        return true;
    default:
        return false;
    }
}
} // namespace

bool PortSettings::Parse(const QString &text, PortSettings *out)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    PortSettings s;
    bool ok = false;
    s.baud = parts[0].trimmed().toInt(&ok);
    if (!ok || s.baud <= 0)
        return false;
    const QString p = parts[1].trimmed();
    if (p.size() != 1 || !ParityLetter(p[0], &s.parity))
        return false;
    s.dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || s.dataBits < 5 || s.dataBits > 8)
        return false;
    s.stopBits = parts[3].trimmed().toInt(&ok);
    if (!ok || (s.stopBits != 1 && s.stopBits != 2))
        return false;
    *out = s;
    return true;
}

QString PortSettings::ToString() const
{
    return QStringLiteral("%1,%2,%3,%4").arg(baud).arg(QLatin1Char(parity)).arg(dataBits).arg(stopBits);
}

bool PortSettings::ParseFraming(const QString &text, PortSettings *inOut)
{
    if (text.size() != 3)
        return false;
    PortSettings s = *inOut;
    if (!text[0].isDigit() || !text[2].isDigit())
        return false;
    s.dataBits = text[0].digitValue();
    s.stopBits = text[2].digitValue();
    if (s.dataBits < 5 || s.dataBits > 8 || (s.stopBits != 1 && s.stopBits != 2))
        return false;
    if (!ParityLetter(text[1], &s.parity))
        return false;
    *inOut = s;
    return true;
}

QString PortSettings::Framing() const
{
    return QStringLiteral("%1%2%3").arg(dataBits).arg(QLatin1Char(parity)).arg(stopBits);
}

} // namespace telvio
