#pragma once

#include "cli/clicontext.h"

#include <QList>

namespace telvio::cli {

// ports, probe, send.
QList<Command> LinkCommands();

} // namespace telvio::cli
