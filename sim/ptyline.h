#pragma once

#include "sim/linesettings.h"

#include <optional>

namespace telvio::sim {

// The line settings of a terminal device as its termios holds them: the rate
// (also a custom one), data bits, parity and stop bits.
std::optional<LineSettings> readLineSettings(int fd);

// Puts a terminal in raw mode (no echo, no line editing, no character
// translation) with the given rate and character format.
bool setRawLine(int fd, const LineSettings &line);

// Bytes received by the terminal that no reader has taken yet.
int pendingInput(int fd);

// Whether the device keeps a character format other than 8N: a Linux
// pseudo-terminal resets data bits and parity on every change.
bool keepsCharFormat(int fd);

} // namespace telvio::sim
