#pragma once

#include "shell/ui/uilayer.h"

namespace telvio {

class ModemSession;
class MainWindowHost;
class Prompter;

// What every page works with. `main` gives the menu and the timers; it is
// null when a page is tried on its own.
struct PageContext {
    ModemSession *session = nullptr;
    Prompter *prompter = nullptr;
    MainWindowHost *main = nullptr;
};

} // namespace telvio
