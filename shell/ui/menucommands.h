#pragma once

#include "shell/ui/uilayer.h"

namespace telvio {

// Command ids of the main window's menu.
enum MenuCommand {
    CmdNewProfile = 32771,
    CmdOpenProfile = 32772,
    CmdSaveProfile = 32773,
    CmdExit = 32774,
    CmdOptions = 32775,
    CmdHelp = 32776,
    CmdAbout = 32777,
    CmdClearTerminal = 32778,
    CmdAutoconnect = 32779,
    CmdConnect = 32780,
    CmdDisconnect = 32781,
    CmdOpenPort = 32782,
    CmdRemote = 32783,
    CmdCloseProfile = 32785,
    CmdWriteProfile = 32786,
    CmdSignalHistory = 32787, // the Signal page's history plot
    CmdLogSession = 32788,    // Tool: the session log, on and off
};

// Positions of the top-level menus.
enum MenuPosition { MenuFile = 0, MenuConnection = 1, MenuTool = 2, MenuHelp = 3 };

} // namespace telvio
