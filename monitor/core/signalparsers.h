#pragma once

#include "pages/core/pageslayer.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace telvio {

// The text operations of the Signal page's cycle. They walk the answers of
// "at+cced=0,1", "at+csq", "at+cced=0,2" and "at+wopn=0,..." exactly as the
// page always has, quirks included, so that a modem that answers in an odd
// shape shows the same odd values here as anywhere else.

// The payload of `keyword` in an answer: from one character past the
// keyword (its separator, a blank on every Kestrava modem) up to the next
// CR. Empty when the keyword is missing or no CR follows.
QByteArray AnswerPayload(const QByteArray &answer, const QByteArray &keyword);

// The text before the first comma; empty when there is none.
QByteArray TakeField(const QByteArray &text);
// Everything after the first comma. Without a comma the text stays as it
// is, so dropping past the last field keeps handing back the last field.
QByteArray DropField(const QByteArray &text);
QByteArray DropFields(QByteArray text, int count);

// As C's atoi: blanks skipped, an optional sign, decimal digits up to the
// first other character; 0 without digits. Clamped to int.
int IntegerValue(const QByteArray &text);

// The main cell's text: the "+CCED:" payload of the "at+cced=0,1" answer, a
// comma and the "+CSQ:" payload of the "at+csq" answer ("0,99" when the
// modem sent none). With the usual 13 fields of the cell, fields 14 and 15
// are the signal pair.
QByteArray MainCellText(const QByteArray &ccedAnswer, const QByteArray &csqAnswer);

// The six neighbour texts of an "at+cced=0,2" answer, seven fields each,
// cut from one line of comma-separated fields. The first neighbour that
// cannot be completed empties itself and all after it.
std::array<QByteArray, 6> SplitNeighbours(const QByteArray &answer);

// The "at+wopn=0,<mcc><mnc>" query for a cell text; the text loses its
// first two fields (the country and network codes) on the way.
QByteArray OperatorQuery(QByteArray *cellText);
// The name in a "+WOPN: 0,\"NAME\"" answer: from ten characters past the
// keyword up to the next double quote; empty without keyword or quote.
QByteArray OperatorName(const QByteArray &answer);

// What the field walk takes from a cell text that now starts at its third
// field (the location area code).
struct CellFields {
    QByteArray cellId; // field 4, as received
    int rxlev = 0;     // field 7
    int berCode = 99;  // main cell only: field 15
};
CellFields WalkMainCell(const QByteArray &text);
CellFields WalkNeighbour(const QByteArray &text);

// "3  (0.8%<BER<1.6%)"; any code outside 0..7 is "99 (BER Unknown)".
QString BerText(int code);

enum class SignalColour { Red, Amber, Green };
// Below the red threshold red, above the green one green, amber between:
// a level equal to a threshold is amber.
SignalColour ColourOf(int rxlev, int redThreshold, int greenThreshold);
// 0xRRGGBB of a bar colour.
quint32 ColourRgb(SignalColour colour);
// "red", "amber", "green".
QString ColourName(SignalColour colour);

} // namespace telvio
