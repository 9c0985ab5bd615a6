#include "shell/core/terminalhistory.h"

#include <gtest/gtest.h>

namespace telvio {
namespace {

TEST(TerminalHistory, SixtyLinesKeepNewest49AndACopyInTheLastSlot)
{
    TerminalHistory h;
    for (int i = 1; i <= 60; ++i)
        h.Store(QStringLiteral("AT+L%1").arg(i));
    EXPECT_EQ(h.Count(), 49);
    EXPECT_EQ(h.Pos(), 49);
    for (int slot = 0; slot <= 48; ++slot)
        EXPECT_EQ(h.Slot(slot), QStringLiteral("AT+L%1").arg(12 + slot)) << slot;
    EXPECT_EQ(h.Slot(49), QStringLiteral("AT+L60"));

    // Up walks back through all 49, and stops at the oldest.
    for (int n = 60; n >= 12; --n) {
        h.Up();
        EXPECT_EQ(h.Current(), QStringLiteral("AT+L%1").arg(n));
    }
    h.Up();
    EXPECT_EQ(h.Pos(), 0);
    EXPECT_EQ(h.Current(), QStringLiteral("AT+L12"));

    // Down stops at slot 49, the copy of the newest line.
    for (int i = 0; i < 60; ++i)
        h.Down();
    EXPECT_EQ(h.Pos(), 49);
    EXPECT_EQ(h.Current(), QStringLiteral("AT+L60"));
}

TEST(TerminalHistory, BeforeItFillsDownFromTheNewestShowsAnEmptySlot)
{
    TerminalHistory h;
    h.Up();
    EXPECT_EQ(h.Pos(), 0);
    EXPECT_EQ(h.Current(), QString());

    h.Store(QStringLiteral("ATI"));
    h.Store(QStringLiteral("AT+CSQ"));
    EXPECT_EQ(h.Pos(), 2);
    h.Up();
    EXPECT_EQ(h.Current(), QStringLiteral("AT+CSQ"));
    h.Down();
    EXPECT_EQ(h.Current(), QString());
    h.Down();
    EXPECT_EQ(h.Pos(), 2);
}

TEST(TerminalHistory, EmptyLinesAreStoredLikeAnyOther)
{
    TerminalHistory h;
    h.Store(QString());
    EXPECT_EQ(h.Count(), 1);
}

TEST(TerminalHistory, SpinClickPastTheStoredLinesIsRefused)
{
    TerminalHistory h;
    h.Store(QStringLiteral("ATI"));
    h.Store(QStringLiteral("ATE0"));
    EXPECT_FALSE(h.SpinClick(3));
    EXPECT_EQ(h.Pos(), 2);
    EXPECT_TRUE(h.SpinClick(2));
    EXPECT_TRUE(h.SpinClick(0));
    EXPECT_EQ(h.Current(), QStringLiteral("ATI"));
}

} // namespace
} // namespace telvio
