#include "pages/ui/smspage.h"

namespace telvio {

Csms::Csms(const PageContext &context, QWidget *parent)
    : PropertyPage(PageId::Sms, QStringLiteral("SMS"), context, parent)
{
}

} // namespace telvio
