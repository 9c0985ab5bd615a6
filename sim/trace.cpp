#include "sim/trace.h"

namespace telvio::sim {

QByteArray escapeControl(const QByteArray &bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray text;
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '\r': text += "<CR>"; break;
        case '\n': text += "<LF>"; break;
        case 0x08: text += "<BS>"; break;
        case 0x1b: text += "<ESC>"; break;
        case 0x1a: text += "<SUB>"; break;
        default:
            if (c < 0x20 || c > 0x7e) {
                text += "<x";
                text += hex[c >> 4];
                text += hex[c & 0x0f];
                text += '>';
            } else {
                text += ch;
            }
        }
    }
    return text;
}

} // namespace telvio::sim
