#pragma once

#include "cli/clicontext.h"

namespace telvio::cli {

// `diag` (the Diagnostic page's Reload) and `diag --report FILE.htm` (its
// report, the pages it holds read first), and `sms send NUMBER TEXT`.
QList<Command> DiagnosticCommands();

} // namespace telvio::cli
