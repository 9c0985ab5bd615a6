#include "shell/core/optionsform.h"

#include <gtest/gtest.h>

namespace telvio {
namespace {

TEST(OptionsForm, DelayTextIsReadLikeTheCLibraryAndClamped)
{
    const struct {
        const char *text;
        int delay;
    } cases[] = {{"2000", 1000}, {"-5", 0},  {"abc", 0},   {"", 0},     {"250", 250},
                 {"1000", 1000}, {"1001", 1000}, {" 42", 42}, {"12ab", 12}, {"+7", 7}};
    for (const auto &c : cases)
        EXPECT_EQ(ReadDelayText(QString::fromLatin1(c.text)), c.delay) << c.text;
}

TEST(OptionsForm, RoundTripKeepsEveryOption)
{
    Options o;
    o.tooltip = 0;
    o.debug = 1;
    o.terminal = 0;
    o.autoDisconnect = 1;
    o.searchPorts = 0;
    o.numberOfPorts = 3;
    o.userAutoConnect = 1;
    o.dtrEnable = 0;
    o.rtsEnable = 0;
    o.flowControl = 2;
    o.autoLoad = 0;
    o.delayBeforeAT = 120;
    EXPECT_EQ(OptionsForm::From(o).ToOptions(), o);
}

TEST(OptionsForm, DefaultsAreTheStoredDefaults)
{
    const OptionsForm f = OptionsForm::Defaults();
    EXPECT_TRUE(f.tooltip && f.terminal && f.autoLoad && f.searchPorts && f.dtrEnable && f.rtsEnable);
    EXPECT_FALSE(f.debug || f.autoDisconnect || f.userAutoConnect);
    EXPECT_EQ(f.numberOfPortsIndex, 15); // "16"
    EXPECT_EQ(f.flowControlIndex, 0);    // "No handshaking"
    EXPECT_EQ(f.delayText, QStringLiteral("0"));
}

} // namespace
} // namespace telvio
