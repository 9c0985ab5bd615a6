#pragma once

#include "shell/ui/uilayer.h"

namespace telvio {

// What a page may ask of the main window: a menu item's state and the
// window's timers. The main window implements it; a page tried on its own
// has none.
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    // `position`: the menu (MenuFile, MenuConnection ...); `commandId`: its
    // item (menucommands.h).
    virtual void EnableMenuCommand(int position, int commandId, bool enable) = 0;
    virtual void StartSignalTimer(int intervalMs) = 0;
    virtual void StopSignalTimer() = 0;
    // The DTR test: DTR drops again after one second.
    virtual void StartDtrDropTimer() = 0;
};

} // namespace telvio
