#include "shell/ui/toolapp.h"

#include "shell/core/product.h"
#include "shell/ui/demomodem.h"
#include "shell/ui/maindialog.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>

namespace telvio {

CToolApp::CToolApp(int &argc, char **argv) : m_argc(argc), m_argv(argv)
{
    for (int i = 1; i < argc; ++i)
        m_arguments.append(QString::fromLocal8Bit(argv[i]));
}

void CToolApp::SetIdentity()
{
    QCoreApplication::setOrganizationName(SettingsOrganisation());
    QCoreApplication::setApplicationName(SettingsApplication());
    QCoreApplication::setApplicationVersion(QStringLiteral(TELVIO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("telvio"));
}

int CToolApp::Run()
{
    // Help and version need no display: answer them before the window
    // system is touched.
    const QString program = m_argc > 0 ? QFileInfo(QString::fromLocal8Bit(m_argv[0])).fileName()
                                       : QStringLiteral("telvio");
    const LaunchOptions launch = LaunchOptions::Parse(m_arguments);
    if (!launch.error.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n\n%s", qPrintable(program), qPrintable(launch.error),
                     qPrintable(LaunchOptions::HelpText(program)));
        return 2;
    }
    if (launch.help) {
        std::fputs(qPrintable(LaunchOptions::HelpText(program)), stdout);
        return 0;
    }
    if (launch.version) {
        std::printf("%s %s\n", qPrintable(program), TELVIO_VERSION);
        return 0;
    }

    QApplication app(m_argc, m_argv);
    SetIdentity();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/telvio.png")));

    MainDialog::Setup setup;
    setup.extraPorts = launch.ports;
    DemoModem demo;
    if (launch.demo) {
        QString error;
        const QString path = demo.Start(launch.demoModel, &error);
        if (path.isEmpty()) {
            std::fprintf(stderr, "%s: cannot start the simulated modem: %s\n", qPrintable(program),
                         qPrintable(error));
            return 1;
        }
        setup.extraPorts.prepend(path);
    }

    MainDialog window(setup);
    window.show();
    return app.exec();
}

} // namespace telvio
