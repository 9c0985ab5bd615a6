#include "pages/ui/basicdialogs.h"

#include "link/core/commcontrol.h"
#include "pages/ui/dtrdialogs.h"
#include "pages/ui/pindialogs.h"
#include "shell/ui/mainwindowhost.h"

namespace telvio {

BasicPageDialogs::BasicPageDialogs(QWidget *parent, MainWindowHost *main, CommControl *comm)
    : m_parent(parent), m_main(main), m_comm(comm)
{
    m_ownDrop.setSingleShot(true);
    m_ownDrop.setInterval(1000);
    QObject::connect(&m_ownDrop, &QTimer::timeout, [this] {
        if (m_comm)
            m_comm->SetDTREnable(false);
    });
}

std::optional<QString> BasicPageDialogs::EnterPin()
{
    EnterPinDialog dialog(m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Pin();
}

std::optional<ChangePinCodes> BasicPageDialogs::ChangePin()
{
    ChangePinDialog dialog(m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Codes();
}

std::optional<QString> BasicPageDialogs::DialNumber(const QString &number)
{
    DialOnDtrDialog dialog(number, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Number();
}

std::optional<SmsOnDtr> BasicPageDialogs::SmsMessage(const SmsOnDtr &stored)
{
    SmsOnDtrDialog dialog(stored, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Sms();
}

void BasicPageDialogs::StartDtrDrop()
{
    if (m_main)
        m_main->StartDtrDropTimer();
    else
        m_ownDrop.start();
}

} // namespace telvio
