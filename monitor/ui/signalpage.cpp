#include "monitor/ui/signalpage.h"

#include "shell/core/helptopics.h"

namespace telvio {

Csignal::Csignal(const PageContext &context, QWidget *parent)
    : PropertyPage(PageId::Signal, QStringLiteral("Signal"), context, parent)
{
    SetHelpId(this, HelpTopics::kSignalTopicId);
}

void Csignal::RunMeasurement()
{
}

} // namespace telvio
