#include "shell/core/shelllayout.h"

#include <algorithm>

namespace telvio::ShellLayout {

namespace {
// The frame the placement figures included.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 54;
} // namespace

QRect SheetRect(QSize client)
{
    // Sized once at start-up; it keeps that size when the window grows.
    return QRect(0, 1, kSheetWidth, std::max(0, client.height() - 26));
}

QRect PanelRect(QSize client)
{
    const int w = client.width() + kFrameWidth;
    const int h = client.height() + kFrameHeight;
    return QRect(513, 1, std::max(0, w - 520), std::max(0, h - 80));
}

QRect BarRect(QSize client)
{
    const int w = client.width() + kFrameWidth;
    const int h = client.height() + kFrameHeight;
    return QRect(6, h - 74, std::max(0, w - 20), kBarHeight);
}

PanelGeometry Panel(QSize p)
{
    PanelGeometry g;
    g.banner = QRect(11, 4, std::max(0, p.width() - 20), 26);
    g.group = QRect(11, 33, std::max(0, p.width() - 20), 141);
    g.input = QRect(11, 176, std::max(0, p.width() - 37), 23);
    g.spin = QRect(p.width() - 25, 176, 16, 23);
    g.output = QRect(11, 202, std::max(0, p.width() - 20), std::max(0, p.height() - 203));
    return g;
}

} // namespace telvio::ShellLayout
