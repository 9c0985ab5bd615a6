#include "link/core/modemsession.h"

#include "link/core/answermatch.h"
#include "link/core/commcontrol.h"
#include "link/core/eventpump.h"
#include "link/core/pagetable.h"
#include "link/core/portlist.h"
#include "link/core/sessionhost.h"

#include <algorithm>


namespace telvio {

const QByteArray ModemSession::kDisconnectedText = QByteArrayLiteral("Modem disconnected during process!");

namespace {
ModemSession *g_instance = nullptr;
} // namespace

ModemSession::ModemSession(CommControl *comm, SessionHost *host, EventPump *pump, QObject *parent)
    : QObject(parent), m_comm(comm), m_host(host), m_pump(pump)
{
    if (!m_host) {
        m_nullHost = std::make_unique<SessionHost>();
        m_host = m_nullHost.get();
    }
    if (!m_pump) {
        m_ownPump = std::make_unique<QtEventPump>();
        m_pump = m_ownPump.get();
    }
    connect(m_comm, &CommControl::LinkLost, this, &ModemSession::OnLinkLost);
    connect(m_comm, &CommControl::OnComm, this, &ModemSession::OnCommEvent);
    SetPollUnit(9600);
}

ModemSession::~ModemSession()
{
    if (g_instance == this)
        g_instance = nullptr;
}

ModemSession *ModemSession::Instance(CommControl *comm, SessionHost *host)
{
    if (!g_instance && comm)
        g_instance = new ModemSession(comm, host);
    return g_instance;
}

void ModemSession::SetHost(SessionHost *host)
{
    if (host) {
        m_host = host;
    } else {
        if (!m_nullHost)
            m_nullHost = std::make_unique<SessionHost>();
        m_host = m_nullHost.get();
    }
}

// ---------------------------------------------------------------------------
// Timing

void ModemSession::SetPollUnit(int baud)
{
    int unit;
    switch (baud) {
    case 300: unit = 75; break;
    case 600: unit = 60; break;
    case 1200:
    case 2400: unit = 45; break;
    case 4800:
    case 9600: unit = 40; break;
    case 19200:
    case 38400:
    case 57600: unit = 30; break;
    case 115200: unit = 20; break;
    default: unit = 55; break;
    }
    if (m_fastProbe)
        unit /= 5;
    m_pollUnit = unit;
    if (baud > 0)
        m_baud = baud;
}

void ModemSession::Tick()
{
    // Restarting after 1001 keeps the counter small; it bounds every wait
    // to at most 1001 ticks.
    if (m_tick > 1000)
        m_tick = 0;
    ++m_tick;
}

void ModemSession::Wait(int milliseconds)
{
    if (milliseconds > 0)
        m_pump->Sleep(milliseconds);
}

// ---------------------------------------------------------------------------
// Port I/O

bool ModemSession::SendCommand(const QByteArray &text, bool appendCr)
{
    QByteArray out = text;
    if (appendCr && text != "+++" && text != "++++" && text != "\x1A")
        out += '\r';
    // A command given while earlier output is still queued is dropped, as the
    // control would; the caller's wait then simply times out.
    if (m_comm->OutBufferCount() == 0) {
        Trace(TraceDirection::Sent, out);
        m_comm->SetOutput(out);
    }
    return true;
}

QByteArray ModemSession::ReadInput(bool echo)
{
    const QByteArray in = m_comm->Input();
    if (!in.isEmpty()) {
        Trace(TraceDirection::Received, in);
        if (echo)
            m_host->AppendTerminal(in);
    }
    return in;
}

void ModemSession::OnCommEvent()
{
    // Unsolicited output (RING, +CREG:, the tail of an answer an exchange
    // stopped reading) goes to the trace and the terminal, not into the
    // next command's answer. Exchanges switch these events off while they
    // read the input themselves.
    if (m_comm->CommEvent() == CommControl::EvReceive && m_connected && m_comm->RThreshold() > 0)
        ReadInput(true);
}

int ModemSession::QuietMilliseconds() const
{
    // Ten characters of 10 bits, but never less than a scheduler's hiccup:
    // the far side delivers an answer's bytes back to back, so a gap this
    // long means it has finished.
    return std::max(20, 10 * 10 * 1000 / std::max(1, m_baud));
}

void ModemSession::WaitForNextPass(bool advanced, bool tookInput)
{
    // A match still stepping through what arrived goes on at once. Bytes
    // that moved nothing on are followed by a short gather, so an answer
    // that streams without end is read in pieces rather than byte by byte
    // (2 ms is 23 characters at 115200 baud, and at most that much later
    // an answer's last byte is seen). Otherwise wait for the next event.
    if (advanced)
        m_pump->Pump(false);
    else if (tookInput)
        m_pump->Gather(2);
    else
        m_pump->Pump(true);
}

void ModemSession::SettleInputBeforeSend(int limit)
{
    // What arrived since the last exchange (or is still arriving of an
    // answer that exchange stopped reading early, such as "+CPIN: READY"
    // before its OK) must not be taken for the answer to this command.
    // An exchange without a wait (limit 0) does not wait here either.
    if (limit > 0)
        m_pump->Pump(false);
    const bool arrived = !ReadInput(true).isEmpty();
    if (!arrived && !m_answerOpen)
        return;
    m_answerOpen = false;
    m_tick = 0;
    while (LinkUp() && m_tick < limit) {
        m_pump->Sleep(QuietMilliseconds());
        if (ReadInput(true).isEmpty())
            break;
    }
}

void ModemSession::Trace(TraceDirection dir, const QByteArray &bytes)
{
    if (m_trace)
        m_trace(dir, bytes);
}

void ModemSession::DebugEcho(const QByteArray &answer)
{
    if (options.debug == 1)
        m_host->AppendTerminal(answer);
}

// ---------------------------------------------------------------------------
// Exchanges

int ModemSession::EndLinkDown(QByteArray &command)
{
    command = kDisconnectedText;
    m_comm->SetRThreshold(1);
    return ExLinkDown;
}

int ModemSession::EndWithAnswer(QByteArray &command, const QByteArray &answer, int result)
{
    if (!answer.isEmpty()) {
        FinalResultMatch final;
        final.Step(answer);
        m_answerOpen = final.Result() == FinalResultMatch::NotYet && !final.Pending();
    }
    command = answer;
    DebugEcho(answer);
    m_comm->SetRThreshold(1);
    return result;
}

bool ModemSession::StartExchange(QByteArray &command, int limit, bool delayBeforeAt)
{
    // Receive events stay off while the exchange reads the input itself.
    m_comm->SetRThreshold(0);
    if (LinkUp())
        SettleInputBeforeSend(limit);
    if (!LinkUp()) {
        EndLinkDown(command);
        return false;
    }
    if (delayBeforeAt && options.delayBeforeAT > 0)
        Wait(options.delayBeforeAT);
    SendCommand(command, true);
    m_tick = 0;
    return true;
}

int ModemSession::Exchange(QByteArray &command, int factor, const QByteArray &success, int successTail,
                           const QByteArray &error, int errorTail, int mode)
{
    const int limit = m_pollUnit * factor;
    if (!StartExchange(command, limit, true))
        return ExLinkDown;
    QByteArray buffer;
    int result = ExTimeout;
    if (limit > 0) {
        const bool reading = !success.isEmpty() || !error.isEmpty();
        PatternMatch successMatch(success, successTail);
        PatternMatch errorMatch(error, errorTail);
        SubstringSearch successText(success);
        SubstringSearch errorText(error);
        bool advanced = true;
        bool took = false;
        for (;;) {
            WaitForNextPass(advanced, took);
            if (!LinkUp()) {
                m_comm->SetRThreshold(1);
                return ExLinkDown;
            }
            advanced = false;
            took = false;
            if (reading) {
                const QByteArray in = ReadInput(false);
                if (!in.isEmpty()) {
                    buffer += in;
                    took = true;
                }
            }
            if (!success.isEmpty()) {
                const bool hit = mode == MatchSubstring ? successText.Step(buffer) : successMatch.Step(buffer);
                if (hit) {
                    result = ExSuccess;
                    break;
                }
                advanced = advanced || successMatch.Advanced();
            }
            if (!error.isEmpty()) {
                const bool hit = mode == MatchSubstring ? errorText.Step(buffer) : errorMatch.Step(buffer);
                if (hit) {
                    result = ExError;
                    break;
                }
                advanced = advanced || errorMatch.Advanced();
            }
            if (m_tick >= limit)
                break;
        }
    }
    if (result == ExTimeout && !LinkUp())
        return EndLinkDown(command);
    return EndWithAnswer(command, buffer, result);
}

int ModemSession::ExchangeLine(QByteArray &command, int factor, const QByteArray &textA, const QByteArray &textB)
{
    const int limit = m_pollUnit * factor;
    // The line-anchored exchange does not wait the DelayBeforeAT option.
    if (!StartExchange(command, limit, false))
        return ExLinkDown;
    QByteArray buffer;
    bool matched = false;
    if (limit > 0) {
        LineStartSearch searchA(textA);
        LineStartSearch searchB(textB);
        bool advanced = true;
        bool took = false;
        for (;;) {
            WaitForNextPass(advanced, took);
            if (!LinkUp())
                return EndLinkDown(command);
            const QByteArray in = ReadInput(false);
            buffer += in;
            took = !in.isEmpty();
            advanced = false;
            if (searchA.Step(buffer)) {
                matched = true;
            } else {
                advanced = searchA.Advanced();
                // B is only taken while the wait still has time left.
                if (m_tick < limit && searchB.Step(buffer))
                    matched = true;
                else
                    advanced = advanced || searchB.Advanced();
            }
            if (matched || m_tick >= limit)
                break;
        }
    }
    if (matched) {
        m_tick = limit;
        return EndWithAnswer(command, buffer, ExSuccess);
    }
    if (!LinkUp())
        return EndLinkDown(command);
    return EndWithAnswer(command, buffer, ExTimeout);
}

int ModemSession::ExchangeFinal(QByteArray &command, int factor)
{
    const int limit = m_pollUnit * factor;
    if (!StartExchange(command, limit, true))
        return ExLinkDown;
    QByteArray buffer;
    FinalResultMatch final;
    int result = ExTimeout;
    // Every pass judges all the bytes it took: there is never a step left
    // over, only input to wait for.
    bool moved = false;
    bool first = true;
    while (limit > 0) {
        WaitForNextPass(first, moved);
        first = false;
        if (!LinkUp())
            return EndLinkDown(command);
        const QByteArray in = ReadInput(false);
        buffer += in;
        moved = !in.isEmpty();
        FinalResultMatch::Kind kind = final.Step(buffer);
        if (kind == FinalResultMatch::NotYet && final.Pending() && !moved) {
            // A code ended by a CR with nothing after it yet: a LF would
            // make it an information line. A quiet line settles it.
            m_pump->Sleep(QuietMilliseconds());
            const QByteArray more = ReadInput(false);
            buffer += more;
            moved = !more.isEmpty();
            kind = moved ? final.Step(buffer) : final.AcceptPending();
        }
        if (kind != FinalResultMatch::NotYet) {
            result = kind == FinalResultMatch::Success ? ExSuccess : ExError;
            break;
        }
        if (m_tick >= limit)
            break;
    }
    if (result == ExTimeout && !LinkUp())
        return EndLinkDown(command);
    return EndWithAnswer(command, buffer, result);
}

int ModemSession::Probe()
{
    // A bare CR ends whatever partial command line the modem holds.
    SendCommand(QByteArrayLiteral("\r"), false);
    Wait(m_pollUnit * 5);

    QByteArray answer = QByteArrayLiteral("AT");
    int result = Exchange(answer, 1, QByteArrayLiteral("OK\r\n"), QByteArrayLiteral("0\r"));
    if (result == ExSuccess || result == ExError) {
        m_verbose = result == ExSuccess;
    } else {
        answer = QByteArrayLiteral("AT");
        result = Exchange(answer, 1, QByteArrayLiteral("OK\r\n"), QByteArrayLiteral("0\r"));
        if (result != ExSuccess && result != ExError && result != ExLinkDown) {
            // Maybe result codes are switched off (ATQ1): switch them on.
            answer = QByteArrayLiteral("ATQ0");
            Exchange(answer, 1, QByteArrayLiteral("OK\r\n"), QByteArrayLiteral("0\r0\r"));
            if (!answer.isEmpty() && LinkUp()) {
                m_quiet = 1;
                answer = QByteArrayLiteral("AT");
                result = Exchange(answer, 1, QByteArrayLiteral("OK\r\n"), QByteArrayLiteral("0\r"));
                if (result == ExSuccess || result == ExError)
                    m_verbose = result == ExSuccess;
            }
        }
    }
    m_echo = answer.contains("AT");
    return result;
}

// ---------------------------------------------------------------------------
// Link

void ModemSession::OnLinkLost(const QString &reason)
{
    if (!LinkUp())
        return;
    Disconnect();
    emit LinkLost(reason);
}

bool ModemSession::Disconnect()
{
    m_quiet = 0;
    if (m_connected)
        m_comm->SetPortOpen(false);
    m_connected = false;
    m_terminalOnly = false;
    m_traits = ModemTraits();
    m_lineKnown = false;
    m_connecting = false;
    m_offline = false;
    m_host->RefreshStatusPanel();
    m_host->SetActivePage(PageId::Connection);
    return true;
}

QString ModemSession::BaudText() const
{
    return m_lineKnown ? QString::number(m_line.baud) : QStringLiteral("-");
}

QChar ModemSession::Parity() const
{
    return m_lineKnown ? QChar(QLatin1Char(m_line.parity)) : QChar(QLatin1Char('-'));
}

QString ModemSession::DataBitsText() const
{
    return m_lineKnown ? QString::number(m_line.dataBits) : QStringLiteral("-");
}

QString ModemSession::StopBitsText() const
{
    return m_lineKnown ? QString::number(m_line.stopBits) : QStringLiteral("-");
}

bool ModemSession::OpenForTerminal(const QString &port, const PortSettings &line)
{
    m_comm->SetCommPort(port);
    m_comm->SetSettings(line.ToString());
    if (!m_comm->SetPortOpen(true)) {
        m_connected = false;
        m_host->RefreshStatusPanel();
        return false;
    }
    m_quiet = 0;
    m_connected = true;
    m_terminalOnly = true;
    m_statusText = QStringLiteral("Open");
    m_traits = ModemTraits();
    // Nothing was identified on this port: a name left from an earlier
    // connection would describe a device that may not be there.
    m_modelName.clear();
    m_imeiPrefix.clear();
    m_imei.clear();
    m_portName = port;
    SetLine(line);
    m_sim = SimState::Unknown;
    m_host->RefreshStatusPanel();
    m_comm->SetRThreshold(1);
    SetPollUnit(line.baud);
    return true;
}

bool ModemSession::ApplyPortSettings()
{
    SetPollUnit(m_line.baud);
    m_comm->SetSettings(m_line.ToString());
    m_host->ShowPortSettings(BaudText(), Parity(), DataBitsText(), StopBitsText());
    m_host->RefreshStatusPanel();
    return true;
}

void ModemSession::EnterOffline()
{
    m_offline = true;
    m_statusText = QStringLiteral("Offline");
    m_host->RefreshStatusPanel();
    for (const PageRow &row : kPageTable) {
        if (row.offline && !Flags(row.id).added)
            AddPage(row.id, false);
    }
    m_host->RedrawPages();
}

// ---------------------------------------------------------------------------
// Pages

PageFlags &ModemSession::Flags(PageId page)
{
    const int slot = SlotOf(page);
    return slot < 0 ? m_connectionFlags : m_flags[size_t(slot)];
}

const PageFlags &ModemSession::Flags(PageId page) const
{
    const int slot = SlotOf(page);
    return slot < 0 ? m_connectionFlags : m_flags[size_t(slot)];
}

void ModemSession::AddPage(PageId page, bool mustRead)
{
    PageFlags &f = Flags(page);
    f.added = true;
    if (mustRead)
        f.mustRead = true;
    m_host->AddPage(page);
}

void ModemSession::VisitPages()
{
    m_reReading = true;
    for (const PageRow &row : kPageTable) {
        if (row.autoLoad && Flags(row.id).added) {
            m_host->SetActivePage(row.id);
            m_host->SetActivePage(PageId::Connection);
        }
    }
    m_reReading = false;
}

void ModemSession::RemovePages()
{
    for (const PageRow &row : kPageTable) {
        if (row.id == PageId::Connection)
            continue;
        PageFlags &f = Flags(row.id);
        if (f.added) {
            m_host->RemovePage(row.id);
            f.added = false;
        }
    }
}

void ModemSession::ShowConnectionPageWhenIdle()
{
    if (!m_busy && !m_connected && !m_offline && m_host->PageCount() > 1) {
        m_host->SetActivePage(PageId::Connection);
        m_host->RedrawPages();
    }
}

// ---------------------------------------------------------------------------
// Ports and defaults

void ModemSession::EnumeratePorts(QList<PortEntry> &ports)
{
    ports = CandidatePorts(options.searchPorts == 1, options.numberOfPorts + 1, m_extraPorts, &m_osDescription);
}

void ModemSession::SetDefaults()
{
    basicRecord.Clear();
    basicRecord.SetInt(20, 1);
    basicRecord.SetText(28, 12, QByteArrayLiteral("024:00"));
    basicRecord.SetInt(44, 2);

    serialRecord.Clear();
    serialRecord.SetInt(0, 1);
    serialRecord.SetInt(8, 1);
    serialRecord.SetInt(20, 1);
    serialRecord.SetInt(32, 4);
    serialRecord.SetInt(40, 10);

    smsRecord.Clear();
    smsRecord.SetInt(196, 1);

    gprsRecord.Clear();
    gprsRecord.SetText(52, 8, QByteArrayLiteral("9000"));
    gprsRecord.SetText(116, 8, QByteArrayLiteral("100"));
    gprsRecord.SetByte(516, 1);
    gprsRecord.SetByte(517, 5);
    gprsRecord.SetInt(520, 20);

    ioRecord.Clear();
    ioRecord.SetText(0, 4, QByteArrayLiteral("5"));
    ioRecord.SetText(4, 4, QByteArrayLiteral("10"));
    for (int k = 0; k < 10; ++k)
        ioRecord.SetText(24 + 4 * k, 4, QByteArrayLiteral("0"));

    callbackRecord.Clear();
    callbackRecord.SetText(4, 4, QByteArrayLiteral("0"));
}

} // namespace telvio
