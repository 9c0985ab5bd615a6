#include "pages/ui/callbackpage.h"

namespace telvio {

CSCallback::CSCallback(const PageContext &context, QWidget *parent)
    : PropertyPage(PageId::Callback, QStringLiteral("Callback"), context, parent)
{
}

} // namespace telvio
