#pragma once

#include "shell/ui/uilayer.h"

#include "shell/core/statusmodel.h"

#include <QFrame>

namespace telvio {

class ModemSession;

// The painted one-line status bar along the bottom of the main window.
class StatusBar : public QFrame {
    Q_OBJECT
public:
    explicit StatusBar(ModemSession *session, QWidget *parent = nullptr);

    // Rebuilds the text from the session and repaints at once.
    void Update();
    QString Text() const { return m_model.text; }
    bool IsConnected() const { return m_model.connected; }
    void SetConnected(bool on) { m_model.connected = on; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ModemSession *m_session;
    StatusBarModel m_model;
};

} // namespace telvio
