#pragma once

#include "cli/pagecommands.h"

namespace telvio::cli {

// `read serial` and `write serial`: the Serial page's V.24/V.25 settings.
CliPage SerialCliPage();

} // namespace telvio::cli
