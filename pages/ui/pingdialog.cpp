#include "pages/ui/pingdialog.h"

#include "pages/ui/addressfield.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace telvio {

PingDialogWindow::PingDialogWindow(PingDialog &logic, QWidget *parent)
    : QDialog(parent), m_logic(logic), m_address(new AddressField(this)), m_count(new QLineEdit(this)),
      m_delay(new QLineEdit(this))
{
    setWindowTitle(PingDialog::kTitle);
    for (QLineEdit *edit : {m_count, m_delay})
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    const PingForm &f = logic.form;
    if (f.addressShown)
        m_address->SetValue(f.address.octets);
    m_count->setText(f.count.text);
    m_delay->setText(f.delay.text);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("IP address"), this), 0, 0, 1, 2);
    grid->addWidget(m_address, 1, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Numer of pings"), this), 2, 0, 1, 2);
    grid->addWidget(m_count, 3, 0);
    grid->addWidget(new QLabel(QStringLiteral("Delay between pings"), this), 4, 0, 1, 2);
    grid->addWidget(m_delay, 5, 0);
    grid->addWidget(new QLabel(QStringLiteral("s"), this), 5, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 6, 0, 1, 2);
}

void PingDialogWindow::accept()
{
    PingForm &f = m_logic.form;
    f.address.octets = m_address->Value();
    f.count.text = m_count->text();
    f.delay.text = m_delay->text();
    QDialog::accept();
}

bool GprsPageDialogs::RunPing(PingDialog &dialog)
{
    PingDialogWindow window(dialog, m_parent);
    return window.exec() == QDialog::Accepted;
}

} // namespace telvio
