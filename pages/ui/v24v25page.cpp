#include "pages/ui/v24v25page.h"

namespace telvio {

Cv24v25::Cv24v25(const PageContext &context, QWidget *parent)
    : PropertyPage(PageId::Serial, QStringLiteral("Serial"), context, parent)
{
}

} // namespace telvio
