// Streams modem output through a pseudo-terminal into the running main
// window at the rate of a 115200 baud line and reports what it cost.
//
//   bench-terminal-throughput [--seconds N] [--baud B]
//
// The window runs on the offscreen platform unless QT_QPA_PLATFORM says
// otherwise; the port is opened for the terminal through the Connection
// page, exactly as a technician would. Prints the share of one core the
// window's thread used, how many bytes the terminal took in against those
// sent, whether the window shows exactly the newest text, how long the
// event loop was ever held up, and how long the tail took to appear.

#include "link/core/modemsession.h"
#include "link/ui/connectionpage.h"
#include "shell/core/terminaltext.h"
#include "shell/ui/maindialog.h"
#include "shell/ui/propsheet.h"
#include "shell/ui/statuspanel.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

double ThreadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// What a busy modem sends unasked: registration, signal, rings, messages,
// and now and then a backspace from an echoing line editor.
QByteArray StreamLine(int n)
{
    switch (n % 6) {
    case 0: return "+CREG: 1,\"00C3\",\"" + QByteArray::number(0x1000 + n % 4096, 16).toUpper() + "\"\r\n";
    case 1: return "+CSQ: " + QByteArray::number(n % 32) + ",0\r\n";
    case 2: return "RING\r\n";
    case 3: return "+CMTI: \"SM\"," + QByteArray::number(n % 30) + "\r\n";
    case 4: return "+CGREG: 1\r\nOK\r\n";
    default: return "AT+CSQX\b\r\r\n+CSQ: 21,99\r\n\r\nOK\r\n";
    }
}

// The stream as the terminal would show it with no window limit.
QByteArray Unlimited(const QByteArray &stream)
{
    QByteArray raw;
    for (char c : stream) {
        if (c == '\b') {
            if (!raw.isEmpty())
                raw.chop(1);
        } else {
            raw.append(c);
        }
    }
    raw.replace("\n", "");
    raw.replace("\r", "\r\n");
    return raw;
}

struct Pty {
    int master = -1;
    QString slave;
    bool Open()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
            return false;
        slave = QString::fromLocal8Bit(ptsname(master));
        return true;
    }
    ~Pty()
    {
        if (master >= 0)
            ::close(master);
    }
};

} // namespace

int main(int argc, char **argv)
{
    double seconds = 10.0;
    int baud = 115200;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--baud") && i + 1 < argc)
            baud = std::atoi(argv[++i]);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    Pty pty;
    if (!pty.Open()) {
        std::fprintf(stderr, "cannot open a pseudo-terminal: %s\n", std::strerror(errno));
        return 2;
    }

    telvio::MainDialog::Setup setup;
    setup.extraPorts = {pty.slave};
    telvio::MainDialog window(setup);
    window.show();
    telvio::Cserial *page = window.Sheet()->ConnectionPage();
    page->BaudList()->setCurrentText(QString::number(baud));
    page->ExecuteCommand(telvio::Cserial::CmdOpen);
    if (!window.Session()->Connected()) {
        std::fprintf(stderr, "the window could not open %s\n", qPrintable(pty.slave));
        return 2;
    }
    telvio::StatusPanel *panel = window.Panel();

    // 10 bits a character on the line: start, 8 data, stop.
    const double bytesPerSecond = baud / 10.0;
    std::atomic<bool> writerDone{false};
    std::atomic<qint64> sentCount{0};
    QByteArray stream;
    for (int n = 0; stream.size() < qint64(bytesPerSecond * seconds); ++n)
        stream += StreamLine(n);
    stream.truncate(qint64(bytesPerSecond * seconds));

    QElapsedTimer loopWatch;
    qint64 worstStallMs = 0;
    QTimer heartbeat;
    heartbeat.setInterval(10);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        worstStallMs = std::max(worstStallMs, loopWatch.restart() - 10);
    });

    const double cpuStart = ThreadCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    loopWatch.start();
    heartbeat.start();

    std::thread writer([&] {
        // Paced in 5 ms slices, as a UART would deliver them.
        QElapsedTimer clock;
        clock.start();
        qint64 written = 0;
        while (written < stream.size()) {
            const qint64 due = std::min<qint64>(stream.size(), qint64(clock.nsecsElapsed() / 1e9 * bytesPerSecond));
            while (written < due) {
                const ssize_t n = ::write(pty.master, stream.constData() + written, size_t(due - written));
                if (n < 0) {
                    if (errno == EINTR || errno == EAGAIN)
                        continue;
                    writerDone = true;
                    return;
                }
                written += n;
                sentCount = written;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        writerDone = true;
    });

    // Run the window until everything sent has reached the terminal (or a
    // generous limit passes: a terminal that falls behind shows up as a
    // shortfall).
    QElapsedTimer drain;
    bool draining = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!writerDone)
            return;
        if (!draining) {
            draining = true;
            drain.start();
        }
        if (panel->TerminalReceived() >= sentCount || drain.elapsed() > 5000)
            app.quit();
    });
    poll.start();
    app.exec();
    heartbeat.stop();
    const double elapsed = wall.nsecsElapsed() / 1e9;
    // Let the window show the tail before comparing.
    panel->ShowPendingText();
    const double cpu = ThreadCpuSeconds() - cpuStart;
    writer.join();

    // Where the window cuts depends on how the stream was split into reads,
    // so the check is: the window shows exactly the terminal's text, and
    // that text is the newest part of the whole stream shown without limit.
    const QByteArray text = panel->TerminalContents();
    const QString shown = panel->TerminalOutput()->toPlainText();
    const bool mirrored = shown == QString::fromLatin1(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const bool newest = Unlimited(stream.left(sentCount)).endsWith(text) && text.size() >= 9900;
    const bool exact = mirrored && newest;

    const double share = 100.0 * cpu / elapsed;
    std::printf("stream:            %.1f s at %d baud (%.0f bytes/s)\n", seconds, baud, bytesPerSecond);
    std::printf("bytes sent:        %lld\n", static_cast<long long>(sentCount.load()));
    std::printf("bytes shown:       %lld (terminal input), window holds the newest %lld characters\n",
                static_cast<long long>(panel->TerminalReceived()), static_cast<long long>(panel->TerminalContents().size()));
    std::printf("window shows the terminal text: %s; it is the newest part of the stream: %s\n",
                mirrored ? "yes" : "NO", newest ? "yes" : "NO");
    std::printf("CPU (window thread): %.3f s over %.2f s = %.1f%% of one core (target < 10%%)\n", cpu, elapsed, share);
    std::printf("worst event-loop stall: %lld ms\n", static_cast<long long>(worstStallMs));
    std::printf("tail shown %lld ms after the last byte was sent\n",
                static_cast<long long>(draining ? drain.elapsed() : 0));
    return exact && panel->TerminalReceived() == sentCount ? 0 : 1;
}
