#include "monitor/ui/diagnosticpage.h"

#include "shell/core/helptopics.h"

namespace telvio {

Cdiagnostic::Cdiagnostic(const PageContext &context, QWidget *parent)
    : PropertyPage(PageId::Diagnostic, QStringLiteral("Diagnostic"), context, parent)
{
    SetHelpId(this, HelpTopics::kDiagnosticTopicId);
}

} // namespace telvio
