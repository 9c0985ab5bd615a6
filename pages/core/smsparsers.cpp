#include "pages/core/smsparsers.h"

namespace telvio {

QByteArray ParseCscaAnswer(const QByteArray &answer)
{
    const int keyword = answer.indexOf("CSCA:");
    if (keyword < 0)
        return QByteArray();
    // The address stands on the keyword's line: a closing quote further on
    // belongs to another line and would carry line ends into the field.
    QByteArray after = answer.mid(keyword);
    for (int i = 0; i < after.size(); ++i) {
        if (after.at(i) == '\r' || after.at(i) == '\n') {
            after.truncate(i);
            break;
        }
    }
    const int open = after.indexOf('"');
    if (open < 0)
        return QByteArray();
    const QByteArray quoted = after.mid(open + 1);
    // An empty address ("") is empty, whatever follows on its line.
    if (quoted.startsWith('"'))
        return QByteArray();
    const int close = quoted.indexOf('"', 1);
    return close < 0 ? QByteArray() : quoted.left(close);
}

int ParseCmgfAnswer(const QByteArray &answer)
{
    const int colon = answer.indexOf(':');
    if (colon < 0 || colon + 2 >= answer.size())
        return 1;
    return answer.at(colon + 2) == '0' ? 0 : 1;
}

} // namespace telvio
