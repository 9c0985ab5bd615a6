#pragma once

#include "pages/core/pageslayer.h"

#include <QByteArray>
#include <QList>

namespace telvio {

// The service centre address of an "AT+CSCA?" answer: on the line of
// "CSCA:", the text between its first double quote and the next one; empty
// when there is no quoted text there.
QByteArray ParseCscaAnswer(const QByteArray &answer);

// The message format of an "AT+CMGF?" answer as a list position: the
// character two places after the answer's first ':' is "0" for PDU (0);
// anything else is Text (1).
int ParseCmgfAnswer(const QByteArray &answer);

// The pieces the Send button gives the text prompt for a message whose line
// breaks are CR LF, each sent with a CR of its own: the lines up to the
// first empty one, then all the rest in one piece. Every CR is taken out,
// so from the second line on a piece starts with the LF of the break
// before it. One piece, the whole text, for a message of one line.
QList<QByteArray> SmsSendPieces(const QByteArray &message);

} // namespace telvio
