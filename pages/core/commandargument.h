#pragma once

#include "pages/core/pageslayer.h"

#include <QByteArray>

namespace telvio {

// A free text sent as one field of a comma-separated set command
// ("AT*WIOL=...", "AT*WCBTAB1=..."). The modem reads such a line as V.250
// does: blanks outside double quotes are dropped (and a blank before a
// letter ends the command), a comma starts the next field and a semicolon
// the next command. A text holding any of them therefore travels in
// double quotes, which the modem strips; it prints the text back without
// them. A double quote cannot travel inside the quotes, and CR, LF, Ctrl-Z
// or another control character would end or cut the command line, so such
// a text is refused: false, and nothing to send.
bool CommandArgument(const QByteArray &text, QByteArray *argument);

} // namespace telvio
