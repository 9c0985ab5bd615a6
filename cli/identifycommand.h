#pragma once

#include "cli/clicontext.h"

#include <QList>

namespace telvio::cli {

// identify [--search]
QList<Command> IdentifyCommands();

// The tab captions of the pages a connect added, in tab order.
QStringList PageCaptions(const ModemSession &session);

} // namespace telvio::cli
