#pragma once

#include "shell/core/prompter.h"

#include <QList>
#include <QQueue>

namespace telvio {

// A prompter that answers from queues and remembers what it was asked.
// When a queue is empty it gives the fallback answer (No, no file, cancel)
// and counts the prompt as unscripted, so a test can tell an unexpected
// question from an expected one.
class ScriptedPrompter : public Prompter {
public:
    enum class Kind { Message, Question, OpenFile, SaveFile, EnterCode };

    struct Asked {
        Kind kind;
        QString text;    // message or question text; the filter for files; the caption for codes
        QString caption;
        Icon icon = Icon::None;
    };

    void Message(const QString &text, const QString &caption, Icon icon) override;
    bool Question(const QString &text, const QString &caption) override;
    QString OpenFile(const QString &filter, const QString &defaultExt) override;
    QString SaveFile(const QString &filter, const QString &defaultExt) override;
    std::optional<QString> EnterCode(const QString &caption, int maxLength, bool masked) override;

    void AnswerQuestion(bool yes) { m_questions.enqueue(yes); }
    void AnswerFile(const QString &path) { m_files.enqueue(path); }
    void AnswerCode(std::optional<QString> code) { m_codes.enqueue(std::move(code)); }

    const QList<Asked> &Log() const { return m_log; }
    // The texts of every message and question, in order.
    QStringList Texts() const;
    int Unscripted() const { return m_unscripted; }
    void Clear();

private:
    QList<Asked> m_log;
    QQueue<bool> m_questions;
    QQueue<QString> m_files;
    QQueue<std::optional<QString>> m_codes;
    int m_unscripted = 0;
};

} // namespace telvio
