#pragma once

#include "cli/pagecommands.h"

namespace telvio::cli {

// `read callback` and `write callback`: secure callback, its delay and the
// three callback numbers with their passwords, on a modem that has the
// Callback page.
CliPage CallbackCliPage();

} // namespace telvio::cli
