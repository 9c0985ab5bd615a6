#pragma once

#include "pages/core/pageslayer.h"

#include <QByteArray>

namespace telvio {

// The eight queries of the Diagnostic page, in the order the page asks them.
enum class DiagField {
    Revision,           // "ATI3"
    SoftwareRevision,   // "ATI9"
    Imei,               // "AT+CGSN"
    Registration,       // "AT+CREG?"
    GprsRegistration,   // "AT+CGREG?"
    GprsStatus,         // "AT*WIPSTATUS"
    ModemConfiguration, // "AT&V"
    GprsConfiguration,  // "AT*WTCPV"
};
constexpr int kDiagFieldCount = 8;

// The command that fills a field.
QByteArray DiagnosticCommand(DiagField field);

// What a field shows of its command's answer. `errorSeen` when the
// exchange ended on the error text rather than the success text. The
// answers keep their echo, CR and LF: the cuts below work on the raw line.
QByteArray CleanDiagnosticAnswer(DiagField field, const QByteArray &answer, bool errorSeen);

// The line cuts the answers are cleaned with. Each search starts at
// position 1, so a leading LF (or a keyword at the very start) is never
// the one found.
//
// Removes everything up to and including the first LF; unchanged without one.
QByteArray DropFirstLine(const QByteArray &text);
// The characters before the one that precedes the first LF: the line
// without its CR. Empty when there is no LF.
QByteArray BeforeLineEnd(const QByteArray &text);
// The text before the first "OK"; empty when there is none (an answer cut
// short is not passed off as complete).
QByteArray BeforeFirstOk(const QByteArray &text);
// The rest of the line after `keyword`, every blank taken out: "+CREG: 0, 1"
// gives "0,1". Empty when the keyword does not occur.
QByteArray ValueAfterKeyword(const QByteArray &text, const QByteArray &keyword);

} // namespace telvio
