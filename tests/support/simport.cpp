#include "support/simport.h"

#include "link/core/portsettings.h"
#include "support/memoryport.h"
#include "support/scriptedpump.h"

namespace telvio::test {

namespace {

sim::Parity ParityOf(char letter)
{
    switch (letter) {
    case 'O': return sim::Parity::Odd;
    case 'E': return sim::Parity::Even;
    case 'M': return sim::Parity::Mark;
    case 'S': return sim::Parity::Space;
    default: return sim::Parity::None;
    }
}

} // namespace

SimPort::SimPort(MemoryPort *port, ScriptedPump *pump, const sim::SimConfig &config)
    : m_port(port), m_pump(pump), m_modem(config)
{
    m_port->SetResponder([this](const QByteArray &w) { OnWrite(w); });
}

void SimPort::OnWrite(const QByteArray &written)
{
    PortSettings pc;
    PortSettings::Parse(m_port->Settings(), &pc);
    sim::LineObservation seen;
    seen.line.baud = pc.baud;
    seen.line.dataBits = pc.dataBits;
    seen.line.parity = ParityOf(char(QChar::fromLatin1(pc.parity).toUpper().toLatin1()));
    seen.line.stopBits = pc.stopBits;
    seen.carriesCharFormat = true;
    if (!sim::lineMatches(m_modem.line(), seen))
        ++m_garbled;
    const sim::Output out = m_modem.receive(written, seen);
    if (!m_pump) {
        for (const sim::OutputItem &item : out) {
            if (item.kind == sim::OutputItem::Kind::Bytes)
                m_port->Feed(item.bytes);
            else if (item.kind == sim::OutputItem::Kind::HangUp)
                m_port->Unplug();
        }
        return;
    }
    int at = 1;
    for (const sim::OutputItem &item : out) {
        switch (item.kind) {
        case sim::OutputItem::Kind::Bytes: m_pump->FeedAfter(m_port, at, item.bytes); break;
        case sim::OutputItem::Kind::Pause: at += qMax(1, item.pauseMs / 50); break;
        case sim::OutputItem::Kind::HangUp: m_pump->After(at, [port = m_port] { port->Unplug(); }); break;
        case sim::OutputItem::Kind::LineChange: break;
        }
    }
}

} // namespace telvio::test
