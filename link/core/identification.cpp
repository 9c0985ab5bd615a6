#include "link/core/identification.h"

#include <QList>

namespace telvio {

namespace {

// The nine complete IMEIs of the maker's test units, identified as Pike-2.
const ModelRow kTable[] = {
    {Model::Pike2, "35107900999", "Pike-2"},
    {Model::Orca1, "35107943", "Orca-1"},
    {Model::Orca1, "35107900", "Orca-1"},
    {Model::Orca1Us, "01042400", "Orca-1 US"},
    {Model::Pike2, "35783200", "Pike-2"},
    {Model::Pike3, "35783100", "Pike-3"},
    {Model::Pike2, "490154203237518", "Pike-2 (TEST)"},
    {Model::Pike2, "490154203237526", "Pike-2 (TEST)"},
    {Model::Pike2, "490154203237534", "Pike-2 (TEST)"},
    {Model::Pike2, "490154203237542", "Pike-2 (TEST)"},
    {Model::Pike2, "490154203237559", "Pike-2 (TEST)"},
    {Model::Pike2, "490154203237567", "Pike-2 (TEST)"},
    {Model::Pike2, "490154203237575", "Pike-2 (TEST)"},
    {Model::Pike2, "490154203237583", "Pike-2 (TEST)"},
    {Model::Pike2, "490154203237591", "Pike-2 (TEST)"},
    {Model::Unknown, nullptr, "-"},
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

const ModelRow *ModelTable(int *rows)
{
    if (rows)
        *rows = int(sizeof kTable / sizeof kTable[0]);
    return kTable;
}

const ModelRow &FindModel(const QByteArray &imei)
{
    for (const ModelRow &row : kTable) {
        if (!row.prefix || imei.contains(row.prefix))
            return row;
    }
    return kTable[sizeof kTable / sizeof kTable[0] - 1];
}

QByteArray ImeiFromAnswer(const QByteArray &answer)
{
    int start = 0;
    while (start < answer.size() && !IsDigit(answer.at(start)))
        ++start;
    int end = start;
    while (end < answer.size() && end - start < 15 && answer.at(end) != '\r' && answer.at(end) != '\n')
        ++end;
    return answer.mid(start, end - start);
}

QList<QByteArray> InformationLines(const QByteArray &answer, const QByteArray &command)
{
    QByteArray rest = answer;
    // With echo on, the command comes back first, ended by its own CR.
    if (!command.isEmpty() && rest.startsWith(command)) {
        rest.remove(0, command.size());
        if (rest.startsWith('\r'))
            rest.remove(0, 1);
    }
    QList<QByteArray> lines;
    QByteArray current;
    for (const char c : rest) {
        if (c == '\r' || c == '\n') {
            if (!current.isEmpty())
                lines.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    // The final result code, verbose or numeric, is not information.
    static const QList<QByteArray> finals = {"OK", "ERROR", "0", "4"};
    if (!lines.isEmpty() && finals.contains(lines.last()))
        lines.removeLast();
    return lines;
}

QByteArray FirmwareIdLine(const QByteArray &answer)
{
    const QList<QByteArray> lines = InformationLines(answer, QByteArrayLiteral("ATI9"));
    return lines.isEmpty() ? QByteArray() : lines.first();
}

double WopenVersion(const QByteArray &answer)
{
    const int at = answer.indexOf(" v");
    if (at < 0)
        return 0;
    int end = answer.indexOf('"', at + 2);
    if (end < 0)
        end = answer.size();
    const QByteArray text = answer.mid(at + 2, end - at - 2).trimmed();
    // Read the leading number only ("3.10b" is 3.10).
    int n = 0;
    bool dot = false;
    while (n < text.size() && (IsDigit(text.at(n)) || (text.at(n) == '.' && !dot))) {
        dot = dot || text.at(n) == '.';
        ++n;
    }
    bool ok = false;
    const double v = text.left(n).toDouble(&ok);
    return ok ? v : 0;
}

int SimStatusFromAnswer(const QByteArray &answer)
{
    if (answer.contains("READY"))
        return 1;
    if (answer.contains("SIM PIN"))
        return 2;
    if (answer.contains("SIM PUK"))
        return 3;
    return 0;
}

QChar ParityFromIcf(const QByteArray &answer)
{
    // "+ICF: f,p". Modems differ on the blank after the colon, so the values
    // are looked for rather than counted; and some report a parity code for
    // a format that has no parity bit ("3,3" for 8N1), so the format decides.
    const int at = answer.indexOf("+ICF:");
    if (at < 0)
        return QLatin1Char('N');
    int pos = at + 5;
    while (pos < answer.size() && answer.at(pos) == ' ')
        ++pos;
    if (pos >= answer.size())
        return QLatin1Char('N');
    const char format = answer.at(pos);
    if (format == '1' || format == '3' || format == '4' || format == '6')
        return QLatin1Char('N');
    while (pos < answer.size() && answer.at(pos) != ',' && answer.at(pos) != '\r' && answer.at(pos) != '\n')
        ++pos;
    if (pos >= answer.size() || answer.at(pos) != ',')
        return QLatin1Char('N');
    ++pos;
    while (pos < answer.size() && answer.at(pos) == ' ')
        ++pos;
    if (pos >= answer.size())
        return QLatin1Char('N');
    switch (answer.at(pos)) {
    case '0': return QLatin1Char('O');
    case '1': return QLatin1Char('E');
    case '2': return QLatin1Char('M');
    case '3': return QLatin1Char('S');
    default: return QLatin1Char('N');
    }
}

} // namespace telvio
