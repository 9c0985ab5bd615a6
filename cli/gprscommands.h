#pragma once

#include "cli/pagecommands.h"

namespace telvio::cli {

// `read gprs` and `write gprs`: GPRS access and TCP socket settings in the
// command set the modem speaks.
CliPage GprsCliPage();

// The GPRS page's buttons: gprs attach|context|session|connect|disconnect|
// ping|tcp.
QList<Command> GprsCommands();

} // namespace telvio::cli
