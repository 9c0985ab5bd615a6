#pragma once

#include "shell/ui/uilayer.h"

#include "pages/core/settingspage.h"
#include "shell/ui/propertypage.h"

namespace telvio {

// A settings page's window: the sheet's calls go to the page's logic, and
// after each of them the window shows the logic's form again. A page binds
// its logic once it has made it and supplies ShowForm.
class SettingsPropertyPage : public PropertyPage {
    Q_OBJECT
public:
    void OnSetActive() override;
    void ResetState() override;

    // Used by "Write Profile to modem", which makes this page active first.
    bool WriteToModem();
    void TakeSnapshot();

protected:
    using PropertyPage::PropertyPage;
    void Bind(PageLogic &logic) { m_pageLogic = &logic; }
    // The logic's form onto the widgets.
    virtual void ShowForm() = 0;
    // A notification of a control: the logic handles it (its change hook
    // first), then the window shows the outcome.
    template <typename Logic, typename Command>
    void Run(Logic &logic, Command command)
    {
        logic.Command(command);
        ShowForm();
    }

private:
    PageLogic *m_pageLogic = nullptr;
};

} // namespace telvio
