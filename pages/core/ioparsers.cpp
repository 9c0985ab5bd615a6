#include "pages/core/ioparsers.h"

#include "pages/core/answertext.h"
#include "pages/core/pageframe.h"

namespace telvio {

namespace {

// The text after the first `key` up to `end` (or the answer's end).
QByteArray ValueAfter(const QByteArray &answer, const QByteArray &key, const QByteArray &end)
{
    const int at = IndexAfter(answer, key);
    if (at < 0)
        return QByteArray();
    const int stop = answer.indexOf(end, at);
    return answer.mid(at, stop < 0 ? -1 : stop - at);
}

// Up to the next comma, and never past the line: the last value of a line
// would otherwise take the line end and the final result with it.
QByteArray FieldAfter(const QByteArray &answer, const QByteArray &key)
{
    const QByteArray rest = ValueAfter(answer, key, QByteArrayLiteral(","));
    return LineFrom(rest, 0);
}

int Match(const QStringList &items, const QByteArray &value)
{
    return FindItemStartingWith(items, QString::fromLatin1(value));
}

} // namespace

IoEntryAnswer ParseIoEntryAnswer(const QByteArray &answer, const QStringList &services, const QStringList &retries)
{
    const QByteArray crlf = QByteArrayLiteral("\r\n");
    IoEntryAnswer e;
    e.service = Match(services, ValueAfter(answer, "_Service=", crlf));
    e.retry = Match(retries, ValueAfter(answer, "_Flag=", crlf));
    e.time = ValueAfter(answer, "_Timeout=", crlf).left(iolimit::Time);
    e.priority = ValueAfter(answer, "_Priority=", crlf) == "YES" ? 1 : 0;
    for (int d = 0; d < 6; ++d) {
        const QByteArray key = "_Data" + QByteArray::number(d + 1) + '=';
        e.data[size_t(d)] = ValueAfter(answer, key, crlf).left(iolimit::Data[d]);
    }
    return e;
}

IoParametersAnswer ParseIoParametersAnswer(const QByteArray &answer, const QStringList &trigTypes,
                                           const QStringList &trigLevels, const QStringList &outputCtrls)
{
    IoParametersAnswer p;
    p.tp = FieldAfter(answer, "TMIN=").left(iolimit::Pulse);
    p.tc = FieldAfter(answer, "TMAX=").left(iolimit::Pulse);
    p.trigType = Match(trigTypes, FieldAfter(answer, "TYPE="));
    p.trigLevel = Match(trigLevels, FieldAfter(answer, "TRIG="));
    p.outputCtrl = Match(outputCtrls, ValueAfter(answer, "NORM=", QByteArrayLiteral("\r")));
    return p;
}

int ParseIoEnableAnswer(const QByteArray &answer)
{
    const int at = IndexAfter(answer, "WIOE=");
    return at >= 0 && at < answer.size() && answer.at(at) == '1' ? 1 : 0;
}

QByteArray NormaliseIoTime(const QByteArray &text)
{
    // The page's decimal conversion (leading blanks, a sign, digits up to
    // the first other character), done on the digits themselves so that a
    // long run of them cannot overflow into a small or negative value.
    const QByteArray rest = WithoutLeadingBlanks(text);
    int i = 0;
    const bool negative = i < rest.size() && rest.at(i) == '-';
    if (i < rest.size() && (rest.at(i) == '+' || rest.at(i) == '-'))
        ++i;
    const int sign = i;
    while (i < rest.size() && rest.at(i) == '0')
        ++i;
    const int start = i;
    while (i < rest.size() && rest.at(i) >= '0' && rest.at(i) <= '9')
        ++i;
    const QByteArray digits = rest.mid(start, i - start);
    if (digits.isEmpty() || negative)
        return QByteArrayLiteral("0");
    if (digits.size() > 3 || digits.toInt() > 255)
        return QByteArrayLiteral("255");
    // The digits as typed, leading zeros kept; blanks, a sign or what
    // follows the number (a modem's answer cut mid-line, a file's stray
    // byte) never travel into the entry's command.
    return rest.mid(sign, i - sign);
}

} // namespace telvio
