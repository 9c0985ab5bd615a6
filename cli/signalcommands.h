#pragma once

#include "cli/clicontext.h"

namespace telvio::cli {

// signal [--count N] [--interval S] [--csv FILE]: the Signal page's
// measurement cycle, N times, S seconds after each other.
QList<Command> SignalCommands();

} // namespace telvio::cli
