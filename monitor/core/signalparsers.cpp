#include "monitor/core/signalparsers.h"

#include <limits>

namespace telvio {

QByteArray AnswerPayload(const QByteArray &answer, const QByteArray &keyword)
{
    const int at = answer.indexOf(keyword);
    if (at < 0)
        return QByteArray();
    const int start = at + int(keyword.size()) + 1;
    if (start > answer.size())
        return QByteArray();
    const int cr = answer.indexOf('\r', start);
    if (cr < 0)
        return QByteArray();
    return answer.mid(start, cr - start);
}

QByteArray TakeField(const QByteArray &text)
{
    const int comma = text.indexOf(',');
    return comma < 0 ? QByteArray() : text.left(comma);
}

QByteArray DropField(const QByteArray &text)
{
    const int comma = text.indexOf(',');
    return comma < 0 ? text : text.mid(comma + 1);
}

QByteArray DropFields(QByteArray text, int count)
{
    for (int i = 0; i < count; ++i)
        text = DropField(text);
    return text;
}

int IntegerValue(const QByteArray &text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    qint64 value = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        // Garbage on the line must not overflow; any level that large is
        // nonsense anyway.
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            value = qint64(std::numeric_limits<int>::max()) + 1;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        value = std::numeric_limits<int>::max();
    return int(value);
}

QByteArray MainCellText(const QByteArray &ccedAnswer, const QByteArray &csqAnswer)
{
    QByteArray text = AnswerPayload(ccedAnswer, QByteArrayLiteral("+CCED:"));
    const QByteArray signal = AnswerPayload(csqAnswer, QByteArrayLiteral("+CSQ:"));
    // An "at+csq" answered with a bare OK still gives the walk a BER field
    // to land on: "not known".
    text += ',';
    text += signal.isEmpty() ? QByteArrayLiteral("0,99") : signal;
    return text;
}

std::array<QByteArray, 6> SplitNeighbours(const QByteArray &answer)
{
    std::array<QByteArray, 6> texts;
    const int length = int(answer.size());
    const int keyword = answer.indexOf("+CCED:");
    int p = keyword < 0 ? 6 : keyword + 7;
    for (QByteArray &text : texts) {
        const int start = p;
        int end = answer.indexOf(',', p);
        if (end < 0)
            return texts;
        p = end + 1;
        for (int field = 2; field <= 7; ++field) {
            if (p >= length)
                return texts;
            end = answer.indexOf(',', p);
            // The last field of the line has no comma after it: it ends at
            // the line's CR.
            if (end < 0)
                end = answer.indexOf('\r', p);
            if (end < 0)
                return texts;
            p = end + 1;
        }
        text = answer.mid(start, p - 1 - start);
    }
    return texts;
}

QByteArray OperatorQuery(QByteArray *cellText)
{
    QByteArray command = QByteArrayLiteral("at+wopn=0,");
    command += TakeField(*cellText);
    *cellText = DropField(*cellText);
    command += TakeField(*cellText);
    *cellText = DropField(*cellText);
    return command;
}

QByteArray OperatorName(const QByteArray &answer)
{
    const int keyword = answer.indexOf("+WOPN:");
    if (keyword < 0)
        return QByteArray();
    const int start = keyword + 10;
    if (start > answer.size())
        return QByteArray();
    const int quote = answer.indexOf('"', start);
    if (quote < 0)
        return QByteArray();
    return answer.mid(start, quote - start);
}

CellFields WalkMainCell(const QByteArray &text)
{
    CellFields f;
    QByteArray t = DropField(text);
    f.cellId = TakeField(t);
    t = DropFields(t, 3);
    f.rxlev = IntegerValue(TakeField(t));
    t = DropFields(t, 8);
    f.berCode = IntegerValue(t);
    return f;
}

CellFields WalkNeighbour(const QByteArray &text)
{
    CellFields f;
    QByteArray t = DropField(text);
    f.cellId = TakeField(t);
    t = DropFields(t, 3);
    f.rxlev = IntegerValue(t);
    return f;
}

QString BerText(int code)
{
    static const char *const kTexts[] = {
        "0  (BER<0.2%)",        "1  (0.2%<BER<0.4%)", "2  (0.4%<BER<0.8%)", "3  (0.8%<BER<1.6%)",
        "4  (1.6%<BER<3.2%)",   "5  (3.2%<BER<6.4%)", "6  (6.4%<BER<12.8%)", "7  (BER>12.8%)",
    };
    if (code < 0 || code > 7)
        return QStringLiteral("99 (BER Unknown)");
    return QString::fromLatin1(kTexts[code]);
}

SignalColour ColourOf(int rxlev, int redThreshold, int greenThreshold)
{
    if (rxlev < redThreshold)
        return SignalColour::Red;
    if (rxlev > greenThreshold)
        return SignalColour::Green;
    return SignalColour::Amber;
}

quint32 ColourRgb(SignalColour colour)
{
    switch (colour) {
    case SignalColour::Red: return 0xFF0000u;
    case SignalColour::Green: return 0x00D200u;
    case SignalColour::Amber: break;
    }
    return 0xFFC832u;
}

QString ColourName(SignalColour colour)
{
    switch (colour) {
    case SignalColour::Red: return QStringLiteral("red");
    case SignalColour::Green: return QStringLiteral("green");
    case SignalColour::Amber: break;
    }
    return QStringLiteral("amber");
}

} // namespace telvio
