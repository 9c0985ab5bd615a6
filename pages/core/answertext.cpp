#include "pages/core/answertext.h"

#include "link/core/identification.h"

#include <climits>

namespace telvio {

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool AllDigits(const QByteArray &text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (!IsDigit(c))
            return false;
    }
    return true;
}

} // namespace

int LeadingNumber(const QByteArray &text)
{
    int i = 0;
    while (i < text.size() && IsSpace(text.at(i)))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == '+' || text.at(i) == '-')) {
        negative = text.at(i) == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && IsDigit(text.at(i)); ++i) {
        value = value * 10 + (text.at(i) - '0');
        // A runaway digit string must not wrap round into a plausible value.
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return int(negative ? -value : value);
}

int IndexAfter(const QByteArray &answer, const QByteArray &keyword, int from)
{
    const int at = answer.indexOf(keyword, from);
    return at < 0 ? -1 : at + int(keyword.size());
}

QByteArray LineFrom(const QByteArray &answer, int pos)
{
    if (pos < 0 || pos > answer.size())
        return {};
    int end = pos;
    while (end < answer.size() && answer.at(end) != '\r' && answer.at(end) != '\n')
        ++end;
    return answer.mid(pos, end - pos);
}

QByteArray LineAfterKeyword(const QByteArray &answer, const QByteArray &keyword, bool *found)
{
    const int at = IndexAfter(answer, keyword);
    if (found)
        *found = at >= 0;
    return at < 0 ? QByteArray() : LineFrom(answer, at);
}

QByteArray WithoutLeadingBlanks(const QByteArray &text)
{
    int i = 0;
    while (i < text.size() && (text.at(i) == ' ' || text.at(i) == '\t'))
        ++i;
    return text.mid(i);
}

QList<QByteArray> SplitFields(const QByteArray &line)
{
    QList<QByteArray> fields;
    QByteArray current;
    bool quoted = false;
    for (const char c : line) {
        if (c == '"')
            quoted = !quoted;
        if (c == ',' && !quoted) {
            fields.append(current.trimmed());
            current.clear();
        } else {
            current += c;
        }
    }
    fields.append(current.trimmed());
    return fields;
}

QByteArray Unquote(const QByteArray &field)
{
    if (field.size() >= 2 && field.startsWith('"') && field.endsWith('"'))
        return field.mid(1, field.size() - 2);
    if (field.startsWith('"'))
        return field.mid(1);
    return field;
}

bool QuotedField(const QByteArray &line, int n, QByteArray *out)
{
    int pos = 0;
    for (int k = 0;; ++k) {
        const int open = line.indexOf('"', pos);
        if (open < 0)
            return false;
        const int close = line.indexOf('"', open + 1);
        if (close < 0)
            return false;
        if (k == n) {
            *out = line.mid(open + 1, close - open - 1);
            return true;
        }
        pos = close + 1;
    }
}

QByteArray SingleValue(const QByteArray &answer, const QByteArray &command, const QByteArray &keyword)
{
    for (const QByteArray &line : InformationLines(answer, command)) {
        const QByteArray trimmed = line.trimmed();
        if (!keyword.isEmpty() && trimmed.startsWith(keyword))
            return trimmed.mid(keyword.size()).trimmed();
        if (AllDigits(trimmed))
            return trimmed;
    }
    return {};
}

} // namespace telvio
