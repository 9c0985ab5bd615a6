#pragma once

#include "shell/ui/uilayer.h"

#include <QFont>

namespace telvio {

// The terminal's font: "Courier New" at the size of `base`, or the system's
// fixed-pitch font at that size where Courier New is not installed.
QFont TerminalFont(const QFont &base);
// The status bar's font: "Arial", 14 pixels, normal weight, or the system's
// default font where Arial is not installed.
QFont StatusBarFont();
bool HasFontFamily(const QString &family);

} // namespace telvio
