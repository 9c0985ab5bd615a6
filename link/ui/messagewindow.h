#pragma once

#include "shell/ui/uilayer.h"

#include <QDialog>

class QLabel;

namespace telvio {

// The small "Wait" window a procedure shows while it talks to the modem:
// one centred line, no buttons, not modal.
class MessageWindow : public QDialog {
    Q_OBJECT
public:
    explicit MessageWindow(QWidget *owner);
    // Centred over `over` (the page that asked for it) when given, else
    // over the owner.
    void ShowText(const QString &text, QWidget *over = nullptr);
    QString Text() const;

protected:
    void reject() override {}

private:
    QLabel *m_text;
};

} // namespace telvio
