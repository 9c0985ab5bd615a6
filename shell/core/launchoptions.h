#pragma once

#include "shell/core/shelllayer.h"

#include <QString>
#include <QStringList>

namespace telvio {

// What the command line asks for.
struct LaunchOptions {
    bool demo = false;
    QString demoModel;    // orca1, orca1us, pike2 or pike3 when demo is set
    QStringList ports;    // --port, in the order given
    bool help = false;
    bool version = false;
    QString error;        // a usage error, to print with the help

    static QStringList DemoModels();
    // `arguments` without the program name.
    static LaunchOptions Parse(const QStringList &arguments);
    static QString HelpText(const QString &program);
};

} // namespace telvio
