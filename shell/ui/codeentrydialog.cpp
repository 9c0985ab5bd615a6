#include "shell/ui/codeentrydialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace telvio {

CodeEntryDialog::CodeEntryDialog(const QString &caption, int maxLength, bool masked, QWidget *parent)
    : QDialog(parent), m_code(new QLineEdit(this))
{
    setWindowTitle(caption);
    if (maxLength > 0)
        m_code->setMaxLength(maxLength);
    m_code->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_code);
    layout->addWidget(buttons);
}

QString CodeEntryDialog::Code() const
{
    return m_code->text();
}

} // namespace telvio
