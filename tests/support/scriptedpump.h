#pragma once

#include "link/core/eventpump.h"

#include <QByteArray>

#include <functional>
#include <map>
#include <vector>

namespace telvio {
class ModemSession;
}

namespace telvio::test {

class MemoryPort;

// A controllable clock for the session's waits. Every blocking pump runs to
// the next 50 ms tick: the tick counter advances and whatever was scheduled
// for that moment happens (bytes arrive, the plug is pulled...). A
// non-blocking pump only serves what is already due. Sleeps advance the
// clock by their milliseconds, ticking at every 50 ms boundary they cross,
// so bytes scheduled between ticks arrive during a short sleep.
class ScriptedPump : public EventPump {
public:
    ScriptedPump() = default;
    void Attach(ModemSession *session) { m_session = session; }

    void Pump(bool block) override;
    void Sleep(int milliseconds) override;

    // Runs `action` once `ticks` ticks after now.
    void After(int ticks, std::function<void()> action);
    // Arrival of bytes after `ticks` ticks (0: before the next pass).
    void FeedAfter(MemoryPort *port, int ticks, const QByteArray &bytes);
    // Runs `action` `ms` milliseconds after now, between ticks.
    void AfterMs(int ms, std::function<void()> action);
    // Arrival of bytes `ms` milliseconds after now, between ticks.
    void FeedAfterMs(MemoryPort *port, int ms, const QByteArray &bytes);

    long long Now() const { return m_now; }          // ticks since creation
    long long NowMs() const { return m_ms; }
    int BlockingPumps() const { return m_blocking; }
    int Pumps() const { return m_pumps; }
    std::vector<int> Sleeps() const { return m_sleeps; }
    // Tick (Now) at which each Sleep began.
    std::vector<long long> SleepStarts() const { return m_sleepStarts; }
    // A safety net for broken loops: a test fails rather than hangs.
    void SetPumpLimit(int limit) { m_limit = limit; }
    bool LimitHit() const { return m_limitHit; }

private:
    void AdvanceOneTick();
    void RunDue();
    void Schedule(long long atMs, std::function<void()> action);

    ModemSession *m_session = nullptr;
    std::multimap<long long, std::function<void()>> m_events;
    std::vector<int> m_sleeps;
    std::vector<long long> m_sleepStarts;
    long long m_now = 0;
    long long m_ms = 0;
    int m_pumps = 0;
    int m_blocking = 0;
    int m_limit = 200000;
    bool m_limitHit = false;
};

} // namespace telvio::test
