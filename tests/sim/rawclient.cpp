#include "rawclient.h"

#include <QElapsedTimer>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t speedCode(int baud)
{
    switch (baud) {
    case 300: return B300;
    case 1200: return B1200;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B0;
    }
}

} // namespace

RawClient::~RawClient()
{
    close();
}

bool RawClient::open(const QByteArray &path, int baud, int stopBits)
{
    close();
    m_fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    return m_fd >= 0 && setLine(baud, stopBits);
}

void RawClient::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool RawClient::setLine(int baud, int stopBits)
{
    termios t{};
    if (tcgetattr(m_fd, &t) != 0)
        return false;
    cfmakeraw(&t);
    if (stopBits == 2)
        t.c_cflag |= CSTOPB;
    else
        t.c_cflag &= ~CSTOPB;
    cfsetspeed(&t, speedCode(baud));
    return tcsetattr(m_fd, TCSANOW, &t) == 0;
}

bool RawClient::write(const QByteArray &bytes)
{
    return ::write(m_fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

RawClient::End RawClient::readUntil(const std::function<bool(const QByteArray &)> &done, QByteArray *received,
                                    int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done(*received)) {
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0)
            return End::TimedOut;
        pollfd p{m_fd, POLLIN, 0};
        const int n = ::poll(&p, 1, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return End::TimedOut;
        char buffer[1024];
        const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
        if (got > 0)
            received->append(buffer, int(got));
        else if (got == 0 || (errno != EAGAIN && errno != EINTR))
            return End::HungUp;
    }
    return End::Matched;
}

QByteArray RawClient::readUntilEnd(const QByteArray &ending, int timeoutMs)
{
    QByteArray received;
    readUntil([&ending](const QByteArray &r) { return r.endsWith(ending); }, &received, timeoutMs);
    return received;
}

QByteArray RawClient::exchange(const QByteArray &command, int timeoutMs)
{
    if (!write(command + '\r'))
        return {};
    QByteArray received;
    readUntil([](const QByteArray &r) { return r.endsWith("OK\r\n") || r.endsWith("ERROR\r\n"); }, &received,
              timeoutMs);
    return received;
}
