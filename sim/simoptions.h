#pragma once

#include "sim/simconfig.h"

#include <QString>
#include <QStringList>

namespace telvio::sim {

// The command line of the telvio-sim executable.
struct SimOptions {
    SimConfig config;        // config.assignments: the --set ones, in order
    QStringList stateFiles;  // --state, in order; loadSimStateFiles reads them
    QString linkPath;        // --link: a symbolic link to the slave
    bool help = false;
};

// Parses the arguments (the first one is the program name). On failure returns
// false with a message in `error`. Pure: reads no file (not even --state's), so
// it can be given any input.
bool parseSimOptions(const QStringList &arguments, SimOptions *options, QString *error);

// Reads the --state files and puts their entries before the --set ones (the
// command line wins), each checked against the modem the options describe.
// On failure returns false with a message naming the file and the entry.
bool loadSimStateFiles(SimOptions *options, QString *error);

// The --help text.
QString simOptionsHelp();

} // namespace telvio::sim
