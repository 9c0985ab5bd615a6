#pragma once

#include "sim/commandtable.h"
#include "sim/modemstate.h"

#include <functional>

namespace telvio::sim {

// Result code format, echo, S-parameters, profiles (Z, &F, &W, &V) and the
// serial port settings (+IPR, +ICF, +IFC) of V.250, and +CMEE of 27.007.
void addV250Set(ModemState &state, CommandTable &table);
// I, +CGSN/+GSN, +CGMI, +CGMM, +CGMR and the firmware-bound +WOPEN and #VVERSION.
void addIdentitySet(ModemState &state, CommandTable &table);
// +CPIN.
void addSimSet(ModemState &state, CommandTable &table);

// %C, \N, +CBST, %D, +WRST, +CFUN, +WSTR, and *WPIN and *WSTATLED on the
// Pike modems.
void addBasicSet(ModemState &state, CommandTable &table);
// +CLCK and +CPWD on the SIM's PIN.
void addSimLockSet(ModemState &state, CommandTable &table);
// The SIM phonebook: +CPBS, +CPBR, +CPBW.
void addPhonebookSet(ModemState &state, CommandTable &table);
// The message store in text mode: +CMGF, +CMGR, +CMGW, +CMGD.
void addMessageSet(ModemState &state, CommandTable &table);

// The network: +CSQ from the variables CSQ_RSSI and CSQ_BER, and the GPRS
// attach +CGATT (needs the SIM ready and GPRS_COVERAGE not "0").
void addNetworkSet(ModemState &state, CommandTable &table);

// The text prompt of +CMGW and +CMGS: each character until Ctrl-Z (then
// `onCtrlZ` with the text) or Esc (give up). A CR is part of the text and
// brings the next prompt; backspace takes back a character.
ModemState::TextEntry messageTextEntry(std::function<QByteArray(ModemState &, const QByteArray &)> onCtrlZ);
// Sending a text message: +CMGS with its text prompt.
void addSmsSendSet(ModemState &state, CommandTable &table);
// What the Diagnostic page asks beyond identity: +CREG, +CGREG, and the
// TCP firmware's *WIPSTATUS and *WTCPV (addTcpStatusCommands).
void addDiagnosticSet(ModemState &state, CommandTable &table);
void addTcpStatusCommands(ModemState &state, CommandTable &table);
// The Pike-3's digital I/O (*WIOP, *WIOE, *WIOL) and secure callback
// (*WCB, *WCBTIME, *WCBTAB, *WCBPWD).
void addIoSet(ModemState &state, CommandTable &table);
void addCallbackSet(ModemState &state, CommandTable &table);
// The cell measurements of the Signal page: +CCED (serving cell and
// neighbours from the variables CELL_0..CELL_6), +WOPN (names from
// OPERATOR_<mcc><mnc>), and a drift of the levels (SIGNAL_DRIFT=1, one step
// per serving-cell dump) that +CSQ follows.
void addSignalSet(ModemState &state, CommandTable &table);
// GPRS access and the TCP socket by firmware: the *W commands of the maker's
// TCP firmware, the # commands of the IP stack, and +CGDCONT on all of them.
void addGprsSet(ModemState &state, CommandTable &table);

// All of the above.
void installStandardSet(ModemState &state, CommandTable &table);

} // namespace telvio::sim
