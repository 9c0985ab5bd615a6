#include "link/core/reconnectwatch.h"

#include "link/core/modemsession.h"
#include "link/core/sessionhost.h"
#include "shell/core/prompter.h"

#include <QFileInfo>

namespace telvio {

ReconnectWatch::ReconnectWatch(ModemSession &session, Prompter &prompts)
    : m_session(session), m_prompts(prompts), m_exists([](const QString &path) { return QFileInfo::exists(path); })
{
}

QString ReconnectWatch::Question(const QString &port, const PortSettings &line)
{
    return QStringLiteral("The device %1 is back.\nReconnect at %2?").arg(port, line.ToString());
}

void ReconnectWatch::LinkLost(qint64 nowMs)
{
    m_port = m_session.PortName();
    m_line = m_session.Line();
    m_lostAt = nowMs;
    m_gone = false;
    m_watching = !m_port.isEmpty() && m_port != QLatin1String("0");
}

ReconnectWatch::Outcome ReconnectWatch::Poll(qint64 nowMs)
{
    if (!m_watching)
        return Outcome::Idle;
    if (m_session.LinkUp()) {
        // Connected again by hand meanwhile.
        m_watching = false;
        return Outcome::Idle;
    }
    if (nowMs - m_lostAt > kWindowMs) {
        m_watching = false;
        return Outcome::Expired;
    }
    // A hang-up that left the device in place is no unplugging: only a
    // device that went and came back is offered.
    if (!m_exists(m_port)) {
        m_gone = true;
        return Outcome::Waiting;
    }
    if (!m_gone || m_session.Busy())
        return Outcome::Waiting;
    m_watching = false;
    if (!m_automatic && !m_prompts.Question(Question(m_port, m_line), QString()))
        return Outcome::Declined;
    return Reconnect();
}

ReconnectWatch::Outcome ReconnectWatch::Reconnect()
{
    ConnectParams p;
    p.port = m_port;
    p.line = m_line;
    if (m_session.Connect(p) != 1)
        return Outcome::Failed;
    SessionHost *host = m_session.Host();
    host->SetStatusBarConnected(true);
    host->UpdateStatusBar();
    return Outcome::Reconnected;
}

} // namespace telvio
