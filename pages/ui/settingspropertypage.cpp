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
    // A loaded profile may hold what the controls never let through (a
    // quote or a line end inside a text): the page's checks stop it before
    // it reaches an AT command, and say which field it is.
    const QString invalid = m_pageLogic->ValidateSettings();
    if (!invalid.isEmpty()) {
        Prompt().Message(invalid);
        ShowForm();
        return false;
    }
    const bool written = m_pageLogic->WriteToModem();
    ShowForm();
    return written;
}

void SettingsPropertyPage::TakeSnapshot()
{
    m_pageLogic->TakeSnapshot();
}

} // namespace telvio
