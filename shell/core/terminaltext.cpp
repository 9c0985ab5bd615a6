#include "shell/core/terminaltext.h"

#include <algorithm>

namespace telvio {

namespace {

// View length of a piece of shown text that does not split a CR LF pair.
int ViewLength(const char *data, qsizetype length)
{
    return int(length - std::count(data, data + length, '\r'));
}

} // namespace

void TerminalText::Append(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    m_received += bytes.size();
    m_viewStale = true;

    const char *in = bytes.constData();
    qsizetype inLength = bytes.size();
    const qsizetype total = m_text.size() + inLength;
    if (total > kWindow) {
        const qsizetype cut = total - kWindow;
        if (cut >= m_text.size()) {
            in += cut - m_text.size();
            inLength -= cut - m_text.size();
            m_text.clear();
            m_viewReset = true;
        } else {
            // A cut between CR and LF leaves a leading line feed, which the
            // line-feed rule removes anyway; taking it now keeps the text whole.
            DropFront(m_text[cut] == '\n' ? cut + 1 : cut);
        }
    }

    // Backspaces can reach back into the shown text; everything from `low`
    // on is raw and gets the line-end rules below.
    qsizetype low = m_text.size();
    for (qsizetype i = 0; i < inLength; ++i) {
        const char c = in[i];
        if (c == '\b') {
            if (!m_text.isEmpty()) {
                m_text.chop(1);
                low = std::min(low, m_text.size());
            }
        } else {
            m_text.append(c);
        }
    }
    // A backspace that took the LF of a pair leaves its CR, which gets a
    // fresh LF: start there so the pair is rebuilt.
    if (low > 0 && m_text[low - 1] == '\r')
        --low;

    QByteArray tail;
    tail.reserve((m_text.size() - low) * 2);
    for (qsizetype i = low; i < m_text.size(); ++i) {
        const char c = m_text[i];
        if (c == '\n')
            continue;
        tail.append(c);
        if (c == '\r')
            tail.append('\n');
    }
    m_text.truncate(low);
    m_text.append(tail);
    m_viewKeep = std::min(m_viewKeep, low);
}

void TerminalText::DropFront(qsizetype count)
{
    if (!m_viewReset) {
        if (count <= m_viewKeep) {
            m_viewFront += ViewLength(m_text.constData(), count);
            m_viewKeep -= count;
        } else {
            m_viewReset = true;
        }
    }
    m_text.remove(0, count);
}

void TerminalText::Clear()
{
    m_text.clear();
    m_viewStale = true;
    m_viewReset = true;
    m_viewFront = 0;
    m_viewKeep = 0;
}

bool TerminalText::HasChange() const
{
    return m_viewStale;
}

TerminalText::Change TerminalText::TakeChange()
{
    Change change;
    if (m_viewReset) {
        change.replaceAll = true;
        change.append = QString::fromLatin1(m_text);
    } else {
        change.dropFront = m_viewFront;
        change.keep = ViewLength(m_text.constData(), m_viewKeep);
        change.append = QString::fromLatin1(m_text.constData() + m_viewKeep, m_text.size() - m_viewKeep);
    }
    m_viewStale = false;
    m_viewReset = false;
    m_viewFront = 0;
    m_viewKeep = m_text.size();
    return change;
}

} // namespace telvio
