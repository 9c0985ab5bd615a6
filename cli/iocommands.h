#pragma once

#include "cli/pagecommands.h"

namespace telvio::cli {

// `read io` and `write io`: the trigger parameters, remote I/O access and
// the ten I/O entries, on a modem that has the I/O page.
CliPage IoCliPage();

} // namespace telvio::cli
