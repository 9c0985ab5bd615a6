#pragma once

#include "link/core/linklayer.h"

#include "link/core/modemtraits.h"

#include <QByteArray>
#include <QString>

namespace telvio {

// One row of the model table: the first row whose prefix occurs anywhere in
// the IMEI names the model.
struct ModelRow {
    Model code;
    const char *prefix; // nullptr on the closing row
    const char *name;
};


// The table in search order, closed by the row for "nothing matched".
const ModelRow *ModelTable(int *rows);
const ModelRow &FindModel(const QByteArray &imei);

// The IMEI in an "AT+CGSN" answer: from the first decimal digit, at most 15
// characters, never past the end of that line. Echo, blanks, quotes and a
// "+CGSN:" keyword before it are passed over.
QByteArray ImeiFromAnswer(const QByteArray &answer);

// The information lines of an answer: the echo of `command` (which a modem
// ends with a lone CR) and empty lines dropped, the final result code too.
QList<QByteArray> InformationLines(const QByteArray &answer, const QByteArray &command);

// The line of an "ATI9" answer that names the firmware: its first
// information line, whatever the result-code format and echo.
QByteArray FirmwareIdLine(const QByteArray &answer);

// The version that follows " v" in an "AT+WOPEN=2" answer, up to the next
// double quote, read as a decimal number (0 when there is none).
double WopenVersion(const QByteArray &answer);

// SIM state from an "AT+CPIN?" answer: 1 READY, 2 SIM PIN, 3 SIM PUK, 0 else.
int SimStatusFromAnswer(const QByteArray &answer);

// Parity letter from an "AT+ICF?" answer ("+ICF: f,p"): for the formats
// with a parity bit (2 and 5) the code p gives 0 O, 1 E, 2 M, 3 S, anything
// else (4 is "none") N; the other formats have no parity: N.
QChar ParityFromIcf(const QByteArray &answer);

} // namespace telvio
