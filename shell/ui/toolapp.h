#pragma once

#include "shell/ui/uilayer.h"

#include "shell/core/launchoptions.h"

#include <QStringList>

namespace telvio {

// The application object: reads the command line, sets up the program's
// identity and runs the main window until it closes.
class CToolApp {
public:
    CToolApp(int &argc, char **argv);
    int Run();

    // The identity QSettings and the desktop see.
    static void SetIdentity();

private:
    int &m_argc;
    char **m_argv;
    QStringList m_arguments;
};

} // namespace telvio
