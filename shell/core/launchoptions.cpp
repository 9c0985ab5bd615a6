#include "shell/core/launchoptions.h"

namespace telvio {

QStringList LaunchOptions::DemoModels()
{
    return {QStringLiteral("orca1"), QStringLiteral("orca1us"), QStringLiteral("pike2"), QStringLiteral("pike3")};
}

LaunchOptions LaunchOptions::Parse(const QStringList &arguments)
{
    LaunchOptions o;
    const QStringList models = DemoModels();
    for (int i = 0; i < arguments.size(); ++i) {
        const QString arg = arguments.at(i);
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            o.help = true;
        } else if (arg == QLatin1String("-v") || arg == QLatin1String("--version")) {
            o.version = true;
        } else if (arg == QLatin1String("--demo") || arg.startsWith(QLatin1String("--demo="))) {
            o.demo = true;
            QString model;
            if (arg.startsWith(QLatin1String("--demo=")))
                model = arg.mid(7);
            else if (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QLatin1Char('-')))
                model = arguments.at(++i);
            model = model.toLower();
            if (model.isEmpty()) {
                o.demoModel = QStringLiteral("pike3");
            } else if (models.contains(model)) {
                o.demoModel = model;
            } else {
                o.error = QStringLiteral("Unknown demo model \"%1\": choose one of %2.")
                              .arg(model, models.join(QLatin1String(", ")));
            }
        } else if (arg == QLatin1String("--port") || arg.startsWith(QLatin1String("--port="))) {
            QString path;
            if (arg.startsWith(QLatin1String("--port=")))
                path = arg.mid(7);
            else if (i + 1 < arguments.size())
                path = arguments.at(++i);
            if (path.isEmpty())
                o.error = QStringLiteral("--port needs a device path, for example --port /dev/ttyUSB0.");
            else
                o.ports.append(path);
        } else {
            o.error = QStringLiteral("Unknown argument \"%1\".").arg(arg);
        }
        if (!o.error.isEmpty())
            break;
    }
    return o;
}

QString LaunchOptions::HelpText(const QString &program)
{
    return QStringLiteral(
               "Usage: %1 [options]\n"
               "Configures and diagnoses Kestrava GSM/GPRS modems on a serial port.\n"
               "\n"
               "Options:\n"
               "  --demo [MODEL]   start a simulated modem on a pseudo-terminal and offer\n"
               "                   it first in the port list; MODEL is orca1, orca1us,\n"
               "                   pike2 or pike3 (the default)\n"
               "  --port PATH      offer PATH first in the port list (may be repeated)\n"
               "  -h, --help       show this help and exit\n"
               "  -v, --version    show the version and exit\n")
        .arg(program);
}

} // namespace telvio
