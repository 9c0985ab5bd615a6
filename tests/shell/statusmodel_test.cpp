#include "shell/core/statusmodel.h"

#include "link/core/modemsession.h"
#include "shell/core/product.h"
#include "support/memoryport.h"

#include <gtest/gtest.h>

namespace telvio {
namespace {

struct SessionState {
    test::MemoryPort port;
    ModemSession session{&port, nullptr};
};

struct BarCase {
    const char *name;
    int sim;
    bool basic, serial, sms, gprs;
    const char *text;
};

void PrintTo(const BarCase &c, std::ostream *os)
{
    *os << c.name;
}

class StatusBarTexts : public ::testing::TestWithParam<BarCase> {};

TEST_P(StatusBarTexts, Connected)
{
    const BarCase &c = GetParam();
    SessionState st;
    st.session.SetSimStatus(c.sim);
    st.session.Flags(PageId::Basic).modified = c.basic;
    st.session.Flags(PageId::Serial).modified = c.serial;
    st.session.Flags(PageId::Sms).modified = c.sms;
    st.session.Flags(PageId::Gprs).modified = c.gprs;
    StatusBarModel bar;
    bar.connected = true;
    bar.Update(st.session);
    EXPECT_EQ(bar.text, QString::fromLatin1(c.text));
    // Connected, the changes are kept.
    EXPECT_EQ(st.session.Flags(PageId::Gprs).modified, c.gprs);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatusBarTexts,
    ::testing::Values(
        BarCase{"plain", 1, false, false, false, false, "Connected... "},
        BarCase{"sim_unknown", 0, false, false, false, false, "Connected... "},
        BarCase{"pin", 2, false, false, false, false, "PIN CODE REQUIRED. "},
        BarCase{"pin_with_changes", 2, true, false, false, true,
                "PIN CODE REQUIRED. [Basic] [GPRS] configuration changed but not saved"},
        BarCase{"locked", 3, false, false, true, false,
                "THE SIM CARD IS LOCKED. [SMS] configuration changed but not saved"},
        BarCase{"all_changed", 1, true, true, true, true,
                "Connected... [Basic] [Serial] [SMS] [GPRS] configuration changed but not saved"}),
    [](const ::testing::TestParamInfo<BarCase> &info) { return std::string(info.param.name); });

TEST(StatusBar, VersionFirstThenNotConnectedWhichForgetsChanges)
{
    SessionState st;
    StatusBarModel bar;
    EXPECT_EQ(bar.text, ProductLine());

    st.session.Flags(PageId::Basic).modified = true;
    bar.Update(st.session);
    EXPECT_EQ(bar.text, ProductLine());
    EXPECT_TRUE(st.session.Flags(PageId::Basic).modified);

    st.session.SetOffline(true); // offline editing is "not connected" too
    bar.Update(st.session);
    EXPECT_EQ(bar.text, QStringLiteral("Not Connected... "));
    EXPECT_FALSE(st.session.Flags(PageId::Basic).modified);
}

TEST(StatusPanelFields, ParityNamesBothCases)
{
    const struct {
        char letter;
        const char *name;
    } cases[] = {{'E', "Even"}, {'e', "Even"}, {'M', "Mark"}, {'m', "Mark"}, {'N', "None"}, {'n', "None"},
                 {'O', "Odd"},  {'o', "Odd"},  {'S', "Space"}, {'s', "Space"}, {'-', "-"}, {'X', "-"}};
    for (const auto &c : cases)
        EXPECT_EQ(ParityName(QLatin1Char(c.letter)), QString::fromLatin1(c.name)) << c.letter;
}

TEST(StatusPanelFields, ConnectedShowsLinkAndLocksInputWhileMeasuring)
{
    SessionState st;
    ModemSession &s = st.session;
    s.SetConnected(true);
    s.SetStatusText(QStringLiteral("Connected"));
    s.SetPortName(QStringLiteral("/dev/ttyUSB0"));
    s.SetLine(PortSettings{115200, 'e', 7, 2});
    s.SetModelName(QStringLiteral("Pike-3"));
    s.SetSimStatus(2);

    PanelFields f = ComputePanelFields(s);
    EXPECT_EQ(f.mode, PanelFields::Mode::Connected);
    EXPECT_EQ(f.port, QStringLiteral("ttyUSB0"));
    EXPECT_EQ(f.parity, QStringLiteral("Even"));
    EXPECT_EQ(f.sim, QStringLiteral("PIN code required..."));
    EXPECT_EQ(f.modem, QStringLiteral("Pike-3"));
    EXPECT_TRUE(f.inputEnabled);
    EXPECT_TRUE(f.outputTypable);
    EXPECT_TRUE(f.spinEnabled);

    s.options.terminal = 0;
    EXPECT_FALSE(ComputePanelFields(s).outputTypable);
    EXPECT_TRUE(ComputePanelFields(s).inputEnabled);

    s.options.terminal = 1;
    s.SetUpdateRunning(true);
    f = ComputePanelFields(s);
    EXPECT_FALSE(f.inputEnabled);
    EXPECT_FALSE(f.outputTypable);
    EXPECT_TRUE(f.spinEnabled);

    s.SetUpdateRunning(false);
    s.SetConnecting(true);
    EXPECT_FALSE(ComputePanelFields(s).inputEnabled);
}

TEST(StatusPanelFields, SimTexts)
{
    EXPECT_EQ(SimStateText(0), QStringLiteral("-"));
    EXPECT_EQ(SimStateText(1), QStringLiteral("Ok"));
    EXPECT_EQ(SimStateText(2), QStringLiteral("PIN code required..."));
    EXPECT_EQ(SimStateText(3), QStringLiteral("Locked"));
}

TEST(StatusPanelFields, OfflineAndClosed)
{
    SessionState st;
    st.session.SetModelName(QStringLiteral("Orca-1"));
    PanelFields f = ComputePanelFields(st.session);
    EXPECT_EQ(f.mode, PanelFields::Mode::Closed);
    for (const QString &v : {f.status, f.port, f.baud, f.parity, f.dataBits, f.stopBits, f.sim, f.modem})
        EXPECT_EQ(v, QStringLiteral("-"));
    EXPECT_FALSE(f.inputEnabled);
    EXPECT_FALSE(f.spinEnabled);

    st.session.SetOffline(true);
    f = ComputePanelFields(st.session);
    EXPECT_EQ(f.mode, PanelFields::Mode::Offline);
    EXPECT_EQ(f.status, QStringLiteral("Offline"));
    EXPECT_EQ(f.modem, QStringLiteral("Orca-1"));
}

} // namespace
} // namespace telvio
