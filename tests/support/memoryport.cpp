#include "support/memoryport.h"

#include "link/core/portsettings.h"

namespace telvio::test {

bool MemoryPort::SetSettings(const QString &settings)
{
    PortSettings parsed;
    if (!PortSettings::Parse(settings, &parsed))
        return false;
    m_settings = settings;
    return true;
}

bool MemoryPort::SetPortOpen(bool open)
{
    if (open && m_refuseOpen)
        return false;
    m_open = open;
    return true;
}

void MemoryPort::SetRThreshold(int threshold)
{
    m_rThreshold = threshold;
    m_thresholds.append(threshold);
}

void MemoryPort::SetOutput(const QByteArray &data)
{
    m_writes.append(data);
    if (m_responder)
        m_responder(data);
}

QByteArray MemoryPort::Input()
{
    QByteArray out;
    out.swap(m_input);
    return out;
}

QByteArray MemoryPort::Written() const
{
    QByteArray all;
    for (const QByteArray &w : m_writes)
        all += w;
    return all;
}

void MemoryPort::Feed(const QByteArray &bytes)
{
    m_input += bytes;
    if (m_rThreshold > 0 && !m_input.isEmpty()) {
        m_event = EvReceive;
        ++m_receiveEvents;
        emit OnComm();
    }
}

void MemoryPort::RaiseCts()
{
    m_event = EvCts;
    emit OnComm();
}

void MemoryPort::Unplug()
{
    if (!m_open)
        return;
    m_open = false;
    emit LinkLost(QStringLiteral("unplugged"));
}

} // namespace telvio::test
