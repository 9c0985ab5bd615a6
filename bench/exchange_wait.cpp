// How much the session's waiting costs and how fast it sees an answer.
//
// (a) CPU time used during an exchange that times out: factor 3 at 9600
//     baud, 6 s of waiting on a silent line.
// (b) Time from the moment the answer's last byte is written on the far
//     side of a pseudo-terminal to the moment the exchange returns.
// (c) CPU time used during an exchange that waits out its timeout on an
//     endless answer (a device streaming without a line end) written as fast
//     as the pseudo-terminal takes it, for each way of matching: the share
//     must not grow with what has arrived so far (target under 20%).
#include "link/core/modemsession.h"
#include "link/core/mscomm.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <fcntl.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace telvio;
using Clock = std::chrono::steady_clock;

namespace {

// CPU of the calling thread only: the far side's threads live in this
// process too.
double ThreadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

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
    // (c) an endless answer, no line end, at full pty speed.
    std::atomic<bool> streaming{false};
    std::thread stream([&] {
        QByteArray chunk(4096, 'x');
        for (int i = 0; i < chunk.size(); i += 37)
            chunk[i] = 'O'; // letters of the texts, never in order to the end
        while (running) {
            if (!streaming) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            (void)!write(pty.master, chunk.constData(), size_t(chunk.size()));
        }
    });
    session.SetPollUnit(115200); // factor 3: 60 ticks, 3 s
    struct Form {
        const char *name;
        std::function<int(QByteArray &)> run;
    };
    const Form forms[] = {
        {"pattern", [&](QByteArray &c) { return session.Exchange(c, 3, "OK\r\n", "ERROR"); }},
        {"substring", [&](QByteArray &c) { return session.Exchange(c, 3, "OK\r\n", 0, "ERROR", 0, MatchSubstring); }},
        {"line", [&](QByteArray &c) { return session.ExchangeLine(c, 3, "OK\r\n", "0\r"); }},
        {"final", [&](QByteArray &c) { return session.ExchangeFinal(c, 3); }},
    };
    for (const Form &f : forms) {
        streaming = true;
        QByteArray c = "AT";
        const double c0 = ThreadCpuSeconds();
        const auto w0 = Clock::now();
        const int res = f.run(c);
        const double w = std::chrono::duration<double>(Clock::now() - w0).count();
        const double used = ThreadCpuSeconds() - c0;
        streaming = false;
        std::printf("(c) endless answer, %-9s exchange: result %d, %lld bytes in %.2f s, CPU %.3f s = %.1f%% of one core"
                    " (target < 20%%)\n",
                    f.name, res, static_cast<long long>(c.size()), w, used, 100.0 * used / w);
        // Let the stream stop before the next form.
        session.Wait(100);
        comm.Input();
    }

    running = false;
    stream.join();
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
