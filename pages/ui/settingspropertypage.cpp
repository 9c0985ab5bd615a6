#include "pages/ui/settingspropertypage.h"

#include "pages/core/profilepagewrites.h"

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
    const bool written = WriteProfilePage(*m_pageLogic, Prompt());
    ShowForm();
    return written;
}

void SettingsPropertyPage::TakeSnapshot()
{
    m_pageLogic->TakeSnapshot();
}

} // namespace telvio
