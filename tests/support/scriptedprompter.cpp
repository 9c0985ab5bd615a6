#include "support/scriptedprompter.h"

#include <QStringList>

namespace telvio {

void ScriptedPrompter::Message(const QString &text, const QString &caption, Icon icon)
{
    m_log.append({Kind::Message, text, caption, icon});
}

bool ScriptedPrompter::Question(const QString &text, const QString &caption)
{
    m_log.append({Kind::Question, text, caption, Icon::None});
    if (m_questions.isEmpty()) {
        ++m_unscripted;
        return false;
    }
    return m_questions.dequeue();
}

QString ScriptedPrompter::OpenFile(const QString &filter, const QString &defaultExt)
{
    Q_UNUSED(defaultExt);
    m_log.append({Kind::OpenFile, filter, QString(), Icon::None});
    if (m_files.isEmpty()) {
        ++m_unscripted;
        return QString();
    }
    return m_files.dequeue();
}

QString ScriptedPrompter::SaveFile(const QString &filter, const QString &defaultExt)
{
    m_log.append({Kind::SaveFile, filter, QString(), Icon::None});
    if (m_files.isEmpty()) {
        ++m_unscripted;
        return QString();
    }
    return WithDefaultExtension(m_files.dequeue(), defaultExt);
}

std::optional<QString> ScriptedPrompter::EnterCode(const QString &caption, int maxLength, bool masked)
{
    Q_UNUSED(masked);
    m_log.append({Kind::EnterCode, caption, caption, Icon::None});
    if (m_codes.isEmpty()) {
        ++m_unscripted;
        return std::nullopt;
    }
    std::optional<QString> code = m_codes.dequeue();
    // The dialog's field takes no more than this; neither does the script.
    if (code && maxLength > 0)
        code->truncate(maxLength);
    return code;
}

QStringList ScriptedPrompter::Texts() const
{
    QStringList texts;
    for (const Asked &a : m_log) {
        if (a.kind == Kind::Message || a.kind == Kind::Question)
            texts.append(a.text);
    }
    return texts;
}

void ScriptedPrompter::Clear()
{
    m_log.clear();
    m_questions.clear();
    m_files.clear();
    m_codes.clear();
    m_unscripted = 0;
}

} // namespace telvio
