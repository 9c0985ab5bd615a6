#include "shell/ui/bitmapbutton.h"

#include <QBitmap>
#include <QPainter>
#include <QPainterPath>

namespace telvio {

namespace {

const QColor kMagenta(255, 0, 255);

// Small line drawings in the style of 16-colour toolbar bitmaps.
void Draw(QPainter &p, int bitmap)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor ink(0, 0, 128);
    const QColor green(0, 128, 0);
    const QColor red(192, 0, 0);
    const QColor grey(128, 128, 128);
    switch (bitmap) {
    case BitmapButton::Autoconnect: // magnifier over a plug
        p.setPen(QPen(ink, 2));
        p.drawEllipse(QRect(3, 2, 8, 8));
        p.drawLine(10, 10, 15, 14);
        p.setPen(QPen(green, 1));
        p.drawLine(15, 3, 19, 3);
        p.drawLine(15, 6, 19, 6);
        break;
    case BitmapButton::Connect: // two plug halves joined
        p.fillRect(QRect(2, 6, 7, 5), ink);
        p.fillRect(QRect(12, 6, 7, 5), green);
        p.fillRect(QRect(9, 7, 3, 1), grey);
        p.fillRect(QRect(9, 9, 3, 1), grey);
        break;
    case BitmapButton::Disconnect: // plug halves apart
        p.fillRect(QRect(1, 6, 6, 5), ink);
        p.fillRect(QRect(14, 6, 6, 5), red);
        p.setPen(QPen(red, 1));
        p.drawLine(9, 4, 12, 12);
        break;
    case BitmapButton::Open: // a terminal screen
        p.setPen(QPen(ink, 1));
        p.drawRect(QRect(3, 2, 14, 10));
        p.fillRect(QRect(5, 4, 6, 1), green);
        p.fillRect(QRect(5, 7, 9, 1), green);
        p.fillRect(QRect(8, 13, 5, 2), grey);
        break;
    case BitmapButton::Read: // arrow into a page
    case BitmapButton::Write: {
        const bool read = bitmap == BitmapButton::Read;
        p.setPen(QPen(ink, 1));
        p.fillRect(QRect(read ? 11 : 2, 2, 8, 12), Qt::white);
        p.drawRect(QRect(read ? 11 : 2, 2, 8, 12));
        QPainterPath arrow;
        const int x0 = read ? 2 : 11;
        arrow.moveTo(x0, 7);
        arrow.lineTo(x0 + 5, 7);
        arrow.lineTo(x0 + 5, 4);
        arrow.lineTo(x0 + 9, 8);
        arrow.lineTo(x0 + 5, 12);
        arrow.lineTo(x0 + 5, 9);
        arrow.lineTo(x0, 9);
        arrow.closeSubpath();
        p.fillPath(arrow, read ? green : red);
        break;
    }
    default:
        break;
    }
}

} // namespace

QPixmap BitmapButton::Image(int bitmap)
{
    QPixmap pixmap(21, 16);
    pixmap.fill(kMagenta);
    {
        QPainter p(&pixmap);
        Draw(p, bitmap);
    }
    pixmap.setMask(pixmap.createMaskFromColor(kMagenta, Qt::MaskInColor));
    return pixmap;
}

BitmapButton::BitmapButton(int bitmap, const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    // QIcon derives the greyed image for the disabled state.
    setIcon(QIcon(Image(bitmap)));
    setIconSize(QSize(21, 16));
}

} // namespace telvio
