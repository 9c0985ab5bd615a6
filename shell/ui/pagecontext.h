#pragma once

namespace telvio {

class MainDialog;
class ModemSession;
class Prompter;

// What every page works with. `main` gives the menu, the timers and the
// status windows; it is null when a page is tried on its own.
struct PageContext {
    ModemSession *session = nullptr;
    Prompter *prompter = nullptr;
    MainDialog *main = nullptr;
};

} // namespace telvio
