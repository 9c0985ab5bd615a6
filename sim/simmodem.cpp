#include "sim/simmodem.h"

#include "sim/staging.h"
#include "sim/standardset.h"

#include <optional>

namespace telvio::sim {
namespace {

// Real modems take at least 40 characters (V.250 5.2.1); this one takes more,
// then refuses the line.
constexpr int maxLineLength = 512;

bool isA(char c) { return c == 'A' || c == 'a'; }
bool isT(char c) { return c == 'T' || c == 't'; }

int indexOfAt(const QByteArray &bytes)
{
    for (int i = 0; i + 1 < bytes.size(); ++i) {
        if (isA(bytes.at(i)) && isT(bytes.at(i + 1)))
            return i;
    }
    return -1;
}

} // namespace

OutputItem OutputItem::send(const QByteArray &bytes)
{
    OutputItem item;
    item.kind = Kind::Bytes;
    item.bytes = bytes;
    return item;
}

OutputItem OutputItem::pause(int ms)
{
    OutputItem item;
    item.kind = Kind::Pause;
    item.pauseMs = ms;
    return item;
}

OutputItem OutputItem::lineChange(const LineSettings &line)
{
    OutputItem item;
    item.kind = Kind::LineChange;
    item.line = line;
    return item;
}

OutputItem OutputItem::hangUp()
{
    OutputItem item;
    item.kind = Kind::HangUp;
    return item;
}

QByteArray outputBytes(const Output &output)
{
    QByteArray bytes;
    for (const OutputItem &item : output) {
        if (item.kind == OutputItem::Kind::Bytes)
            bytes += item.bytes;
    }
    return bytes;
}

SimModem::SimModem(const SimConfig &config)
    : m_state(config), m_noiseState(config.noiseSeed ? config.noiseSeed : 1u)
{
    installStandardSet(m_state, m_commands);
    // What the modem powered up with is what its stored profile held.
    m_state.setAtPowerUp("E", config.echo ? "1" : "0");
    m_state.setAtPowerUp("V", config.verbose ? "1" : "0");
    m_state.setAtPowerUp("Q", config.quiet ? "1" : "0");
    m_state.setAtPowerUp("+CMEE", QByteArray::number(config.cmee));
    m_state.setAtPowerUp("+IPR", QByteArray::number(config.line.baud));
    if (const auto icf = icfFromLine(config.line)) {
        m_state.setAtPowerUp("+ICF", QByteArray::number(icf->format) + ','
                                         + QByteArray::number(icf->parity));
    }
    for (const Fault &fault : config.faults)
        m_faults.add(fault);
    for (const SimAssignment &assignment : config.assignments) {
        QString error;
        if (!applyAssignment(m_state, assignment, &error) && m_setupError.isEmpty())
            m_setupError = error;
    }
    // An autobauding modem (+IPR=0) answers at the line's rate until an "AT" at another one.
    m_autobaudRate = m_state.number("+IPR") ? m_state.number("+IPR") : config.line.baud;
    m_announcedLine = line();
}

bool SimModem::assign(const SimAssignment &assignment, QString *error)
{
    if (!applyAssignment(m_state, assignment, error))
        return false;
    if (const int rate = m_state.number("+IPR"))
        m_autobaudRate = rate;
    return true;
}

LineSettings SimModem::line() const
{
    LineSettings settings = m_state.portSettings();
    if (settings.baud == 0)
        settings.baud = m_autobaudRate;
    return settings;
}

Output SimModem::receive(const QByteArray &bytes)
{
    return receive(bytes, LineObservation{line(), true});
}

Output SimModem::receive(const QByteArray &received, const LineObservation &seen)
{
    Output out;
    if (m_hungUp || received.isEmpty() || restarting())
        return out;
    QByteArray bytes = received;
    if (m_state.number("+IPR") == 0 && seen.line.baud != m_autobaudRate) {
        // An autobauding modem measures the rate on the "AT" of a command line
        // and ignores what comes before it.
        const int at = indexOfAt(bytes);
        if (at < 0)
            return out;
        m_autobaudRate = seen.line.baud;
        m_scan = Scan::Idle;
        bytes = bytes.mid(at);
    }
    if (!lineMatches(line(), seen)) {
        m_scan = Scan::Idle;
        m_buffer.clear();
        if (m_state.echo())
            out.append(OutputItem::send(noise(bytes.size())));
        return out;
    }
    announceLine(out);
    process(bytes, out);
    return out;
}

void SimModem::process(const QByteArray &bytes, Output &out)
{
    QByteArray echo;
    auto flushEcho = [&]() {
        if (!echo.isEmpty())
            out.append(OutputItem::send(echo));
        echo.clear();
    };
    for (char c : bytes) {
        if (m_hungUp)
            break;
        if (m_state.inTextEntry()) {
            flushEcho();
            const QByteArray reply = m_state.feedTextEntry(c);
            if (const int pause = m_state.takeReplyPause())
                out.append(OutputItem::pause(pause));
            if (!reply.isEmpty())
                out.append(OutputItem::send(reply));
            continue;
        }
        if (m_state.echo())
            echo += c;
        switch (m_scan) {
        case Scan::Idle:
            if (isA(c))
                m_scan = Scan::GotA;
            break;
        case Scan::GotA:
            if (isT(c)) {
                m_scan = Scan::InLine;
                m_buffer.clear();
                m_overflow = false;
            } else if (c == '/') {
                // "A/" runs the last line again without waiting for S3.
                m_scan = Scan::Idle;
                flushEcho();
                executeLine(m_lastLine, false, out);
            } else if (!isA(c)) {
                m_scan = Scan::Idle;
            }
            break;
        case Scan::InLine:
            if (c == m_state.lineTerminator()) {
                m_scan = Scan::Idle;
                flushEcho();
                m_lastLine = m_buffer;
                executeLine(m_buffer, m_overflow, out);
            } else if (c == m_state.backspace()) {
                m_buffer.chop(1);
            } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
                // Other control characters (the LF of a CR LF ending) are dropped.
            } else if (m_buffer.size() < maxLineLength) {
                m_buffer += c;
            } else {
                m_overflow = true;
            }
            break;
        }
    }
    flushEcho();
}

namespace {

// Kinds that keep the command from running.
bool stopsTheCommand(FaultKind kind)
{
    return kind != FaultKind::Delay && kind != FaultKind::Unsolicited;
}

CommandResult resultOf(const Fault &fault)
{
    return fault.kind == FaultKind::CmeError ? CommandResult::cmeFailure(fault.cmeError) : CommandResult::error();
}

} // namespace

void SimModem::executeLine(const QByteArray &body, bool overflow, Output &out)
{
    const CommandLine parsed = overflow ? CommandLine{{}, true} : parseCommandLine(body);
    QByteArray answer;
    CommandResult final = CommandResult::ok();
    std::optional<Fault> stopping;
    std::optional<int> delayMs;
    // A fault that lets its command run; true when it stops the line.
    auto take = [&](const std::optional<Fault> &fault) {
        if (!fault)
            return false;
        if (stopsTheCommand(fault->kind)) {
            stopping = fault;
            final = resultOf(*fault);
            return true;
        }
        if (fault->kind == FaultKind::Delay)
            delayMs = delayMs.value_or(0) + fault->delayMs;
        return false;
    };
    auto unsolicited = [&](const std::optional<Fault> &fault) {
        if (fault && fault->kind == FaultKind::Unsolicited && !m_state.quiet())
            return formatUnsolicited(m_state.responseFormat(), fault->text);
        return QByteArray();
    };

    if (parsed.commands.isEmpty() && !parsed.syntaxError) {
        const std::optional<Fault> fault = m_faults.takeForEmptyLine();
        take(fault);
        answer += unsolicited(fault);
    }
    bool stopped = false;
    for (const ParsedCommand &command : parsed.commands) {
        const std::optional<Fault> fault = m_faults.take(command);
        if (take(fault)) {
            stopped = true;
            break;
        }
        const CommandResult result = m_commands.execute(m_state, command);
        const ResponseFormat format = m_state.responseFormat();
        const QByteArray urc = unsolicited(fault);
        if (urc.isEmpty()) {
            answer += formatInformation(format, result.info);
        } else {
            // An unsolicited result code the modem had to send comes between
            // the lines of an answer, here after the first one.
            answer += formatInformation(format, result.info.mid(0, 1));
            answer += urc;
            answer += formatInformation(format, result.info.mid(1));
        }
        if (!result.succeeded()) {
            final = result;
            stopped = true;
            break;
        }
    }
    if (!stopped && parsed.syntaxError)
        final = CommandResult::error();

    if (stopping) {
        switch (stopping->kind) {
        case FaultKind::NoAnswer:
            return;
        case FaultKind::Noise:
            out.append(OutputItem::send(noise(body.size() + 1)));
            return;
        case FaultKind::HangUp:
            m_hungUp = true;
            out.append(OutputItem::hangUp());
            return;
        default:
            break;
        }
    }
    if (delayMs)
        out.append(OutputItem::pause(*delayMs));
    answer += m_state.takeTextPrompt();
    if (!m_state.quiet())
        answer += formatFinal(m_state.responseFormat(), final);
    if (!answer.isEmpty())
        out.append(OutputItem::send(answer));
    for (const QPair<int, QByteArray> &later : m_state.takeLater()) {
        out.append(OutputItem::pause(later.first));
        out.append(OutputItem::send(formatUnsolicited(m_state.responseFormat(), later.second)));
    }
    if (m_state.takeRestartRequest()) {
        m_state.restart();
        m_scan = Scan::Idle;
        m_buffer.clear();
        m_restartMs = m_state.restartMs();
        m_restartClock.start();
    }
    // The answer went out at the old settings; the port switches now.
    if (const int rate = m_state.number("+IPR"))
        m_autobaudRate = rate;
    announceLine(out);
}

bool SimModem::restarting() const
{
    return m_restartClock.isValid() && m_restartClock.elapsed() < m_restartMs;
}

void SimModem::announceLine(Output &out)
{
    const LineSettings now = line();
    if (now != m_announcedLine) {
        m_announcedLine = now;
        out.append(OutputItem::lineChange(now));
    }
}

QByteArray SimModem::noise(int receivedBytes)
{
    // Characters read at the wrong rate come out as bytes with the high bit set
    // far more often than as text; keeping to those keeps the garbage from ever
    // spelling a result code.
    const int count = qBound(2, receivedBytes, 6);
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        m_noiseState ^= m_noiseState << 13;
        m_noiseState ^= m_noiseState >> 17;
        m_noiseState ^= m_noiseState << 5;
        bytes += char(0x80 | (m_noiseState & 0x7f));
    }
    return bytes;
}

} // namespace telvio::sim
