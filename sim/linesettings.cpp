#include "sim/linesettings.h"

namespace telvio::sim {

int LineSettings::bitsPerCharacter() const
{
    return 1 + dataBits + (parity == Parity::None ? 0 : 1) + stopBits;
}

QByteArray LineSettings::framingText() const
{
    static const char letters[] = {'N', 'O', 'E', 'M', 'S'};
    QByteArray text;
    text += char('0' + dataBits);
    text += letters[static_cast<int>(parity)];
    text += char('0' + stopBits);
    return text;
}

bool LineSettings::operator==(const LineSettings &other) const
{
    return baud == other.baud && dataBits == other.dataBits && parity == other.parity
        && stopBits == other.stopBits;
}

bool lineMatches(const LineSettings &modem, const LineObservation &seen)
{
    if (modem.baud != seen.line.baud || modem.stopBits != seen.line.stopBits)
        return false;
    if (!seen.carriesCharFormat)
        return true;
    return modem.dataBits == seen.line.dataBits && modem.parity == seen.line.parity;
}

std::optional<LineSettings> parseFraming(const QByteArray &text)
{
    if (text.size() != 3)
        return std::nullopt;
    LineSettings line;
    switch (text.at(0)) {
    case '7': line.dataBits = 7; break;
    case '8': line.dataBits = 8; break;
    default: return std::nullopt;
    }
    switch (text.at(1)) {
    case 'N': case 'n': line.parity = Parity::None; break;
    case 'O': case 'o': line.parity = Parity::Odd; break;
    case 'E': case 'e': line.parity = Parity::Even; break;
    case 'M': case 'm': line.parity = Parity::Mark; break;
    case 'S': case 's': line.parity = Parity::Space; break;
    default: return std::nullopt;
    }
    switch (text.at(2)) {
    case '1': line.stopBits = 1; break;
    case '2': line.stopBits = 2; break;
    default: return std::nullopt;
    }
    return line;
}

std::optional<IcfCode> icfFromLine(const LineSettings &line)
{
    const bool seven = line.dataBits == 7;
    if (line.parity == Parity::None)
        return IcfCode{line.stopBits == 2 ? (seven ? 4 : 1) : (seven ? 6 : 3), icfNoParity};
    if (line.stopBits == 2)
        return std::nullopt;
    return IcfCode{seven ? 5 : 2, static_cast<int>(line.parity) - 1};
}

std::optional<LineSettings> lineFromIcf(const IcfCode &code)
{
    LineSettings line;
    line.baud = 0;
    switch (code.format) {
    case 1: line.dataBits = 8; line.stopBits = 2; break;
    case 2: line.dataBits = 8; line.stopBits = 1; break;
    case 3: line.dataBits = 8; line.stopBits = 1; break;
    case 4: line.dataBits = 7; line.stopBits = 2; break;
    case 5: line.dataBits = 7; line.stopBits = 1; break;
    case 6: line.dataBits = 7; line.stopBits = 1; break;
    default: return std::nullopt;
    }
    const bool withParity = code.format == 2 || code.format == 5;
    if (!withParity) {
        line.parity = Parity::None;
        return line;
    }
    if (code.parity < 0 || code.parity > 3)
        return std::nullopt;
    line.parity = static_cast<Parity>(code.parity + 1);
    return line;
}

const QVector<int> &supportedRates()
{
    static const QVector<int> rates = {300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    return rates;
}

} // namespace telvio::sim
