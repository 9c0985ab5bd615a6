#pragma once

#include <QByteArray>
#include <QMap>

namespace telvio::test {

class MemoryPort;
class ScriptedPump;

// A scripted answerer for the in-memory port: each command line written
// (without its CR) gets the answer set for it, after a delay in ticks,
// optionally preceded by the echo of the line. Unknown lines get nothing.
class FakeModem {
public:
    FakeModem(MemoryPort *port, ScriptedPump *pump);

    void Answer(const QByteArray &command, const QByteArray &answer, int delayTicks = 1);
    void SetEcho(bool on) { m_echo = on; }
    // Splits every answer so that one byte arrives per tick.
    void SetByteAtATime(bool on) { m_slow = on; }

private:
    void OnWrite(const QByteArray &written);

    MemoryPort *m_port;
    ScriptedPump *m_pump;
    QMap<QByteArray, QPair<QByteArray, int>> m_answers;
    bool m_echo = false;
    bool m_slow = false;
};

} // namespace telvio::test
