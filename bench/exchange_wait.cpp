// How much the session's waiting costs and how fast it sees an answer.
//
// (a) CPU time used during an exchange that times out: factor 3 at 9600
//     baud, 6 s of waiting on a silent line.
// (b) Time from the moment the answer's last byte is written on the far
//     side of a pseudo-terminal to the moment the exchange returns.
#include "link/core/modemsession.h"
#include "link/core/mscomm.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace telvio;
using Clock = std::chrono::steady_clock;

namespace {

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct PtyPair {
    int master = -1;
    QString slave;
};

PtyPair OpenPty()
{
    PtyPair p;
    p.master = posix_openpt(O_RDWR | O_NOCTTY);
    if (p.master < 0 || grantpt(p.master) != 0 || unlockpt(p.master) != 0)
        return {};
    p.slave = QString::fromLocal8Bit(ptsname(p.master));
    return p;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 40;

    PtyPair pty = OpenPty();
    if (pty.master < 0) {
        std::fprintf(stderr, "cannot open a pseudo-terminal\n");
        return 1;
    }
    CMSComm comm;
    comm.SetCommPort(pty.slave);
    comm.SetSettings(QStringLiteral("9600,N,8,1"));
    if (!comm.SetPortOpen(true)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(pty.slave));
        return 1;
    }
    ModemSession session(&comm, nullptr);
    session.SetConnected(true);
    session.SetPollUnit(9600);
    QTimer tick;
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, &session, &ModemSession::Tick);
    tick.start();

    // Drain what the session writes so the pty never fills up.
    std::atomic<bool> running{true};
    std::atomic<long long> lastByteNs{0};
    std::atomic<int> answerRequests{0};
    std::thread far([&] {
        char buf[256];
        while (running) {
            const ssize_t n = read(pty.master, buf, sizeof buf);
            if (n <= 0)
                continue;
            if (answerRequests.load() > 0 && memchr(buf, '\r', size_t(n))) {
                --answerRequests;
                // A modem takes a moment to answer; then the last byte goes out.
                std::this_thread::sleep_for(std::chrono::milliseconds(7));
                (void)!write(pty.master, "\r\nOK\r", 5);
                std::this_thread::sleep_for(std::chrono::milliseconds(3));
                lastByteNs = Clock::now().time_since_epoch().count();
                (void)!write(pty.master, "\n", 1);
            }
        }
    });

    // (a) a silent line.
    QByteArray cmd = "AT";
    const double cpu0 = CpuSeconds();
    const auto t0 = Clock::now();
    const int r = session.Exchange(cmd, 3, "OK\r\n", "ERROR");
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    const double cpu = CpuSeconds() - cpu0;
    std::printf("(a) timed-out exchange, factor 3 at 9600 baud: result %d, waited %.2f s, CPU %.3f s = %.2f%% of one core\n",
                r, wall, cpu, 100.0 * cpu / wall);

    // (b) answer recognition latency.
    std::vector<double> latency;
    for (int i = 0; i < rounds; ++i) {
        ++answerRequests;
        QByteArray at = "AT";
        const int rr = session.Exchange(at, 3, "OK\r\n", "ERROR");
        const long long end = Clock::now().time_since_epoch().count();
        if (rr != 1) {
            std::fprintf(stderr, "round %d: result %d\n", i, rr);
            continue;
        }
        latency.push_back(double(end - lastByteNs.load()) / 1e6);
    }
    running = false;
    // Closing our side makes the reader's read fail, which lets it see the flag.
    comm.SetPortOpen(false);
    close(pty.master);
    far.join();
    if (latency.empty())
        return 1;
    std::sort(latency.begin(), latency.end());
    std::printf("(b) last byte to exchange return over %zu answers: median %.3f ms, 90%% %.3f ms, max %.3f ms\n",
                latency.size(), latency[latency.size() / 2], latency[latency.size() * 9 / 10], latency.back());
    return 0;
}
