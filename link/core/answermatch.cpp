#include "link/core/answermatch.h"

#include <utility>

namespace telvio {

PatternMatch::PatternMatch(QByteArray pattern, int tail)
    : m_pattern(std::move(pattern)), m_tail(tail)
{
}

bool PatternMatch::Step(const QByteArray &buffer)
{
    m_advanced = false;
    if (m_matched)
        return true;
    if (m_pattern.isEmpty())
        return false;
    if (m_k < m_pattern.size()) {
        const int q = buffer.indexOf(m_pattern.at(m_k), m_p);
        if (q >= 0) {
            m_p = q;
            ++m_k;
            m_advanced = true;
        }
    }
    if (m_k == m_pattern.size() && m_p + m_tail <= buffer.size()) {
        m_matched = true;
        m_advanced = true;
    }
    return m_matched;
}

LineStartSearch::LineStartSearch(QByteArray text) : m_text(std::move(text)) {}

bool LineStartSearch::Step(const QByteArray &buffer)
{
    m_advanced = false;
    if (m_text.isEmpty())
        return false;
    const int at = buffer.indexOf(m_text, m_from);
    if (at < 0) {
        m_from = 0;
        return false;
    }
    if (at == 0 || buffer.at(at - 1) == '\r' || buffer.at(at - 1) == '\n')
        return true;
    m_from = at + 1;
    m_advanced = true;
    return false;
}

} // namespace telvio
