#pragma once

#include <QString>

class QSettings;

namespace telvio {

// The user options, stored as 32-bit integers under "Settings".
struct Options {
    int tooltip = 1;
    int debug = 0;
    int terminal = 1;
    int autoDisconnect = 0;
    int searchPorts = 1;
    int numberOfPorts = 15;   // index into "1".."16": ports 1..numberOfPorts+1
    int userAutoConnect = 0;
    int dtrEnable = 1;
    int rtsEnable = 1;
    int flowControl = 0;      // CommControl::Handshake
    int autoLoad = 1;
    int delayBeforeAT = 0;    // milliseconds, 0..1000

    // Brings every value into its range: a hand-edited store must not be
    // able to break the program.
    void Clamp();
    bool operator==(const Options &o) const;

    // Reads all twelve values (missing ones keep their defaults) and clamps.
    static Options Load(QSettings &store);
    void Save(QSettings &store) const;
};

} // namespace telvio
