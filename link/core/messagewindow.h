#pragma once

#include "link/core/linklayer.h"

#include "link/core/modemsession.h"
#include "link/core/sessionhost.h"

namespace telvio {

// The "Wait" message window for the length of one procedure: shown on
// construction, closed on every way out of the scope.
class MessageWindowScope {
public:
    MessageWindowScope(ModemSession &session, const QString &text) : m_host(session.Host())
    {
        m_host->ShowMessageWindow(text);
    }
    ~MessageWindowScope() { m_host->CloseMessageWindow(); }
    MessageWindowScope(const MessageWindowScope &) = delete;
    MessageWindowScope &operator=(const MessageWindowScope &) = delete;

private:
    SessionHost *m_host;
};

// The session's busy flag for the length of one procedure.
class BusyScope {
public:
    explicit BusyScope(ModemSession &session) : m_session(session) { m_session.SetBusy(true); }
    ~BusyScope() { m_session.SetBusy(false); }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;
    // Clears the flag early (before pages read on their own).
    void Release() { m_session.SetBusy(false); }

private:
    ModemSession &m_session;
};

} // namespace telvio
