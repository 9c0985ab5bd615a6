#pragma once

#include <QString>

namespace telvio {

// The four values of a port settings text such as "9600,N,8,1".
struct PortSettings {
    int baud = 9600;
    char parity = 'N'; // N, E, O, M or S
    int dataBits = 8;  // 5..8
    int stopBits = 1;  // 1 or 2

    // Parses "baud,parity,data,stop"; the parity letter in either case.
    // Returns false (and leaves *out alone) on anything else.
    static bool Parse(const QString &text, PortSettings *out);
    QString ToString() const;
    // "8N1" style, as the command-line tools take it.
    static bool ParseFraming(const QString &text, PortSettings *inOut);
    QString Framing() const;
    bool operator==(const PortSettings &o) const
    {
        return baud == o.baud && parity == o.parity && dataBits == o.dataBits && stopBits == o.stopBits;
    }
};

} // namespace telvio
