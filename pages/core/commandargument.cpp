#include "pages/core/commandargument.h"

namespace telvio {

bool CommandArgument(const QByteArray &text, QByteArray *argument)
{
    bool quote = false;
    for (const char c : text) {
        const uchar u = uchar(c);
        if (c == '"' || u < 0x20 || u == 0x7F)
            return false;
        if (c == ' ' || c == ',' || c == ';')
            quote = true;
    }
    *argument = quote ? '"' + text + '"' : text;
    return true;
}

} // namespace telvio
