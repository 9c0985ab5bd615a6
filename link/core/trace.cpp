#include "link/core/trace.h"

namespace telvio {

QString EscapeControl(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size() + 8);
    for (const char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
        case '\r': out += QLatin1String("<CR>"); break;
        case '\n': out += QLatin1String("<LF>"); break;
        case 0x1A: out += QLatin1String("<SUB>"); break;
        case 0x1B: out += QLatin1String("<ESC>"); break;
        case '\b': out += QLatin1String("<BS>"); break;
        default:
            if (c < 0x20 || c >= 0x7F)
                out += QStringLiteral("<%1>").arg(c, 2, 16, QLatin1Char('0'));
            else
                out += QLatin1Char(ch);
        }
    }
    return out;
}

} // namespace telvio
