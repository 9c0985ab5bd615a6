#pragma once

#include "sim/modemstate.h"
#include "sim/simconfig.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace telvio::sim {

// Staging a modem from outside: the values --set NAME=VALUE, a --state file,
// SimConfig::assignments and SimThread::set put in place before or while it serves.
//
// A NAME is, in this order:
// - SIM (ready, pin, puk, absent or none), PIN or PUK (4 to 8 digits), in any letter case;
// - a setting of this modem, in any letter case (S0, E, +CMEE, +IPR, %C,
//   *WSTATLED): the value becomes its active and stored value, checked as its
//   set command checks it ("3,4" for +ICF); no command hook runs;
// - any other name in the settings' namespace (starting with + & % \ * # $, or
//   S and digits) is refused: that setting does not exist on this model;
// - anything else is a state variable, kept as given (CSQ_RSSI, WRST_MODE, CPBR_1).

// "NAME=VALUE": the name ends at the first '='; the value may be empty.
std::optional<SimAssignment> parseAssignment(const QString &text, QString *error);

// A state file's text: one JSON object of NAME: value, each value a string or
// a number (integers are written without a fraction).
bool parseStateJson(const QByteArray &json, QList<SimAssignment> *assignments, QString *error);
// Reads a state file (a regular file of at most 1 MiB) and parses it.
bool loadStateFile(const QString &path, QList<SimAssignment> *assignments, QString *error);

// True for names of the settings' namespace, whether or not the modem has them.
bool isSettingName(const QByteArray &name);

// What a setting's set command takes, written as its =? answer: "(0-2)", "(1-6),(0-4)".
QByteArray acceptedValues(const SettingDef &def);

// Applies one to the state; on refusal leaves it unchanged and says why,
// naming the setting and what it takes.
bool applyAssignment(ModemState &state, const SimAssignment &assignment, QString *error);

} // namespace telvio::sim
