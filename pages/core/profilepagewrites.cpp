#include "pages/core/profilepagewrites.h"

#include "pages/core/settingspage.h"
#include "shell/core/prompter.h"

namespace telvio {

bool WriteProfilePage(PageLogic &logic, Prompter &prompts)
{
    const QString invalid = logic.ValidateSettings();
    if (!invalid.isEmpty()) {
        prompts.Message(invalid);
        return false;
    }
    return logic.WriteToModem();
}

void LogicProfileHost::SetActivePage(PageId page)
{
    if (PageLogic *logic = m_logics.value(page))
        logic->Activate();
}

std::optional<int> LogicProfileHost::ChooseModel(int modelCode)
{
    Q_UNUSED(modelCode);
    return std::nullopt;
}

bool LogicProfileHost::WriteToModem(PageId page)
{
    PageLogic *logic = m_logics.value(page);
    const bool ok = logic && WriteProfilePage(*logic, m_prompts);
    written.insert(page, ok);
    return ok;
}

void LogicProfileHost::MarkWritten(PageId page)
{
    if (PageLogic *logic = m_logics.value(page))
        logic->TakeSnapshot();
}

} // namespace telvio
