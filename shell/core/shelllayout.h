#pragma once

#include "shell/core/shelllayer.h"

#include <QRect>
#include <QSize>

namespace telvio {

// Where the main window puts its children, in the coordinates of the area
// below the menu. The figures come from a framed window whose border,
// caption and menu took 8 pixels across and 54 down; the frame is taken off
// here so the children land where they did.
namespace ShellLayout {

constexpr int kMinimumWidth = 758;
constexpr int kMinimumHeight = 563;
constexpr int kSheetWidth = 512;  // the status panel starts right of the sheet
constexpr int kBarHeight = 20;

QRect SheetRect(QSize client);
QRect PanelRect(QSize client);
QRect BarRect(QSize client);

// Inside the status panel.
struct PanelGeometry {
    QRect banner;
    QRect group;
    QRect input;
    QRect spin;
    QRect output;
};
PanelGeometry Panel(QSize panel);

} // namespace ShellLayout
} // namespace telvio
