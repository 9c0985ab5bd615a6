#pragma once

#include "shell/ui/uilayer.h"

#include "shell/core/prompter.h"

#include <QPointer>
#include <QWidget>

namespace telvio {

// The prompter of the running program: message boxes and file dialogs
// over the given window.
class WidgetPrompter : public Prompter {
public:
    explicit WidgetPrompter(QWidget *parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget *parent) { m_parent = parent; }

    void Message(const QString &text, const QString &caption, Icon icon) override;
    bool Question(const QString &text, const QString &caption) override;
    QString OpenFile(const QString &filter, const QString &defaultExt) override;
    QString SaveFile(const QString &filter, const QString &defaultExt) override;
    std::optional<QString> EnterCode(const QString &caption, int maxLength, bool masked) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace telvio
