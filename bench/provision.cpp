// Provisioning 1, 4 and 16 simulated modems at 9600 baud, each sending at
// the line's real byte rate: the wall time of `telvio-cli provision` and
// the CPU it used, as a share of one core over that time. The simulators
// run as processes of their own, so their CPU is not counted.
//
//   bench-provision [N ...]        (default 1 4 16)
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Run {
    int exitCode = -1;
    double wallS = 0;
    double cpuS = 0;
    // From the end of the start-up (the profile read, the ports opened) to
    // the last sample before the end: the share of a core while the modems
    // answer.
    double answeringShare = 0;
};

// The process's user and system time so far, in seconds; -1 once gone.
double CpuOf(pid_t pid)
{
    FILE *f = std::fopen(QByteArray("/proc/" + QByteArray::number(pid) + "/stat").constData(), "r");
    if (!f)
        return -1;
    char buffer[1024] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
    std::fclose(f);
    // Fields after the command name, which is in parentheses and may hold blanks.
    const char *rest = std::strrchr(buffer, ')');
    if (!n || !rest)
        return -1;
    unsigned long utime = 0;
    unsigned long stime = 0;
    if (std::sscanf(rest + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2)
        return -1;
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

// fork/exec with wait4, for the child's own rusage.
Run Measure(const QStringList &args, const QString &home)
{
    std::vector<QByteArray> owned;
    owned.push_back(QByteArray(TELVIO_CLI_PATH));
    for (const QString &a : args)
        owned.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : owned)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const QByteArray config = home.toLocal8Bit();
    QElapsedTimer clock;
    clock.start();
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("XDG_CONFIG_HOME", config.constData(), 1);
        // The per-port progress lines are not the figures.
        if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr))
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage use{};
    // Sampled every 50 ms (this is a benchmark, not a test): the first
    // sample after start-up and the last one before the end.
    constexpr double kStartUpS = 0.5;
    double firstCpu = -1, firstAt = 0, lastCpu = -1, lastAt = 0;
    while (wait4(pid, &status, WNOHANG, &use) == 0) {
        const double at = double(clock.nsecsElapsed()) / 1e9;
        const double cpu = CpuOf(pid);
        if (cpu >= 0 && at >= kStartUpS) {
            if (firstCpu < 0) {
                firstCpu = cpu;
                firstAt = at;
            }
            lastCpu = cpu;
            lastAt = at;
        }
        usleep(50 * 1000);
    }
    Run r;
    if (firstCpu >= 0 && lastAt > firstAt)
        r.answeringShare = (lastCpu - firstCpu) / (lastAt - firstAt);
    r.wallS = double(clock.nsecsElapsed()) / 1e9;
    r.cpuS = double(use.ru_utime.tv_sec + use.ru_stime.tv_sec) + double(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

// A telvio-sim process on a pty reached at `link`; false when it did not
// come up within ten seconds.
std::unique_ptr<QProcess> StartSim(const QString &link)
{
    auto sim = std::make_unique<QProcess>();
    sim->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim->start(QStringLiteral(TELVIO_SIM_PATH), {"--real-rate", "--link", link});
    // The simulator prints its pty's path once it serves.
    if (!sim->waitForReadyRead(10000))
        return nullptr;
    return sim;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QList<int> counts;
    for (const QString &a : app.arguments().mid(1))
        counts << a.toInt();
    if (counts.isEmpty())
        counts = {1, 4, 16};
    QTemporaryDir dir;
    const QString home = dir.filePath("home");
    QDir().mkpath(home);

    // The site's profile: saved from a modem like the fleet's, with values
    // that differ from its defaults, so every page has something to write.
    const QString profile = dir.filePath("site.dat");
    {
        auto sim = StartSim(dir.filePath("ref"));
        if (!sim)
            return 1;
        if (Measure({"--port", dir.filePath("ref"), "profile", "save", profile}, home).exitCode != 0
            || Measure({"profile", "edit", profile, "--set", "basic.rings=4", "--set", "sms.serviceCentre=+46709999"},
                       home)
                       .exitCode
                   != 0) {
            std::fprintf(stderr, "cannot make the profile\n");
            return 1;
        }
        sim->terminate();
        sim->waitForFinished();
    }

    std::printf("%-6s %10s %10s %12s %16s %10s\n", "ports", "wall s", "CPU s", "CPU % core", "answering % core",
                "vs 1 port");
    double one = 0;
    for (const int n : counts) {
        std::vector<std::unique_ptr<QProcess>> sims;
        QStringList args{"provision", profile, "--ports"};
        for (int i = 0; i < n; ++i) {
            const QString link = dir.filePath(QStringLiteral("m%1-%2").arg(n).arg(i));
            sims.push_back(StartSim(link));
            if (!sims.back()) {
                std::fprintf(stderr, "simulator %d did not start\n", i);
                return 1;
            }
            args << link;
        }
        const Run r = Measure(args, home);
        for (auto &sim : sims) {
            sim->terminate();
            sim->waitForFinished();
        }
        if (one == 0)
            one = r.wallS;
        std::printf("%-6d %10.2f %10.3f %11.1f%% %15.1f%% %9.2fx%s\n", n, r.wallS, r.cpuS, 100.0 * r.cpuS / r.wallS,
                    100.0 * r.answeringShare, r.wallS / one, r.exitCode == 0 ? "" : "   (not every port ok)");
        std::fflush(stdout);
    }
    return 0;
}
