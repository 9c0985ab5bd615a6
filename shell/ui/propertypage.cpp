#include "shell/ui/propertypage.h"

#include "shell/core/helptopics.h"

#include <QVariant>

namespace telvio {

namespace {
const char *const kHelpIdProperty = "telvioHelpId";
}

PropertyPage::PropertyPage(PageId id, const QString &title, const PageContext &context, QWidget *parent)
    : QWidget(parent), m_id(id), m_title(title), m_context(context)
{
    setWindowTitle(title);
}

QString PropertyPage::HelpTopic() const
{
    return HelpTopics::ForPage(m_id);
}

void SetHelpId(QWidget *control, int id)
{
    control->setProperty(kHelpIdProperty, id);
}

int HelpId(const QWidget *control)
{
    return control ? control->property(kHelpIdProperty).toInt() : 0;
}

} // namespace telvio
