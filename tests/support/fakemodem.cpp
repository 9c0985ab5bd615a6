#include "support/fakemodem.h"

#include "support/memoryport.h"
#include "support/scriptedpump.h"

namespace telvio::test {

FakeModem::FakeModem(MemoryPort *port, ScriptedPump *pump) : m_port(port), m_pump(pump)
{
    m_port->SetResponder([this](const QByteArray &w) { OnWrite(w); });
}

void FakeModem::Answer(const QByteArray &command, const QByteArray &answer, int delayTicks)
{
    m_answers[command] = qMakePair(answer, delayTicks);
}

void FakeModem::OnWrite(const QByteArray &written)
{
    QByteArray line = written;
    if (line.endsWith('\r'))
        line.chop(1);
    const auto it = m_answers.constFind(line);
    QByteArray reply = m_echo ? written : QByteArray();
    int delay = 1;
    if (it != m_answers.constEnd()) {
        reply += it->first;
        delay = it->second;
    }
    if (reply.isEmpty())
        return;
    if (!m_slow) {
        m_pump->FeedAfter(m_port, delay, reply);
        return;
    }
    for (int i = 0; i < reply.size(); ++i)
        m_pump->FeedAfter(m_port, delay + i, reply.mid(i, 1));
}

} // namespace telvio::test
