#include "support/scriptedpump.h"

#include "link/core/modemsession.h"
#include "support/memoryport.h"

namespace telvio::test {

void ScriptedPump::After(int ticks, std::function<void()> action)
{
    m_events.emplace(m_now + ticks, std::move(action));
}

void ScriptedPump::FeedAfter(MemoryPort *port, int ticks, const QByteArray &bytes)
{
    After(ticks, [port, bytes] { port->Feed(bytes); });
}

void ScriptedPump::RunDue()
{
    while (!m_events.empty() && m_events.begin()->first <= m_now) {
        auto action = std::move(m_events.begin()->second);
        m_events.erase(m_events.begin());
        action();
    }
}

void ScriptedPump::AdvanceOneTick()
{
    ++m_now;
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
    // Whole ticks pass; the session's own counter is driven by them.
    for (int t = 0; t < milliseconds / 50; ++t)
        AdvanceOneTick();
}

} // namespace telvio::test
