#include "pages/ui/settingspropertypage.h"

namespace telvio {

void SettingsPropertyPage::OnSetActive()
{
    m_pageLogic->Activate();
    ShowForm();
}

void SettingsPropertyPage::ResetState()
{
    m_pageLogic->Reset();
    ShowForm();
}

bool SettingsPropertyPage::WriteToModem()
{
    const bool written = m_pageLogic->WriteToModem();
    ShowForm();
    return written;
}

void SettingsPropertyPage::TakeSnapshot()
{
    m_pageLogic->TakeSnapshot();
}

} // namespace telvio
