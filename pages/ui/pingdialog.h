#pragma once

#include "shell/ui/uilayer.h"

#include "pages/core/gprsactions.h"

#include <QDialog>
#include <QPointer>

class QLineEdit;

namespace telvio {

class AddressField;

// "Ping": the address to ping, the number of pings and the delay between
// them, shown from the dialog's logic and handed back to it on OK.
class PingDialogWindow : public QDialog {
    Q_OBJECT
public:
    PingDialogWindow(PingDialog &logic, QWidget *parent = nullptr);

    AddressField *Address() const { return m_address; }
    QLineEdit *Count() const { return m_count; }
    QLineEdit *Delay() const { return m_delay; }

    void accept() override;

private:
    PingDialog &m_logic;
    AddressField *m_address;
    QLineEdit *m_count;
    QLineEdit *m_delay;
};

// The GPRS page's dialogs on screen.
class GprsPageDialogs : public PingDialogs {
public:
    explicit GprsPageDialogs(QWidget *parent) : m_parent(parent) {}
    bool RunPing(PingDialog &dialog) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace telvio
