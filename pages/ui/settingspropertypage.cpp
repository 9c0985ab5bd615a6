#include "pages/ui/settingspropertypage.h"

#include "pages/core/profilepagewrites.h"

namespace telvio {

void SettingsPropertyPage::OnSetActive()
{
    // The first read runs under this call and may take seconds at a low
    // line rate, with the page on screen all along: it must already show
    // this modem's layout (groups an older model lacks hidden, list items
    // filled), not the bare one it was built with.
    if (!m_pageLogic->Created()) {
        m_pageLogic->Create();
        ShowForm();
    }
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
