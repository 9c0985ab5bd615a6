#pragma once

#include "cli/clicontext.h"

#include <QList>

namespace telvio::cli {

// doctor [--port P]: why a port (or each port there is) cannot be opened,
// and what to do.
QList<Command> DoctorCommands();

} // namespace telvio::cli
