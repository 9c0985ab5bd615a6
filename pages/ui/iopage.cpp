#include "pages/ui/iopage.h"

namespace telvio {

Cio::Cio(const PageContext &context, QWidget *parent)
    : PropertyPage(PageId::Io, QStringLiteral("I/O"), context, parent)
{
}

} // namespace telvio
