#include "shell/core/shelllayout.h"

#include <gtest/gtest.h>

namespace telvio {
namespace {

// The placement figures are taken on the framed window (8 pixels of frame
// across, 54 down): at a client area of 992 x 646 the frame is 1000 x 700.
TEST(ShellLayout, PanelAndBarFollowTheWindow)
{
    const QSize client(992, 646);
    EXPECT_EQ(ShellLayout::PanelRect(client), QRect(513, 1, 1000 - 520, 700 - 80));
    EXPECT_EQ(ShellLayout::BarRect(client), QRect(6, 700 - 74, 1000 - 20, ShellLayout::kBarHeight));
}

TEST(ShellLayout, InsideThePanel)
{
    const ShellLayout::PanelGeometry g = ShellLayout::Panel(QSize(240, 500));
    EXPECT_EQ(g.group, QRect(11, 33, 220, 141));
    EXPECT_EQ(g.input, QRect(11, 176, 203, 23));
    EXPECT_EQ(g.spin, QRect(215, 176, 16, 23));
    EXPECT_EQ(g.output, QRect(11, 202, 220, 297));
}

} // namespace
} // namespace telvio
