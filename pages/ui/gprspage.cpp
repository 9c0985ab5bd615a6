#include "pages/ui/gprspage.h"

namespace telvio {

Cgprs::Cgprs(const PageContext &context, QWidget *parent)
    : PropertyPage(PageId::Gprs, QStringLiteral("GPRS"), context, parent)
{
}

} // namespace telvio
