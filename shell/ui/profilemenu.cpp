#include "shell/ui/profilemenu.h"

#include "pages/ui/settingspropertypage.h"
#include "shell/ui/createprofiledialog.h"
#include "shell/ui/propsheet.h"

namespace telvio {

namespace {

SettingsPropertyPage *SettingsPageOf(const CPropSheet &sheet, PageId page)
{
    return qobject_cast<SettingsPropertyPage *>(sheet.Page(page));
}

} // namespace

ProfileMenu::ProfileMenu(ModemSession &session, Prompter &prompts, CPropSheet &sheet, QWidget *dialogParent)
    : m_sheet(sheet), m_dialogParent(dialogParent), m_commands(session, prompts, *this)
{
}

std::optional<int> ProfileMenu::ChooseModel(int modelCode)
{
    CreateProfileDialog dialog(modelCode, m_dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.ModelCode();
}

bool ProfileMenu::Writes(PageId page) const
{
    return SettingsPageOf(m_sheet, page) != nullptr;
}

bool ProfileMenu::WriteToModem(PageId page)
{
    SettingsPropertyPage *p = SettingsPageOf(m_sheet, page);
    return p && p->WriteToModem();
}

void ProfileMenu::MarkWritten(PageId page)
{
    if (SettingsPropertyPage *p = SettingsPageOf(m_sheet, page))
        p->TakeSnapshot();
}

} // namespace telvio
