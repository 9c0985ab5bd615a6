// Time of one Connect against the simulator sending at the line's real byte
// rate, next to the least time the line allows; and the time of a full
// Autoconnect search on a silent port next to the sum of its timeouts.
//
//   bench-connect-timing [--no-search]
#include "link/core/autoconnect.h"
#include "link/core/modemsession.h"
#include "link/core/mscomm.h"
#include "sim/simthread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

using namespace telvio;

namespace {

struct Session {
    CMSComm comm;
    ModemSession session{&comm, nullptr};
    QTimer tick;
    long long bytes = 0;
    Session()
    {
        tick.setInterval(50);
        QObject::connect(&tick, &QTimer::timeout, &session, &ModemSession::Tick);
        tick.start();
        // The line is full duplex and the modem echoes as it receives, so the
        // receiving direction sets the pace: count what the modem sends.
        session.SetTraceSink([this](TraceDirection d, const QByteArray &b) {
            if (d == TraceDirection::Received)
                bytes += b.size();
        });
    }
};

int FastUnit(ModemSession &s, int baud)
{
    s.SetFastProbe(true);
    s.SetPollUnit(baud);
    const int unit = s.PollUnit();
    s.SetFastProbe(false);
    s.SetPollUnit(baud);
    return unit;
}

void TimeConnect(int baud)
{
    sim::SimConfig config;
    config.model = sim::Model::Pike3;
    config.line.baud = baud;
    config.realRate = true;
    sim::SimThread modem;
    const QString path = modem.start(config);
    Session s;
    ConnectParams p;
    p.port = path;
    p.line.baud = baud;
    double best = 1e9;
    long long bytes = 0;
    int result = 0;
    for (int round = 0; round < 5; ++round) {
        s.bytes = 0;
        QElapsedTimer t;
        t.start();
        result = s.session.Connect(p);
        const double ms = t.nsecsElapsed() / 1e6;
        if (getenv("BENCH_VERBOSE"))
            std::printf("  round %d: result %d, %.1f ms, %lld bytes\n", round, result, ms, s.bytes);
        if (result == 1 && ms < best) {
            best = ms;
            bytes = s.bytes;
        }
        s.session.Disconnect();
        // Let the rest of the last answer ("OK" after "+CPIN: READY") drain.
        QElapsedTimer quiet;
        quiet.start();
        while (quiet.elapsed() < 200)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    // Ten bits a character on the wire (start, 8 data, stop), plus the
    // probe's pause of five poll units in milliseconds.
    const double wire = bytes * 10.0 * 1000.0 / baud;
    const double pause = FastUnit(s.session, baud) * 5.0;
    std::printf("Connect at %6d baud: result %d, best of 5 %.1f ms; %lld bytes from the modem = %.1f ms + probe pause "
                "%.0f ms = least %.1f ms; overhead %.1f ms\n",
                baud, result, best, bytes, wire, pause, wire + pause, best - wire - pause);
    modem.stop();
}

void TimeSearch()
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::printf("no pseudo-terminal\n");
        return;
    }
    const QString path = QString::fromLocal8Bit(ptsname(master));
    // Keep a slave open so the master never sees a hang-up between attempts.
    const int keep = open(ptsname(master), O_RDWR | O_NOCTTY);
    Session s;
    double specified = 0;
    for (const SearchAttempt &a : AutoconnectOrder()) {
        const int unit = FastUnit(s.session, a.baud.toInt());
        specified += unit * 5 + 3 * unit * 50; // pause, "AT", "AT", "ATQ0"
    }
    QElapsedTimer t;
    t.start();
    int attempts = 0;
    const int r = RunAutoconnectSearch(s.session, path, QStringLiteral("pts"), [&](int n, const QString &) { attempts = n; },
                                       [] { return false; });
    const double took = t.nsecsElapsed() / 1e6;
    std::printf("Autoconnect on a silent port: result %d after %d attempts in %.1f s; specified timeouts add up to "
                "%.1f s; overhead %.1f ms per attempt\n",
                r, attempts, took / 1000, specified / 1000, (took - specified) / attempts);
    close(keep);
    close(master);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TimeConnect(115200);
    TimeConnect(9600);
    if (!(argc > 1 && std::string(argv[1]) == "--no-search"))
        TimeSearch();
    return 0;
}
