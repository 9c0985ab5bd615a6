#pragma once

#include "shell/core/shelllayer.h"

#include "link/core/pageflags.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace telvio {

class ModemSession;
class Prompter;

// The Create Profile dialog's list: the models a profile can be created
// for, and how a model code chooses an item and an item a code.
namespace createprofile {
QString Caption();           // "Create Profile"
QString Label();             // "Modem type"
QStringList Items();         // "Kestrava Orca-1", "Kestrava Orca-1 (TCP/IP)", "Kestrava Pike-2"
int ItemOf(int modelCode);   // 2 -> 1, 3 -> 2, anything else 0
int CodeOf(int item);        // 1 -> 2, 2 -> 3, anything else 1
} // namespace createprofile

// What the profile commands need of the windows around them.
class ProfileHost {
public:
    virtual ~ProfileHost() = default;
    // The Create Profile dialog, shown with `modelCode`'s item chosen: the
    // code of the item the user took, nothing on Cancel.
    virtual std::optional<int> ChooseModel(int modelCode) = 0;
    // Whether the page has a write of its own (a settings page does).
    virtual bool Writes(PageId page) const = 0;
    // The page's WriteToModem and its mark-written operation, on the page
    // as it is now (the caller has made it the active page).
    virtual bool WriteToModem(PageId page) = 0;
    virtual void MarkWritten(PageId page) = 0;
};

// The File menu's profile commands: New, Open, Save and Write to modem.
// Every question and message goes through the prompter; the file itself
// through profilefile.
class ProfileCommands {
public:
    ProfileCommands(ModemSession &session, Prompter &prompts, ProfileHost &host);

    void New();
    void Open();
    void Save();
    void WriteToModem();

    // The steps of Open and Save after the file was chosen, for callers
    // that name the file themselves. Open: false when nothing was loaded.
    bool OpenPath(const QString &path);
    // Save: false when the file was not written (the user has been told).
    bool SavePath(const QString &path);

    // The file choice dialogs' filter and default extension.
    static QString FileFilter();
    static QString DefaultExtension();
    // The question "Write Profile to modem" asks before the page's write;
    // empty for a page it does not write.
    static QString WriteQuestion(PageId page);

private:
    ModemSession &m_session;
    Prompter &m_prompts;
    ProfileHost &m_host;
};

} // namespace telvio
