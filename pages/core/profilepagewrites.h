#pragma once

#include "pages/core/pageslayer.h"

#include "link/core/sessionhost.h"
#include "shell/core/profileflows.h"

#include <QMap>

namespace telvio {

class PageLogic;
class Prompter;

// A page's write as "Write Profile to modem" runs it: the page's checks
// first, so that what a profile file holds and the controls never let
// through (a quote or a line end inside a text) is refused with the field
// named instead of reaching an AT command; then the page's WriteToModem.
bool WriteProfilePage(PageLogic &logic, Prompter &prompts);

// The profile commands over page logics without windows (the command
// line): the pages' activation when they are made the active page, their
// writes, and no Create Profile dialog.
class LogicProfileHost : public SessionHost, public ProfileHost {
public:
    explicit LogicProfileHost(Prompter &prompts) : m_prompts(prompts) {}

    void AddLogic(PageId page, PageLogic *logic) { m_logics.insert(page, logic); }
    PageLogic *Logic(PageId page) const { return m_logics.value(page); }

    // --- SessionHost ---
    void SetActivePage(PageId page) override;

    // --- ProfileHost ---
    std::optional<int> ChooseModel(int modelCode) override;
    bool Writes(PageId page) const override { return m_logics.contains(page); }
    bool WriteToModem(PageId page) override;
    void MarkWritten(PageId page) override;

    // What the last write of each page returned.
    QMap<PageId, bool> written;

private:
    Prompter &m_prompts;
    QMap<PageId, PageLogic *> m_logics;
};

} // namespace telvio
