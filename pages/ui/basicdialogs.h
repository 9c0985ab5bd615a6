#pragma once

#include "shell/ui/uilayer.h"

#include "pages/core/dtrlogic.h"
#include "pages/core/pinlogic.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace telvio {

class CommControl;
class MainWindowHost;

// What the Basic page's logic asks of the screen: the two PIN dialogs, the
// dial and SMS dialogs of the DTR functions, and the main window's DTR-drop
// timer (a timer of its own when the page runs without a main window).
class BasicPageDialogs : public PinDialogs, public DtrDialogs, public DtrDropTimer {
public:
    BasicPageDialogs(QWidget *parent, MainWindowHost *main, CommControl *comm);

    std::optional<QString> EnterPin() override;
    std::optional<ChangePinCodes> ChangePin() override;
    std::optional<QString> DialNumber(const QString &number) override;
    std::optional<SmsOnDtr> SmsMessage(const SmsOnDtr &stored) override;
    void StartDtrDrop() override;

private:
    QPointer<QWidget> m_parent;
    MainWindowHost *m_main;
    CommControl *m_comm;
    QTimer m_ownDrop;
};

} // namespace telvio
