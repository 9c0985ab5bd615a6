#include "shell/ui/sessionlogmenu.h"

#include "link/core/modemsession.h"
#include "shell/core/prompter.h"

#include <QAction>

namespace telvio {

SessionLogMenu::SessionLogMenu(ModemSession &session, Prompter &prompts, QAction &action)
    : m_session(session), m_prompts(prompts), m_action(action)
{
    m_action.setCheckable(true);
}

SessionLogMenu::~SessionLogMenu()
{
    Stop();
}

void SessionLogMenu::Toggle()
{
    if (Running()) {
        Stop();
        return;
    }
    const QString path = m_prompts.SaveFile(QStringLiteral("Log Files (*.log);;All Files (*.*)"), QStringLiteral("log"));
    QString error;
    if (!path.isEmpty() && !m_log.Open(path, &error))
        m_prompts.Message(QStringLiteral("Cannot write the session log %1: %2").arg(path, error),
                          QStringLiteral("Log Session to File"), Prompter::Icon::Warning);
    if (Running())
        m_session.SetTraceSink([this](TraceDirection dir, const QByteArray &bytes) { m_log.Record(dir, bytes); });
    m_action.setChecked(Running());
}

void SessionLogMenu::Stop()
{
    if (Running())
        m_session.SetTraceSink(nullptr);
    m_log.Close();
    m_action.setChecked(false);
}

} // namespace telvio
