// The kernel's termios2 carries any rate in c_ispeed/c_ospeed; its header cannot
// be mixed with glibc's <termios.h>, so this file is the only one that uses it.
#include "sim/ptyline.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace telvio::sim {
namespace {

struct RateCode {
    int rate;
    unsigned code;
};

constexpr RateCode rateCodes[] = {
    {50, B50}, {75, B75}, {110, B110}, {134, B134}, {150, B150}, {200, B200}, {300, B300},
    {600, B600}, {1200, B1200}, {1800, B1800}, {2400, B2400}, {4800, B4800}, {9600, B9600},
    {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}, {230400, B230400},
    {460800, B460800}, {921600, B921600},
};

bool getTermios(int fd, termios2 *t)
{
    return ioctl(fd, TCGETS2, t) == 0;
}

bool putTermios(int fd, const termios2 &t)
{
    return ioctl(fd, TCSETS2, &t) == 0;
}

int rateOf(const termios2 &t)
{
    const unsigned code = t.c_cflag & CBAUD;
    if (code != BOTHER) {
        for (const RateCode &rc : rateCodes) {
            if (rc.code == code)
                return rc.rate;
        }
    }
    return static_cast<int>(t.c_ospeed);
}

void setRate(termios2 *t, int rate)
{
    t->c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    for (const RateCode &rc : rateCodes) {
        if (rc.rate == rate) {
            t->c_cflag |= rc.code;
            t->c_ispeed = t->c_ospeed = static_cast<speed_t>(rate);
            return;
        }
    }
    t->c_cflag |= BOTHER;
    t->c_ispeed = t->c_ospeed = static_cast<speed_t>(rate);
}

void setCharFormat(termios2 *t, const LineSettings &line)
{
    t->c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
    t->c_cflag |= line.dataBits == 7 ? CS7 : CS8;
    switch (line.parity) {
    case Parity::None: break;
    case Parity::Odd: t->c_cflag |= PARENB | PARODD; break;
    case Parity::Even: t->c_cflag |= PARENB; break;
    case Parity::Mark: t->c_cflag |= PARENB | CMSPAR | PARODD; break;
    case Parity::Space: t->c_cflag |= PARENB | CMSPAR; break;
    }
    if (line.stopBits == 2)
        t->c_cflag |= CSTOPB;
}

} // namespace

std::optional<LineSettings> readLineSettings(int fd)
{
    termios2 t{};
    if (!getTermios(fd, &t))
        return std::nullopt;
    LineSettings line;
    line.baud = rateOf(t);
    switch (t.c_cflag & CSIZE) {
    case CS5: line.dataBits = 5; break;
    case CS6: line.dataBits = 6; break;
    case CS7: line.dataBits = 7; break;
    default: line.dataBits = 8; break;
    }
    if (!(t.c_cflag & PARENB))
        line.parity = Parity::None;
    else if (t.c_cflag & CMSPAR)
        line.parity = (t.c_cflag & PARODD) ? Parity::Mark : Parity::Space;
    else
        line.parity = (t.c_cflag & PARODD) ? Parity::Odd : Parity::Even;
    line.stopBits = (t.c_cflag & CSTOPB) ? 2 : 1;
    return line;
}

bool setRawLine(int fd, const LineSettings &line)
{
    termios2 t{};
    if (!getTermios(fd, &t))
        return false;
    t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag |= CREAD | CLOCAL;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    setCharFormat(&t, line);
    if (line.baud > 0)
        setRate(&t, line.baud);
    return putTermios(fd, t);
}

int pendingInput(int fd)
{
    int count = 0;
    return ioctl(fd, TIOCINQ, &count) == 0 ? count : 0;
}

bool keepsCharFormat(int fd)
{
    termios2 original{};
    if (!getTermios(fd, &original))
        return false;
    termios2 probe = original;
    probe.c_cflag = (probe.c_cflag & ~CSIZE) | CS7 | PARENB;
    bool kept = false;
    termios2 seen{};
    if (putTermios(fd, probe) && getTermios(fd, &seen))
        kept = (seen.c_cflag & CSIZE) == CS7 && (seen.c_cflag & PARENB);
    putTermios(fd, original);
    return kept;
}

} // namespace telvio::sim
