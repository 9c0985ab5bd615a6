#pragma once

#include "shell/ui/uilayer.h"

#include "pages/core/pinlogic.h"

#include <QDialog>

class QLineEdit;

namespace telvio {

// "Enter PIN": one masked edit of at most 8 characters. Also asks for the
// code of Activate PIN.
class EnterPinDialog : public QDialog {
    Q_OBJECT
public:
    explicit EnterPinDialog(QWidget *parent = nullptr);
    QString Pin() const;
    QLineEdit *PinEdit() const { return m_pin; }

private:
    QLineEdit *m_pin;
};

// "Change PIN": the old code, the new one and the new one again.
class ChangePinDialog : public QDialog {
    Q_OBJECT
public:
    explicit ChangePinDialog(QWidget *parent = nullptr);
    ChangePinCodes Codes() const;
    QLineEdit *OldEdit() const { return m_old; }
    QLineEdit *NewEdit() const { return m_new; }
    QLineEdit *ConfirmEdit() const { return m_confirm; }

private:
    QLineEdit *m_old;
    QLineEdit *m_new;
    QLineEdit *m_confirm;
};

} // namespace telvio
