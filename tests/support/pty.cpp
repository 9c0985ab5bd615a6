#include "support/pty.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace telvio::test {

Pty::Pty()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        return;
    m_path = QString::fromLocal8Bit(::ptsname(m_master));
    m_slave = ::open(m_path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_slave >= 0) {
        termios t{};
        ::tcgetattr(m_slave, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(m_slave, TCSANOW, &t);
    }
}

Pty::~Pty()
{
    HangUp();
}

void Pty::HangUp()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
}

void Pty::Write(const QByteArray &bytes)
{
    if (m_master >= 0)
        (void)!::write(m_master, bytes.constData(), size_t(bytes.size()));
}

QByteArray Pty::Read(int ms)
{
    QByteArray out;
    if (m_master < 0)
        return out;
    pollfd p{m_master, POLLIN, 0};
    while (::poll(&p, 1, out.isEmpty() ? ms : 20) > 0 && (p.revents & POLLIN)) {
        char buf[512];
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0)
            break;
        out.append(buf, int(n));
    }
    return out;
}

int Pty::Speed() const
{
    termios t{};
    if (m_slave < 0 || ::tcgetattr(m_slave, &t) != 0)
        return -1;
    switch (::cfgetospeed(&t)) {
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    default: return 0;
    }
}

bool Pty::TwoStopBits() const
{
    termios t{};
    if (m_slave < 0 || ::tcgetattr(m_slave, &t) != 0)
        return false;
    return (t.c_cflag & CSTOPB) != 0;
}

} // namespace telvio::test
