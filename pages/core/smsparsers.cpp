#include "pages/core/smsparsers.h"

namespace telvio {

QByteArray ParseCscaAnswer(const QByteArray &answer)
{
    const int keyword = answer.indexOf("CSCA:");
    if (keyword < 0)
        return QByteArray();
    const QByteArray after = answer.mid(keyword);
    const int open = after.indexOf('"');
    if (open < 0)
        return QByteArray();
    const QByteArray quoted = after.mid(open + 1);
    // The closing quote is looked for from the second character on, so an
    // empty address ("") finds none and stays empty.
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
