#pragma once

#include "pages/core/pageslayer.h"

#include <QByteArray>

namespace telvio {

// The service centre address of an "AT+CSCA?" answer: on the line of
// "CSCA:", the text between its first double quote and the next one; empty
// when there is no quoted text there.
QByteArray ParseCscaAnswer(const QByteArray &answer);

// The message format of an "AT+CMGF?" answer as a list position: the
// character two places after the answer's first ':' is "0" for PDU (0);
// anything else is Text (1).
int ParseCmgfAnswer(const QByteArray &answer);

} // namespace telvio
