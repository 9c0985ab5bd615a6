#include "shell/ui/fonts.h"

#include <QApplication>
#include <QFontDatabase>

namespace telvio {

bool HasFontFamily(const QString &family)
{
    // families() lists installed families only; a substitution rule that maps
    // the name to something else does not count.
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

QFont TerminalFont(const QFont &base)
{
    QFont font = HasFontFamily(QStringLiteral("Courier New")) ? QFont(QStringLiteral("Courier New"))
                                                              : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (base.pointSizeF() > 0)
        font.setPointSizeF(base.pointSizeF());
    else if (base.pixelSize() > 0)
        font.setPixelSize(base.pixelSize());
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QFont StatusBarFont()
{
    if (!HasFontFamily(QStringLiteral("Arial")))
        return QApplication::font();
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

} // namespace telvio
