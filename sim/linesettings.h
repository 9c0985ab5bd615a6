#pragma once

#include <QByteArray>
#include <QVector>

#include <optional>

namespace telvio::sim {

enum class Parity { None, Odd, Even, Mark, Space };

// The character format and rate of one side of a serial line.
struct LineSettings {
    int baud = 9600; // 0: not known yet (an autobauding modem before its first "AT")
    int dataBits = 8;
    Parity parity = Parity::None;
    int stopBits = 1;

    // Start bit, data bits, parity bit and stop bits: the time one byte takes on the wire.
    int bitsPerCharacter() const;
    // "8N1" style text.
    QByteArray framingText() const;

    bool operator==(const LineSettings &other) const;
    bool operator!=(const LineSettings &other) const { return !(*this == other); }
};

// What the simulator sees of the line the application set up.
struct LineObservation {
    LineSettings line;
    // A Linux pseudo-terminal forces 8 data bits and no parity whatever the
    // application asks for, so those two can only be compared on a line that keeps them.
    bool carriesCharFormat = true;
};

// True when bytes sent with the observed settings arrive intact at a modem running `modem`.
bool lineMatches(const LineSettings &modem, const LineObservation &seen);

// "8N1", "7E1", "8N2" ... (data bits 7 or 8, parity N/O/E/M/S, stop bits 1 or 2).
std::optional<LineSettings> parseFraming(const QByteArray &text);

// +ICF codes: format 1..6 as V.250 numbers them, parity 0 odd, 1 even, 2 mark,
// 3 space, and 4 for "no parity", which this modem family reports for the
// formats without a parity bit.
struct IcfCode {
    int format = 3;
    int parity = 4;
};
inline constexpr int icfNoParity = 4;

// Fails for framings +ICF cannot express (a parity bit together with two stop bits).
std::optional<IcfCode> icfFromLine(const LineSettings &line);
// The character format of an +ICF setting; the rate is left at 0.
std::optional<LineSettings> lineFromIcf(const IcfCode &code);

// The DTE rates the modem accepts with +IPR (0 = autobaud excluded).
const QVector<int> &supportedRates();

} // namespace telvio::sim
