#include "pages/ui/basicpage.h"

namespace telvio {

Cconfig::Cconfig(const PageContext &context, QWidget *parent)
    : PropertyPage(PageId::Basic, QStringLiteral("Basic"), context, parent)
{
}

} // namespace telvio
