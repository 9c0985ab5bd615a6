#include "shell/core/terminalhistory.h"

#include <algorithm>

namespace telvio {

void TerminalHistory::Store(const QString &line)
{
    m_slots[size_t(m_count)] = line;
    ++m_count;
    if (m_count > kLast) {
        std::move(m_slots.begin() + 1, m_slots.end(), m_slots.begin());
        // std::move leaves the last slot in a moved-from state; it is meant
        // to keep the newest line.
        m_slots[kLast] = m_slots[kLast - 1];
        m_count = kLast;
    }
    m_pos = m_count;
}

void TerminalHistory::Up()
{
    if (m_pos > 0)
        --m_pos;
}

void TerminalHistory::Down()
{
    if (m_pos < m_count)
        ++m_pos;
}

bool TerminalHistory::SpinClick(int before)
{
    if (before > m_count || before < 0)
        return false;
    m_pos = before;
    return true;
}

} // namespace telvio
