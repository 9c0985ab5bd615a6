#pragma once

#include "pages/core/pageslayer.h"

#include <QByteArray>
#include <QList>

namespace telvio {

// Cutting values out of modem answers. Answers come as the exchange hands
// them back: with or without the echo of the command, with or without
// leading line ends, a blank after a keyword's colon or not, and possibly
// with an unsolicited line ahead of the information text.

// The decimal conversion the pages use: leading white space skipped, an
// optional sign, digits up to the first non-digit; 0 when there are none.
int LeadingNumber(const QByteArray &text);

// Position just after the first `keyword` in `answer`, or -1.
int IndexAfter(const QByteArray &answer, const QByteArray &keyword, int from = 0);

// The text from `pos` to the end of its line (the first CR or LF).
QByteArray LineFrom(const QByteArray &answer, int pos);

// The rest of the line after `keyword`, or an empty text when the answer
// does not hold it; `found` tells the two apart.
QByteArray LineAfterKeyword(const QByteArray &answer, const QByteArray &keyword, bool *found = nullptr);

QByteArray WithoutLeadingBlanks(const QByteArray &text);

// The fields of an information line, split at commas outside double quotes
// and trimmed; quotes are kept.
QList<QByteArray> SplitFields(const QByteArray &line);

// The text with one pair of enclosing double quotes removed.
QByteArray Unquote(const QByteArray &field);

// The content of the `n`th double-quoted field of a line (0 first), or
// nothing when there is none.
bool QuotedField(const QByteArray &line, int n, QByteArray *out);

// The value of an answer that holds one value: the first information line
// that is either "<keyword> value" (blank after the colon or not) or a bare
// decimal value; the echo of the command, empty lines and lines of other
// kinds (unsolicited results) are passed over. `keyword` includes the
// colon. Empty when no line fits.
QByteArray SingleValue(const QByteArray &answer, const QByteArray &command, const QByteArray &keyword);

} // namespace telvio
