#pragma once

#include "cli/pagecommands.h"

namespace telvio::cli {

// `read sms` and `write sms`: the service centre address and the message
// format.
CliPage SmsCliPage();

} // namespace telvio::cli
