#include "pages/core/basicparsers.h"

#include "pages/core/answertext.h"
#include "pages/core/basicform.h"
#include "pages/core/pageframe.h"

namespace telvio {

int ParseS0Answer(const QByteArray &answer, bool *found)
{
    // The value line of an S-parameter is bare digits; taking the first
    // such line (rather than everything between the first CR and "OK")
    // also reads answers without a leading line end or with an unsolicited
    // line in front.
    const QByteArray value = SingleValue(answer, QByteArrayLiteral("ATS0?"), QByteArray());
    if (found)
        *found = !value.isEmpty();
    return LeadingNumber(value);
}

int ParseCompressionAnswer(const QByteArray &answer)
{
    return FindListItem(BasicForm::CompressionItems(), SingleValue(answer, QByteArrayLiteral("AT%C?"), "%C:"));
}

int ParseErrorCorrectionAnswer(const QByteArray &answer)
{
    const QByteArray value = SingleValue(answer, QByteArrayLiteral("AT\\N?"), "\\N:");
    return FindListItem(BasicForm::ErrorCorrectionItems(), value.left(1));
}

bool ParseClckAnswer(const QByteArray &answer, bool *found)
{
    if (found)
        *found = false;
    // ("SC",1): the status follows the facility's comma, possibly after a
    // blank.
    const int sc = IndexAfter(answer, QByteArrayLiteral("\"SC\""));
    if (sc < 0)
        return false;
    const int comma = answer.indexOf(',', sc);
    if (comma < 0)
        return false;
    if (found)
        *found = true;
    const QByteArray status = WithoutLeadingBlanks(answer.mid(comma + 1));
    return status.startsWith('1');
}

WpinValue ParseWpinAnswer(const QByteArray &answer)
{
    WpinValue v;
    const QByteArray line = LineAfterKeyword(answer, QByteArrayLiteral("WPIN:"), &v.found);
    const int comma = line.indexOf(',');
    v.enabled = LeadingNumber(comma < 0 ? line : line.left(comma));
    if (comma >= 0) {
        QByteArray code = line.mid(comma + 1);
        code.replace('"', QByteArray());
        v.code = code.trimmed().left(4);
    }
    return v;
}

int ParseWstatledAnswer(const QByteArray &answer, bool *found)
{
    return LeadingNumber(LineAfterKeyword(answer, QByteArrayLiteral("WSTATLED:"), found));
}

WrstValue ParseWrstAnswer(const QByteArray &answer)
{
    WrstValue v;
    const QByteArray line = LineAfterKeyword(answer, QByteArrayLiteral("WRST:"), &v.found);
    if (!WithoutLeadingBlanks(line).startsWith('1'))
        return v;
    v.enabled = 1;
    // The delay and the time left are the first two quoted fields; reading
    // them up to their closing quotes keeps a quote out of a shorter value.
    QByteArray field;
    if (QuotedField(line, 0, &field))
        v.delay = field.left(6);
    if (QuotedField(line, 1, &field))
        v.timeToReset = field.left(6);
    return v;
}

CbstValue ParseCbstAnswer(const QByteArray &answer)
{
    CbstValue v;
    bool found = false;
    const QByteArray line = LineAfterKeyword(answer, QByteArrayLiteral("CBST:"), &found);
    if (!found)
        return v;
    const QList<QByteArray> fields = SplitFields(line);
    v.speed = FindListItem(BasicForm::BearerSpeedItems(), fields.value(0));
    if (fields.size() >= 3)
        v.ce = FindListItem(BasicForm::BearerCeItems(), fields.at(2).left(1));
    return v;
}

QByteArray FormatS0Command(int rings)
{
    return QByteArrayLiteral("ATS0=") + QByteArray::number(rings);
}

std::optional<QByteArray> FormatWpinCommand(int enabled, const QByteArray &code)
{
    if (enabled == 0)
        return QByteArrayLiteral("AT*WPIN=0");
    if (!SafeQuotedText(code))
        return std::nullopt;
    return QByteArrayLiteral("AT*WPIN=") + QByteArray::number(enabled) + ",\"" + code + '"';
}

QByteArray FormatWstatledCommand(int statusLed)
{
    return QByteArrayLiteral("AT*WSTATLED=") + QByteArray::number(statusLed);
}

std::optional<QByteArray> FormatWrstCommand(int enabled, const QByteArray &delay)
{
    if (!SafeQuotedText(delay))
        return std::nullopt;
    return QByteArrayLiteral("AT+WRST=") + QByteArray::number(enabled) + ",\"" + delay + '"';
}

QByteArray FormatCbstCommand(const QString &speedItem, const QString &ceItem)
{
    return QByteArrayLiteral("AT+CBST=") + ListItemValue(speedItem) + ",0," + ListItemValue(ceItem);
}

QByteArray FormatErrorCorrectionCommand(const QString &item)
{
    return QByteArrayLiteral("AT\\N") + item.left(1).toLatin1();
}

QByteArray FormatCompressionCommand(const QString &item)
{
    return QByteArrayLiteral("AT%C") + item.left(1).toLatin1();
}

namespace {

bool DigitsBelow(const QString &text, int minLength, int limit)
{
    if (text.size() < minLength)
        return false;
    long long value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        value = value * 10 + (c.unicode() - '0');
        if (value >= limit)
            return false;
    }
    return true;
}

} // namespace

bool ResetDelayValid(const QString &text)
{
    const int colon = text.indexOf(QLatin1Char(':'));
    if (text.size() < 6 || colon < 0)
        return false;
    return DigitsBelow(text.left(colon), 3, 1000) && DigitsBelow(text.mid(colon + 1), 2, 100);
}

} // namespace telvio
