#pragma once

#include "link/core/linklayer.h"

#include "link/core/connectionform.h"

#include <QString>

#include <functional>

namespace telvio {

class ModemSession;
class Prompter;

// The Wait dialog of the Autoconnect search: shows itself, runs the search
// (which reports each attempt and asks for the abort flag) and closes with
// the search's result. Tests run the search directly.
class SearchProgress {
public:
    virtual ~SearchProgress() = default;
    virtual void Step(int attempt, const QString &text) = 0;
    virtual bool Aborted() const = 0;
};

class WaitDialogRunner {
public:
    virtual ~WaitDialogRunner() = default;
    virtual int Run(const std::function<int(SearchProgress &)> &search) = 0;
};

// What the Connection page does: Autoconnect, Connect, Disconnect, Open,
// the states it shows and the port following its lists. Works on its form;
// the widget page shows the form and forwards clicks and list changes.
class ConnectionLogic {
public:
    enum Command { CmdAutoconnect = 0, CmdConnect = 1, CmdDisconnect = 2, CmdOpen = 4 };

    ConnectionLogic(ModemSession &session, Prompter &prompts, WaitDialogRunner &waitDialog);

    ConnectionForm form;

    // Fills the port list from the session's candidates; selects the first.
    void FillPorts();
    // Asks for the candidates again when the list is opened, so a USB
    // adapter plugged in after the start can be chosen. The chosen port
    // stays chosen while it is still there.
    void RefreshPorts();
    // Each time the page becomes the active page.
    void Activate();

    void Autoconnect();
    void Connect();
    void Disconnect();
    void Open();
    void ExecuteCommand(int command);
    // A command or list change reached the page: while connected the PC
    // port follows the lists.
    void RouteCommand();
    // Shows the session's link settings in the lists.
    void SelectSessionSettings();

private:
    // Autoconnect, Connect and Open, as buttons and menu items.
    void OfferProcedures(bool havePorts);
    bool UnsavedPages() const;
    void ReturnToThisPage(bool afterConnect);

    ModemSession &m_session;
    Prompter &m_prompts;
    WaitDialogRunner &m_wait;
};

} // namespace telvio
