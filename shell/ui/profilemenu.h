#pragma once

#include "shell/ui/uilayer.h"

#include "shell/core/profileflows.h"

#include <memory>

class QWidget;

namespace telvio {

class CPropSheet;

// The File menu's profile commands over the main window's sheet: the
// Create Profile dialog, and the page writes of "Write Profile to modem"
// on whichever pages have a write of their own.
class ProfileMenu : public ProfileHost {
public:
    ProfileMenu(ModemSession &session, Prompter &prompts, CPropSheet &sheet, QWidget *dialogParent);

    ProfileCommands &Commands() { return m_commands; }

    // --- ProfileHost ---
    std::optional<int> ChooseModel(int modelCode) override;
    bool Writes(PageId page) const override;
    bool WriteToModem(PageId page) override;
    void MarkWritten(PageId page) override;

private:
    CPropSheet &m_sheet;
    QWidget *m_dialogParent;
    ProfileCommands m_commands;
};

} // namespace telvio
