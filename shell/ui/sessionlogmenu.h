#pragma once

#include "link/core/sessionlog.h"

class QAction;

namespace telvio {

class ModemSession;
class Prompter;

// The Tool menu's "Log Session to File…": chosen once to start logging into
// a file the user picks (appended to), shown checked while it runs, chosen
// again to stop.
class SessionLogMenu {
public:
    SessionLogMenu(ModemSession &session, Prompter &prompts, QAction &action);
    ~SessionLogMenu();

    void Toggle();
    bool Running() const { return m_log.IsOpen(); }
    SessionLog &Log() { return m_log; }

private:
    void Stop();

    ModemSession &m_session;
    Prompter &m_prompts;
    QAction &m_action;
    SessionLog m_log;
};

} // namespace telvio
