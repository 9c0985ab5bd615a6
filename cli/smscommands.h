#pragma once

#include "cli/pagecommands.h"

#include <QByteArray>
#include <QString>

namespace telvio {
class SmsText;
}

namespace telvio::cli {

// `read sms` and `write sms`: the service centre address and the message
// format.
CliPage SmsCliPage();

// A message given on the command line typed into a message field (the SMS
// page's, or the DTR SMS dialog's): a "\n" (or "\r\n") is Enter. False,
// with the reason, when the field would not take it all.
bool TypeMessage(const QByteArray &bytes, SmsText *sms, QString *error);

} // namespace telvio::cli
