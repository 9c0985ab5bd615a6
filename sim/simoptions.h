#pragma once

#include "sim/simconfig.h"

#include <QString>
#include <QStringList>

namespace telvio::sim {

// The command line of the telvio-sim executable.
struct SimOptions {
    SimConfig config;
    QString linkPath; // --link: a symbolic link to the slave
    bool help = false;
};

// Parses the arguments (the first one is the program name). On failure returns
// false with a message in `error`.
bool parseSimOptions(const QStringList &arguments, SimOptions *options, QString *error);

// The --help text.
QString simOptionsHelp();

} // namespace telvio::sim
