#include "pages/ui/pindialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace telvio {

namespace {

QLineEdit *CodeEdit(QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(PinDialogs::kMaxLength);
    return edit;
}

QDialogButtonBox *OkCancel(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

EnterPinDialog::EnterPinDialog(QWidget *parent) : QDialog(parent), m_pin(CodeEdit(this))
{
    setWindowTitle(QStringLiteral("Enter PIN"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("PIN code"), m_pin);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancel(this));
}

QString EnterPinDialog::Pin() const
{
    return m_pin->text();
}

ChangePinDialog::ChangePinDialog(QWidget *parent)
    : QDialog(parent), m_old(CodeEdit(this)), m_new(CodeEdit(this)), m_confirm(CodeEdit(this))
{
    setWindowTitle(QStringLiteral("Change PIN"));
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("Old PIN"), m_old);
    form->addRow(QStringLiteral("New PIN"), m_new);
    form->addRow(QStringLiteral("Re-enter new PIN"), m_confirm);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancel(this));
}

ChangePinCodes ChangePinDialog::Codes() const
{
    return ChangePinCodes{m_old->text(), m_new->text(), m_confirm->text()};
}

} // namespace telvio
