#pragma once

#include "pages/core/pageslayer.h"

#include <QByteArray>
#include <QStringList>

namespace telvio {

// The most characters a callback number or password holds (the edits'
// limit); longer values from the modem are cut to it.
constexpr int kCallbackTextLimit = 20;

// "AT*WCB?": the position of the control list item that begins with the
// text after "WCB:" up to the next CR (blanks before it passed over); -1
// when none does or the answer has no "WCB:".
int ParseCallbackControlAnswer(const QByteArray &answer, const QStringList &items);

// "AT*WCBTAB?" and "AT*WCBPWD?": the text after "<keyword><k>:" up to the
// next CR, cut to the limit, for entry k (1 to 3); false when the answer
// does not hold the keyword.
bool ParseCallbackEntry(const QByteArray &answer, const QByteArray &keyword, int k, QByteArray *value);

} // namespace telvio
