#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace telvio {

// Control characters made visible for logs: "AT\r\r\nOK\r\n" becomes
// "AT<CR><CR><LF>OK<CR><LF>". Other non-printing bytes show as <xx> in hex.
QString EscapeControl(const QByteArray &bytes);

// Where the bytes that cross the port boundary are reported, if anywhere.
enum class TraceDirection { Sent, Received };
using TraceSink = std::function<void(TraceDirection, const QByteArray &)>;

} // namespace telvio
