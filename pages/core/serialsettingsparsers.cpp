#include "pages/core/serialsettingsparsers.h"

#include "pages/core/serialsettingsrecord.h"

namespace telvio {

namespace {

constexpr int kNoParity = 4;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A list position from the first character of a value: its digit, and for
// anything else a position no list has.
std::optional<int> DigitPosition(const std::optional<QByteArray> &value)
{
    if (!value || value->isEmpty())
        return std::nullopt;
    const char c = value->at(0);
    return IsDigit(c) ? c - '0' : -1;
}

// The first character of the second value of "a,b" (blanks after the comma
// skipped), or 0 when there is none.
char SecondValue(const QByteArray &value)
{
    int pos = value.indexOf(',');
    if (pos < 0)
        return 0;
    ++pos;
    while (pos < value.size() && IsBlank(value.at(pos)))
        ++pos;
    return pos < value.size() ? value.at(pos) : 0;
}

} // namespace

std::optional<QByteArray> DumpReader::Value(const QByteArray &keyword)
{
    const int at = m_text.indexOf(keyword);
    if (at < 0)
        return std::nullopt;
    m_text = m_text.mid(at);
    const int colon = m_text.indexOf(':', 1);
    if (colon < 0)
        return std::nullopt;
    // Some firmwares put a blank after the colon and after each comma; the
    // value then starts after the first and runs on over the others. It
    // ends at the next blank, or at the line end when it is the last item
    // of its line.
    int begin = colon + 1;
    while (begin < m_text.size() && IsBlank(m_text.at(begin)))
        ++begin;
    int end = begin;
    char last = 0;
    for (; end < m_text.size(); ++end) {
        const char c = m_text.at(end);
        if (c == '\r' || c == '\n' || (IsBlank(c) && last != ','))
            break;
        if (!IsBlank(c))
            last = c;
    }
    return m_text.mid(begin, end - begin);
}

std::optional<IcfPositions> ParseIcfValue(const QByteArray &value)
{
    if (value.isEmpty() || !IsDigit(value.at(0)))
        return std::nullopt;
    const char format = value.at(0);
    IcfPositions p;
    p.dataBits = format >= '4' ? 1 : 0;
    p.stopBits = format == '1' || format == '4' ? 1 : 0;
    // Modems differ in the parity code they report for a format without a
    // parity bit ("3,3" for 8N1 on some); the format decides.
    if (format == '1' || format == '3' || format == '4' || format == '6') {
        p.parity = kNoParity;
        return p;
    }
    const char parity = SecondValue(value);
    if (parity != 0)
        p.parity = IsDigit(parity) ? parity - '0' : -1;
    return p;
}

IfcPositions ParseIfcValue(const QByteArray &value)
{
    IfcPositions p;
    if (value.isEmpty())
        return p;
    p.dceByDte = value.at(0) == '0' ? 0 : 1;
    const char second = SecondValue(value);
    if (second != 0)
        p.dteByDce = second == '0' ? 0 : 1;
    return p;
}

SerialDump ParseSerialDump(const QByteArray &answer)
{
    DumpReader reader(answer);
    SerialDump dump;
    dump.responseFormat = DigitPosition(reader.Value(QByteArrayLiteral("V:")));
    dump.dcd = DigitPosition(reader.Value(QByteArrayLiteral("&C:")));
    dump.dtr = DigitPosition(reader.Value(QByteArrayLiteral("&D:")));
    if (const std::optional<QByteArray> rate = reader.Value(QByteArrayLiteral("+IPR:")); rate && !rate->isEmpty())
        dump.rateText = *rate == "0" ? QStringLiteral("Auto") : QString::fromLatin1(*rate);
    if (const std::optional<QByteArray> icf = reader.Value(QByteArrayLiteral("+ICF:")))
        dump.framing = ParseIcfValue(*icf);
    if (const std::optional<QByteArray> ifc = reader.Value(QByteArrayLiteral("+IFC:")))
        dump.flow = ParseIfcValue(*ifc);
    return dump;
}

QByteArray RateValue(const QString &rateItem)
{
    return rateItem == QLatin1String("Auto") ? QByteArrayLiteral("0") : rateItem.toLatin1();
}

int IcfFormatCode(int dataBits, int stopBits, bool parityNone)
{
    const bool seven = dataBits == 1;
    if (stopBits == 1)
        return seven ? 4 : 1;
    if (!parityNone)
        return seven ? 5 : 2;
    return seven ? 6 : 3;
}

QByteArray FormatV24Command(const SerialSettingsRecord &record, const QByteArray &rate)
{
    return QByteArrayLiteral("ATV") + QByteArray::number(SerialValue(record, SerialField::ResponseFormat))
        + QByteArrayLiteral(" &C") + QByteArray::number(SerialValue(record, SerialField::Dcd))
        + QByteArrayLiteral(" &D") + QByteArray::number(SerialValue(record, SerialField::Dtr))
        + QByteArrayLiteral(" &S") + QByteArray::number(SerialValue(record, SerialField::Dsr))
        + QByteArrayLiteral(" E") + QByteArray::number(SerialValue(record, SerialField::Echo))
        + QByteArrayLiteral(" +IPR=") + rate;
}

QByteArray FormatIcfCommand(int format, int parity)
{
    return QByteArrayLiteral("AT+ICF=") + QByteArray::number(format) + ',' + QByteArray::number(parity);
}

QByteArray FormatIfcCommand(const QString &dceByDteItem, const QString &dteByDceItem)
{
    return QByteArrayLiteral("AT+IFC=") + dceByDteItem.left(1).toLatin1() + ',' + dteByDceItem.left(1).toLatin1();
}

} // namespace telvio
