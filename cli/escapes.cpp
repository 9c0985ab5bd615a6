#include "cli/escapes.h"

namespace telvio::cli {

bool Unescape(const QString &text, QByteArray *out)
{
    const QByteArray in = text.toLatin1();
    QByteArray result;
    for (int i = 0; i < in.size(); ++i) {
        const char c = in.at(i);
        if (c != '\\') {
            result += c;
            continue;
        }
        if (++i >= in.size())
            return false;
        switch (in.at(i)) {
        case 'r': result += '\r'; break;
        case 'n': result += '\n'; break;
        case 't': result += '\t'; break;
        case '\\': result += '\\'; break;
        case '"': result += '"'; break;
        case 'x': {
            const QByteArray hex = in.mid(i + 1, 2);
            bool ok = false;
            const int value = hex.toInt(&ok, 16);
            if (hex.size() != 2 || !ok)
                return false;
            result += char(value);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    *out = result;
    return true;
}

} // namespace telvio::cli
