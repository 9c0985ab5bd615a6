#pragma once

#include "link/core/pageflags.h"

namespace telvio {

// The identified model; the numbers are the model codes that profile files
// carry.
enum class Model { Unknown = 0, Orca1 = 1, Orca1Us = 2, Pike2 = 3, Pike3 = 4 };

// What the SIM card asked for when the link was made.
enum class SimState { Unknown = 0, Ready = 1, PinRequired = 2, PukRequired = 3 };

// Which of the three firmware command sets serves the GPRS settings.
enum class GprsCommandSet {
    PlainGprs,   // plain 27.007: "AT+CGDCONT", the access point name only
    TcpFirmware, // the maker's TCP firmware: the "AT*W..." commands
    IpStack,     // the IP-stack firmware: the "AT#..." commands
};

// What a connected modem speaks, decided once at connect from the model and
// the firmware flags; pages and front ends read this row instead of testing
// model codes and flags of their own.
struct ModemTraits {
    Model model = Model::Unknown;
    bool makerFirmware = false;    // "ATI9" names the maker's firmware
    bool extendedFirmware = false; // firmware 3.1 or later, or the IP-stack firmware
    GprsCommandSet gprs = GprsCommandSet::PlainGprs;
    // The Pike family's own commands: Auto PIN ("AT*WPIN"), the status LED
    // ("AT*WSTATLED"), the embedded application ("AT+WOPEN"), and a factory
    // restore that also returns the port to 9600 8N1.
    bool pikeCommands = false;
    // The I/O and Callback pages.
    bool ioPages = false;

    static ModemTraits Of(Model model, bool makerFirmware, bool extendedFirmware);
};

inline ModemTraits ModemTraits::Of(Model model, bool makerFirmware, bool extendedFirmware)
{
    ModemTraits t;
    t.model = model;
    t.makerFirmware = makerFirmware;
    t.extendedFirmware = extendedFirmware;
    t.pikeCommands = model == Model::Pike2 || model == Model::Pike3;
    t.ioPages = model == Model::Pike3;
    // The flag decides first, then the family: a Pike with the extended
    // firmware runs the TCP firmware, any other modem with it the IP stack.
    if (!extendedFirmware)
        t.gprs = GprsCommandSet::PlainGprs;
    else if (t.pikeCommands)
        t.gprs = GprsCommandSet::TcpFirmware;
    else
        t.gprs = GprsCommandSet::IpStack;
    return t;
}

} // namespace telvio
