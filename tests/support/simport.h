#pragma once

#include "sim/simmodem.h"

#include <QByteArray>

namespace telvio::test {

class MemoryPort;
class ScriptedPump;

// The simulator's interpreter behind the in-memory port. Unlike a pty, this
// line carries the whole character format: the modem hears a command only
// when the port's rate, data bits, parity and stop bits all match its own,
// so a framing change that the PC fails to follow shows up as silence.
// With a scripted clock answers arrive one tick after the write and pauses
// count in whole ticks; without one (a session on real timers) they are
// waiting at once and pauses are skipped.
class SimPort {
public:
    SimPort(MemoryPort *port, ScriptedPump *pump, const sim::SimConfig &config = sim::SimConfig());

    sim::SimModem &Modem() { return m_modem; }
    // How many writes reached the modem at a line setting it could not read.
    int Garbled() const { return m_garbled; }

private:
    void OnWrite(const QByteArray &written);

    MemoryPort *m_port;
    ScriptedPump *m_pump;
    sim::SimModem m_modem;
    int m_garbled = 0;
};

} // namespace telvio::test
