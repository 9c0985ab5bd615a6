#pragma once

#include "sim/commandtable.h"
#include "sim/modemstate.h"

namespace telvio::sim {

// Result code format, echo, S-parameters, profiles (Z, &F, &W, &V) and the
// serial port settings (+IPR, +ICF, +IFC) of V.250, and +CMEE of 27.007.
void addV250Set(ModemState &state, CommandTable &table);
// I, +CGSN/+GSN, +CGMI, +CGMM, +CGMR and the firmware-bound +WOPEN and #VVERSION.
void addIdentitySet(ModemState &state, CommandTable &table);
// +CPIN.
void addSimSet(ModemState &state, CommandTable &table);

// All of the above.
void installStandardSet(ModemState &state, CommandTable &table);

} // namespace telvio::sim
