#include "link/core/answermatch.h"

#include <algorithm>
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
        const qsizetype from = std::max<qsizetype>(m_p, m_searched);
        const qsizetype q = buffer.indexOf(m_pattern.at(m_k), from);
        if (q >= 0) {
            m_p = int(q);
            ++m_k;
            m_advanced = true;
            m_searched = 0;
        } else {
            m_searched = buffer.size();
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
    const qsizetype at = buffer.indexOf(m_text, std::max(m_from, m_fresh));
    if (at < 0) {
        // Starting again from the front would only find the finds already
        // turned down; new text can complete an occurrence no earlier than
        // one text length before the end.
        m_from = 0;
        m_fresh = std::max<qsizetype>(m_fresh, buffer.size() - m_text.size() + 1);
        return false;
    }
    if (at == 0 || buffer.at(at - 1) == '\r' || buffer.at(at - 1) == '\n')
        return true;
    m_from = at + 1;
    m_fresh = std::max(m_fresh, at + 1);
    m_advanced = true;
    return false;
}

bool SubstringSearch::Step(const QByteArray &buffer)
{
    if (m_found)
        return true;
    if (m_text.isEmpty())
        return false;
    if (buffer.indexOf(m_text, m_from) >= 0) {
        m_found = true;
        return true;
    }
    m_from = std::max<qsizetype>(0, buffer.size() - m_text.size() + 1);
    return false;
}

} // namespace telvio

namespace telvio {

namespace {

bool IsDigits(const QByteArray &line)
{
    if (line.isEmpty())
        return false;
    for (const char c : line) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

} // namespace

FinalResultMatch::Kind FinalResultMatch::Classify(const QByteArray &line, bool *numeric)
{
    *numeric = false;
    if (line == "OK" || line.startsWith("CONNECT"))
        return Success;
    if (line == "ERROR" || line == "NO CARRIER" || line == "BUSY" || line == "NO ANSWER" || line == "NO DIALTONE"
        || line.startsWith("+CME ERROR:") || line.startsWith("+CMS ERROR:"))
        return Failure;
    // Numeric codes are short; a longer run of digits is a serial number or
    // a value. 2 is RING, which is unsolicited, not an answer.
    if (line.size() <= 3 && IsDigits(line) && (line.size() == 1 || line.at(0) != '0')) {
        *numeric = true;
        switch (line.toInt()) {
        case 2: return NotYet;
        case 3: case 4: case 6: case 7: case 8: return Failure;
        default: return Success; // 0 OK, 1 and the rest: CONNECT with a rate
        }
    }
    return NotYet;
}

FinalResultMatch::Kind FinalResultMatch::Step(const QByteArray &buffer)
{
    if (m_result != NotYet)
        return m_result;
    m_pending = NotYet;
    const qsizetype size = buffer.size();
    for (qsizetype i = m_scan; i < size; ++i) {
        const char c = buffer.at(i);
        if (c != '\r' && c != '\n')
            continue;
        const QByteArray line = buffer.mid(m_lineStart, i - m_lineStart);
        bool numeric = false;
        const Kind kind = line.isEmpty() ? NotYet : Classify(line, &numeric);
        if (c == '\r' && kind != NotYet && i + 1 == size) {
            // CR as the last byte: wait to see whether a LF follows.
            m_scan = i;
            m_pending = kind;
            m_pendingLine = line;
            return NotYet;
        }
        const bool crAlone = c == '\r' && i + 1 < size && buffer.at(i + 1) != '\n';
        if (kind != NotYet && (!numeric || crAlone)) {
            m_result = kind;
            m_line = line;
            m_scan = size;
            return m_result;
        }
        m_lineStart = i + 1;
    }
    m_scan = size;
    return NotYet;
}

FinalResultMatch::Kind FinalResultMatch::AcceptPending()
{
    if (m_result == NotYet && m_pending != NotYet) {
        m_result = m_pending;
        m_line = m_pendingLine;
    }
    return m_result;
}

} // namespace telvio
