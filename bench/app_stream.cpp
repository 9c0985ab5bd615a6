// What the whole app process costs while a device talks to its terminal.
//
//   bench-app-stream [--app PATH] [--seconds N] [--baud B] [--slice MS]
//
// Starts an X server (Xvfb) of its own and the real `telvio` process on it
// with a pseudo-terminal as its port, presses Alt+O (Open, for the
// terminal) with xdotool, then measures the process's CPU (every thread,
// from /proc/PID/stat) over N seconds each:
//   idle     the window up, the port closed;
//   open     the port open, nothing arriving;
//   lines    a continuous stream at the line's rate (B/10 bytes a second,
//            written every MS milliseconds) of unsolicited lines;
//   no ends  the same rate of text without a single line end.
// The X server's own CPU is printed beside it; the target (under 3% of a
// core) is the app's. Needs the Debian packages xvfb and xdotool.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <limits.h>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double ProcessCpuSeconds(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t close = all.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(all.substr(close + 2));
    std::string f;
    unsigned long long utime = 0, stime = 0;
    // After the name: state is field 3, utime 14, stime 15.
    for (int i = 3; i <= 15 && fields >> f; ++i) {
        if (i == 14)
            utime = std::stoull(f);
        else if (i == 15)
            stime = std::stoull(f);
    }
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

pid_t Spawn(const std::vector<std::string> &args, const std::function<void()> &inChild = {})
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (inChild)
            inChild();
        std::vector<char *> argv;
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        std::fprintf(stderr, "cannot run %s: %s\n", argv[0], std::strerror(errno));
        _exit(127);
    }
    return pid;
}

void Stop(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 50; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

std::string Run(const std::string &command)
{
    std::string out;
    if (FILE *p = popen(command.c_str(), "r")) {
        char buf[256];
        while (fgets(buf, sizeof buf, p))
            out += buf;
        pclose(p);
    }
    return out;
}

bool HasOpen(pid_t pid, const std::string &path)
{
    const std::string dir = "/proc/" + std::to_string(pid) + "/fd/";
    for (int fd = 0; fd < 256; ++fd) {
        char target[PATH_MAX];
        const ssize_t n = readlink((dir + std::to_string(fd)).c_str(), target, sizeof target - 1);
        if (n > 0 && std::string(target, size_t(n)) == path)
            return true;
    }
    return false;
}

// What a busy modem sends unasked.
std::string Lines(size_t size)
{
    std::string s;
    for (int n = 0; s.size() < size; ++n) {
        switch (n % 5) {
        case 0: s += "+CREG: 1,\"00C3\",\"" + std::to_string(1000 + n % 4000) + "\"\r\n"; break;
        case 1: s += "+CSQ: " + std::to_string(n % 32) + ",0\r\n"; break;
        case 2: s += "RING\r\n"; break;
        case 3: s += "+CMTI: \"SM\"," + std::to_string(n % 30) + "\r\n"; break;
        default: s += "+CGREG: 1\r\n\r\nOK\r\n"; break;
        }
    }
    s.resize(size);
    return s;
}

// A device that never ends its line: printable text only.
std::string NoEnds(size_t size)
{
    std::string s;
    for (int n = 0; s.size() < size; ++n)
        s += "+CSQ: " + std::to_string(n % 32) + ",0 RING +CREG: 1,\"00C3\" ";
    s.resize(size);
    return s;
}

struct Figure {
    double app = 0;
    double server = 0;
    double wall = 0;
};

} // namespace

int main(int argc, char **argv)
{
    std::string app;
    double seconds = 10;
    int baud = 115200;
    int sliceMs = 1;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--app") && i + 1 < argc)
            app = argv[++i];
        else if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--baud") && i + 1 < argc)
            baud = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--slice") && i + 1 < argc)
            sliceMs = std::max(1, std::atoi(argv[++i]));
    }
    if (app.empty()) {
        // The app is built at the top of the build tree, this program in bench/.
        char self[PATH_MAX];
        const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
        std::string dir = n > 0 ? std::string(self, size_t(n)) : std::string(".");
        dir = dir.substr(0, dir.rfind('/'));
        app = dir.substr(0, dir.rfind('/')) + "/telvio";
    }
    if (access(app.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "no app at %s (give --app PATH)\n", app.c_str());
        return 2;
    }

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::fprintf(stderr, "cannot open a pseudo-terminal\n");
        return 2;
    }
    const std::string slave = ptsname(master);

    // A display nobody uses.
    int display = 90;
    while (display < 200 && access(("/tmp/.X11-unix/X" + std::to_string(display)).c_str(), F_OK) == 0)
        ++display;
    const std::string name = ":" + std::to_string(display);
    const pid_t server = Spawn({"Xvfb", name, "-nolisten", "tcp", "-screen", "0", "1280x1024x24"}, [] {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 2);
    });
    for (int i = 0; i < 100 && access(("/tmp/.X11-unix/X" + std::to_string(display)).c_str(), F_OK) != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    setenv("DISPLAY", name.c_str(), 1);
    unsetenv("QT_QPA_PLATFORM");
    char settings[] = "/tmp/telvio-bench-XXXXXX";
    if (!mkdtemp(settings)) {
        Stop(server);
        return 2;
    }
    // Fresh settings: the stock window, nothing remembered from a user.
    setenv("XDG_CONFIG_HOME", settings, 1);
    const pid_t pid = Spawn({app, "--port", slave});

    int failure = 0;
    auto fail = [&](const char *what) {
        std::fprintf(stderr, "%s\n", what);
        failure = 1;
    };
    const std::string pidText = std::to_string(pid);
    std::string window =
        Run("timeout 20 xdotool search --sync --onlyvisible --pid " + pidText + " 2>/dev/null | head -n 1");
    if (window.empty())
        fail("the app showed no window");
    else
        window.pop_back(); // the line end

    // Drain whatever the app writes, so the pty never blocks it.
    std::atomic<bool> running{true};
    std::thread drain([&] {
        char buf[512];
        while (running) {
            pollfd p{master, POLLIN, 0};
            if (poll(&p, 1, 50) > 0 && (p.revents & POLLIN))
                (void)!read(master, buf, sizeof buf);
        }
    });

    auto measure = [&](const std::string *stream) {
        Figure f;
        const double a0 = ProcessCpuSeconds(pid);
        const double s0 = ProcessCpuSeconds(server);
        const auto t0 = Clock::now();
        const double bytesPerSecond = baud / 10.0;
        size_t written = 0;
        for (;;) {
            const double t = std::chrono::duration<double>(Clock::now() - t0).count();
            if (t >= seconds)
                break;
            if (stream) {
                const size_t due = std::min(stream->size(), size_t(t * bytesPerSecond));
                while (written < due) {
                    const ssize_t n = write(master, stream->data() + written, due - written);
                    if (n <= 0) {
                        if (errno == EINTR || errno == EAGAIN)
                            continue;
                        break;
                    }
                    written += size_t(n);
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(stream ? sliceMs : 100));
        }
        f.wall = std::chrono::duration<double>(Clock::now() - t0).count();
        f.app = ProcessCpuSeconds(pid) - a0;
        f.server = ProcessCpuSeconds(server) - s0;
        return f;
    };
    auto print = [&](const char *what, const Figure &f, bool target) {
        std::printf("%-9s app %.2f s CPU over %.1f s = %5.2f%% of one core%s; X server %.2f%%\n", what, f.app, f.wall,
                    100.0 * f.app / f.wall, target ? " (target < 3%)" : "", 100.0 * f.server / f.wall);
        std::fflush(stdout);
    };

    if (!failure) {
        std::this_thread::sleep_for(std::chrono::seconds(2)); // let the window settle
        print("idle", measure(nullptr), false);
        // Without a window manager nothing gives the window the focus.
        for (int attempt = 0; attempt < 5 && !HasOpen(pid, slave); ++attempt) {
            Run("xdotool windowfocus --sync " + window + " 2>/dev/null");
            Run("xdotool key alt+o 2>/dev/null");
            for (int i = 0; i < 20 && !HasOpen(pid, slave); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (!HasOpen(pid, slave))
            fail("the app did not open the port (Alt+O)");
    }
    if (!failure) {
        std::printf("app %s on %s, port %s, %d baud paced (%.0f bytes/s every %d ms), %.0f s each\n", app.c_str(),
                    name.c_str(), slave.c_str(), baud, baud / 10.0, sliceMs, seconds);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        print("open", measure(nullptr), false);
        const size_t size = size_t(baud / 10.0 * seconds) + 1024;
        const std::string lines = Lines(size);
        print("lines", measure(&lines), true);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const std::string noEnds = NoEnds(size);
        print("no ends", measure(&noEnds), true);
    }

    Stop(pid);
    running = false;
    drain.join();
    close(master);
    Stop(server);
    Run(std::string("rm -rf ") + settings);
    return failure;
}
