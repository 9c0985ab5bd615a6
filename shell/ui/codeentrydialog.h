#pragma once

#include "shell/ui/uilayer.h"

#include <QDialog>

class QLineEdit;

namespace telvio {

// A one-field dialog for a PIN, PUK or password.
class CodeEntryDialog : public QDialog {
    Q_OBJECT
public:
    CodeEntryDialog(const QString &caption, int maxLength, bool masked, QWidget *parent = nullptr);
    QString Code() const;

private:
    QLineEdit *m_code;
};

} // namespace telvio
