#include "sim/ptyserver.h"

#include "sim/ptyline.h"
#include "link/core/trace.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace telvio::sim {

PtyServer::PtyServer(const SimConfig &config, QObject *parent)
    : QObject(parent), m_modem(config), m_realRate(config.realRate), m_logging(config.log)
{
    // On a line a restarted modem is deaf while it boots.
    if (m_modem.state().variable("RESTART_MS").isEmpty())
        m_modem.state().setVariable("RESTART_MS", "1500");
    m_pauseTimer.setSingleShot(true);
    connect(&m_pauseTimer, &QTimer::timeout, this, &PtyServer::pump);
    m_paceTimer.setTimerType(Qt::PreciseTimer);
    m_paceTimer.setInterval(1);
    connect(&m_paceTimer, &QTimer::timeout, this, &PtyServer::paceTick);
    m_hangUpTimer.setInterval(2);
    connect(&m_hangUpTimer, &QTimer::timeout, this, &PtyServer::hangUpTick);
}

PtyServer::~PtyServer()
{
    close();
}

bool PtyServer::open(QString *error)
{
    auto fail = [&](const char *what) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
        closeDescriptors();
        return false;
    };
    if (isOpen())
        return true;
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        return fail("posix_openpt");
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        return fail("unlockpt");
    char name[128];
    if (ptsname_r(m_master, name, sizeof name) != 0)
        return fail("ptsname");
    m_path = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_slave < 0)
        return fail("open slave");
    // Until the application sets its own, the line is raw: a cooked slave would
    // echo the modem's answers back to it and hold input until a newline.
    LineSettings initial = m_modem.line();
    if (initial.baud == 0)
        initial.baud = 9600;
    if (!setRawLine(m_slave, initial))
        return fail("set line");
    m_carriesCharFormat = keepsCharFormat(m_slave);
    if (fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK) != 0)
        return fail("fcntl");

    m_paceLine = m_modem.line();
    m_hungUp = false;
    m_readNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_readNotifier.get(), &QSocketNotifier::activated, this, &PtyServer::onReadable);
    m_writeNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Write);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier.get(), &QSocketNotifier::activated, this, &PtyServer::onWritable);
    return true;
}

void PtyServer::close()
{
    closeDescriptors();
}

void PtyServer::closeDescriptors()
{
    m_readNotifier.reset();
    m_writeNotifier.reset();
    m_pauseTimer.stop();
    m_paceTimer.stop();
    m_hangUpTimer.stop();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = -1;
    m_slave = -1;
    m_backlog.clear();
    m_queue.clear();
    m_writeBuffer.clear();
    m_paceBuffer.clear();
}

void PtyServer::onReadable()
{
    char buffer[4096];
    while (m_master >= 0) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        Chunk chunk;
        chunk.bytes = QByteArray(buffer, static_cast<int>(n));
        const std::optional<LineSettings> line = readLineSettings(m_slave);
        chunk.seen.line = line ? *line : m_modem.line();
        chunk.seen.carriesCharFormat = m_carriesCharFormat;
        m_backlog.append(chunk);
    }
    pump();
}

void PtyServer::onWritable()
{
    writePending();
    pump();
}

bool PtyServer::sending() const
{
    return !m_writeBuffer.isEmpty() || !m_paceBuffer.isEmpty() || m_pauseTimer.isActive()
        || m_hangUpTimer.isActive();
}

void PtyServer::pump()
{
    if (m_pumping)
        return;
    m_pumping = true;
    while (isOpen() && !sending()) {
        if (!m_queue.isEmpty()) {
            startItem(m_queue.takeFirst());
        } else if (!m_backlog.isEmpty()) {
            const Chunk chunk = m_backlog.takeFirst();
            log("<-", telvio::EscapeControl(chunk.bytes).toLatin1());
            if (chunk.seen.line != m_modem.line() && !lineMatches(m_modem.line(), chunk.seen))
                log("!!", "line " + QByteArray::number(chunk.seen.line.baud) + ' '
                              + chunk.seen.line.framingText() + " does not match the modem's "
                              + QByteArray::number(m_modem.line().baud) + ' ' + m_modem.line().framingText());
            m_queue += m_modem.receive(chunk.bytes, chunk.seen);
        } else {
            break;
        }
    }
    m_pumping = false;
}

void PtyServer::startItem(const OutputItem &item)
{
    switch (item.kind) {
    case OutputItem::Kind::Bytes:
        log("->", telvio::EscapeControl(item.bytes).toLatin1());
        if (m_realRate && m_paceLine.baud > 0) {
            m_paceBuffer = item.bytes;
            m_paceReleased = 0;
            m_paceClock.start();
            m_paceTimer.start();
        } else {
            m_writeBuffer += item.bytes;
            writePending();
        }
        break;
    case OutputItem::Kind::Pause:
        log("..", "answer held " + QByteArray::number(item.pauseMs) + " ms");
        m_pauseTimer.start(item.pauseMs);
        break;
    case OutputItem::Kind::LineChange:
        log("..", "port now " + QByteArray::number(item.line.baud) + ' ' + item.line.framingText());
        m_paceLine = item.line;
        break;
    case OutputItem::Kind::HangUp:
        hangUp();
        break;
    }
}

void PtyServer::writePending()
{
    while (m_master >= 0 && !m_writeBuffer.isEmpty()) {
        const ssize_t n = ::write(m_master, m_writeBuffer.constData(), static_cast<size_t>(m_writeBuffer.size()));
        if (n > 0) {
            m_writeBuffer.remove(0, static_cast<int>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // The application is not reading; go on when the pty has room again.
            m_writeNotifier->setEnabled(true);
            return;
        }
        log("!!", "write failed: " + QByteArray(std::strerror(errno)));
        m_writeBuffer.clear();
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(false);
}

void PtyServer::paceTick()
{
    // A byte is on the other side once its last bit is: byte k after (k + 1) character times.
    const double bytesPerSecond = double(m_paceLine.baud) / m_paceLine.bitsPerCharacter();
    const qint64 due = qint64(m_paceClock.nsecsElapsed() * bytesPerSecond / 1e9) - m_paceReleased;
    const int count = int(qMin<qint64>(due, m_paceBuffer.size()));
    if (count > 0) {
        m_writeBuffer += m_paceBuffer.left(count);
        m_paceBuffer.remove(0, count);
        m_paceReleased += count;
        writePending();
    }
    if (m_paceBuffer.isEmpty()) {
        m_paceTimer.stop();
        pump();
    }
}

// Closing the master discards whatever the slave has not read yet, while a real
// modem's last bytes reach the computer before the carrier drops. So the line
// is closed once the application has read what was sent (or has had its time).
void PtyServer::hangUp()
{
    log("..", "hang-up");
    m_hangUpSawInput = false;
    m_hangUpClock.start();
    m_hangUpTimer.start();
    hangUpTick();
}

void PtyServer::hangUpTick()
{
    if (!m_writeBuffer.isEmpty())
        return;
    // The pty moves written bytes to the slave's input a moment later, so an empty
    // input only counts once the bytes were seen there, or after a short grace time.
    const int pending = pendingInput(m_slave);
    m_hangUpSawInput = m_hangUpSawInput || pending > 0;
    const qint64 waited = m_hangUpClock.elapsed();
    const bool drained = pending == 0 && (m_hangUpSawInput || waited >= 50);
    if (!drained && waited < 2000)
        return;
    m_hungUp = true;
    closeDescriptors();
    emit ended();
}

void PtyServer::log(const char *direction, const QByteArray &text) const
{
    if (!m_logging)
        return;
    std::fprintf(stderr, "telvio-sim %s %s\n", direction, text.constData());
    std::fflush(stderr);
}

} // namespace telvio::sim
