#pragma once

#include "link/core/portsettings.h"

#include <QString>

#include <functional>

namespace telvio {

class ModemSession;
class Prompter;

// After the device under a connected port vanished (a USB modem unplugged):
// watches its path for a minute, and when a device appears there again
// offers to reconnect, or reconnects by itself when told to, at the rate
// and framing the link last had. Nothing is read from the modem but its
// identity: the pages wait for the user.
class ReconnectWatch {
public:
    static constexpr qint64 kWindowMs = 60 * 1000;

    enum class Outcome { Idle, Waiting, Reconnected, Declined, Failed, Expired };

    ReconnectWatch(ModemSession &session, Prompter &prompts);

    // The stored option, off unless the user set it.
    void SetAutomatic(bool on) { m_automatic = on; }
    bool Automatic() const { return m_automatic; }
    // Whether a path names a device now; the file system unless a test says.
    void SetExists(std::function<bool(const QString &)> exists) { m_exists = std::move(exists); }

    // The link went down by itself; the session still names the port and
    // line it ran on.
    void LinkLost(qint64 nowMs);
    // Called now and then (the window's timer): looks at the path.
    Outcome Poll(qint64 nowMs);
    bool Watching() const { return m_watching; }
    QString Port() const { return m_port; }
    // The user connected by hand, or closed the window: stop watching.
    void Cancel() { m_watching = false; }

    // The question asked before reconnecting.
    static QString Question(const QString &port, const PortSettings &line);

private:
    Outcome Reconnect();

    ModemSession &m_session;
    Prompter &m_prompts;
    std::function<bool(const QString &)> m_exists;
    bool m_automatic = false;
    bool m_watching = false;
    bool m_gone = false; // the path was seen missing since the link went down
    qint64 m_lostAt = 0;
    QString m_port;
    PortSettings m_line;
};

} // namespace telvio
