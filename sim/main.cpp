// telvio-sim: a simulated modem on a pseudo-terminal, for demos and for tests
// that drive the application as a separate process.

#include "sim/ptyserver.h"
#include "sim/simoptions.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

// SIGINT and SIGTERM only write a byte; the event loop reads it and quits.
bool installSignalHandlers()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return false;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return sigaction(SIGINT, &action, nullptr) == 0 && sigaction(SIGTERM, &action, nullptr) == 0;
}

// The link is ours to replace or remove only while it is a symbolic link.
bool makeLink(const QString &link, const QString &target)
{
    const QByteArray path = QFile::encodeName(link);
    if (QFileInfo(link).isSymLink())
        ::unlink(path.constData());
    return ::symlink(QFile::encodeName(target).constData(), path.constData()) == 0;
}

void removeLink(const QString &link, const QString &target)
{
    if (!link.isEmpty() && QFileInfo(link).isSymLink() && QFileInfo(link).symLinkTarget() == target)
        ::unlink(QFile::encodeName(link).constData());
}

} // namespace

int main(int argc, char *argv[])
{
    using namespace telvio::sim;
    QCoreApplication app(argc, argv);

    SimOptions options;
    QString error;
    if (!parseSimOptions(app.arguments(), &options, &error) || (!options.help && !loadSimStateFiles(&options, &error))) {
        std::fprintf(stderr, "telvio-sim: %s\n", qPrintable(error));
        return 2;
    }
    if (options.help) {
        std::fputs(qPrintable(simOptionsHelp()), stdout);
        return 0;
    }
    if (!installSignalHandlers()) {
        std::perror("telvio-sim: signal handlers");
        return 1;
    }
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [&app]() {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &byte, 1);
        app.quit();
    });

    PtyServer server(options.config);
    if (!server.open(&error)) {
        std::fprintf(stderr, "telvio-sim: %s\n", qPrintable(error));
        return 1;
    }
    const QString path = server.slavePath();
    if (!options.linkPath.isEmpty() && !makeLink(options.linkPath, path)) {
        std::fprintf(stderr, "telvio-sim: cannot link %s: %s\n", qPrintable(options.linkPath), std::strerror(errno));
        return 1;
    }
    QObject::connect(&server, &PtyServer::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
    if (options.config.log) {
        const SimConfig &c = options.config;
        std::fprintf(stderr, "telvio-sim: %s, %s firmware, %d %s, IMEI %s\n", modelInfo(c.model).name,
                     firmwareKey(c.effectiveFirmware()), c.line.baud, c.line.framingText().constData(),
                     c.effectiveImei().constData());
    }

    const int result = app.exec();
    server.close();
    removeLink(options.linkPath, path);
    return result;
}
