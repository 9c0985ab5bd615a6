#pragma once

#include "cli/clicontext.h"

#include <QList>

namespace telvio::cli {

// profile new|show|edit|save|write|diff: profile files from the command
// line, the way a fleet is provisioned.
QList<Command> ProfileCommands();

} // namespace telvio::cli
