#pragma once

#include "cli/clicontext.h"

#include <QList>

namespace telvio::cli {

// provision FILE.dat --ports P1 P2 ...: one profile written into many
// modems at once, each port on a link and session of its own.
QList<Command> ProvisionCommands();

} // namespace telvio::cli
