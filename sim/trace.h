#pragma once

#include <QByteArray>

namespace telvio::sim {

// Traffic as readable text: <CR>, <LF>, <BS>, <ESC>, <SUB> (Ctrl-Z) and <xHH>
// for other control characters and bytes above 0x7e.
QByteArray escapeControl(const QByteArray &bytes);

} // namespace telvio::sim
