#pragma once

#include "shell/ui/uilayer.h"

#include "shell/core/optionsform.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace telvio {

// "Telvio Options": edits a copy of the options; the caller takes Result()
// when the dialog ends with OK.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(const Options &options, QWidget *parent = nullptr);

    Options Result() const { return m_result; }
    OptionsForm Form() const;
    void SetForm(const OptionsForm &form);

    QPushButton *DefaultsButton() const { return m_defaults; }
    QPushButton *OkButton() const { return m_ok; }
    QPushButton *CancelButton() const { return m_cancel; }

signals:
    void HelpRequested();

public slots:
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Options m_result;
    QCheckBox *m_tooltip, *m_terminal, *m_debug, *m_autoLoad, *m_userAutoConnect, *m_searchPorts;
    QCheckBox *m_autoDisconnect, *m_dtr, *m_rts;
    QComboBox *m_ports;
    QComboBox *m_flow;
    QLineEdit *m_delay;
    QPushButton *m_defaults, *m_ok, *m_cancel;
};

} // namespace telvio
