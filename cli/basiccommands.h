#pragma once

#include "cli/pagecommands.h"

namespace telvio::cli {

// `read basic` and `write basic`: the Basic page's settings.
CliPage BasicCliPage();

// The Basic page's buttons: basic factory|reset-now|embedded-app,
// pin enter|change|lock, dtr off|dial|sms|test.
QList<Command> BasicCommands();

} // namespace telvio::cli
