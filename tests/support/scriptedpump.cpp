#include "support/scriptedpump.h"

#include "link/core/modemsession.h"
#include "support/memoryport.h"

#include <algorithm>

namespace telvio::test {

void ScriptedPump::Schedule(long long atMs, std::function<void()> action)
{
    m_events.emplace(atMs, std::move(action));
}

void ScriptedPump::After(int ticks, std::function<void()> action)
{
    // Counted from the current tick, as the session's waits count.
    Schedule((m_now + ticks) * 50, std::move(action));
}

void ScriptedPump::AfterMs(int ms, std::function<void()> action)
{
    Schedule(m_ms + ms, std::move(action));
}

void ScriptedPump::FeedAfterMs(MemoryPort *port, int ms, const QByteArray &bytes)
{
    Schedule(m_ms + ms, [port, bytes] { port->Feed(bytes); });
}

void ScriptedPump::FeedAfter(MemoryPort *port, int ticks, const QByteArray &bytes)
{
    After(ticks, [port, bytes] { port->Feed(bytes); });
}

void ScriptedPump::RunDue()
{
    while (!m_events.empty() && m_events.begin()->first <= m_ms) {
        auto action = std::move(m_events.begin()->second);
        m_events.erase(m_events.begin());
        action();
    }
}

void ScriptedPump::AdvanceOneTick()
{
    ++m_now;
    m_ms = m_now * 50;
    if (m_session)
        m_session->Tick();
    RunDue();
}

void ScriptedPump::Pump(bool block)
{
    ++m_pumps;
    if (m_pumps > m_limit) {
        // Force the session's waits to end by pushing the clock on.
        m_limitHit = true;
        AdvanceOneTick();
        return;
    }
    if (block) {
        ++m_blocking;
        AdvanceOneTick();
    } else {
        RunDue();
    }
}

void ScriptedPump::Sleep(int milliseconds)
{
    m_sleeps.push_back(milliseconds);
    m_sleepStarts.push_back(m_now);
    // The session's own counter is driven by the ticks that pass.
    const long long end = m_ms + std::max(0, milliseconds);
    while ((m_now + 1) * 50 <= end)
        AdvanceOneTick();
    m_ms = end;
    RunDue();
}

} // namespace telvio::test
