#include "sim/simmodem.h"

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

SimConfig quietEcho(Model model = Model::Pike3)
{
    SimConfig config;
    config.model = model;
    config.echo = false;
    return config;
}

// The active and stored sections of an AT&V answer.
struct Dump {
    QByteArray active;
    QByteArray stored;
};

Dump dumpOf(SimModem &modem)
{
    const QByteArray answer = modem.feed("AT&V\r");
    const int active = answer.indexOf("ACTIVE PROFILE:");
    const int stored = answer.indexOf("STORED PROFILE:");
    if (active < 0 || stored < active)
        return {};
    return {answer.mid(active, stored - active), answer.mid(stored)};
}

class SimProfile : public testing::Test {
protected:
    SimModem modem{quietEcho()};
};

TEST_F(SimProfile, SParameterReadsAsThreeDigits)
{
    EXPECT_EQ(modem.feed("ATS0?\r"), "\r\n000\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("ATS2?\r"), "\r\n043\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("ATS0=2\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("ATS0?\r"), "\r\n002\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("ATS0=255\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("ATS0?\r"), "\r\n255\r\n\r\nOK\r\n");
}

TEST_F(SimProfile, SParameterErrors)
{
    EXPECT_EQ(modem.feed("ATS0=256\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.feed("ATS99?\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.feed("ATS0=1\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("ATS0=\r"), "\r\nOK\r\n"); // V.250: a missing value is 0
    EXPECT_EQ(modem.state().value("S0"), "0");
}

TEST_F(SimProfile, StoreRestoreAndFactory)
{
    modem.feed("ATS0=3 &D0\r");
    EXPECT_EQ(modem.feed("AT&W\r"), "\r\nOK\r\n");
    modem.feed("ATS0=7 &D1\r");
    EXPECT_EQ(modem.feed("ATZ\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.state().value("S0"), "3");
    EXPECT_EQ(modem.state().value("&D"), "0");
    EXPECT_EQ(modem.feed("AT&F\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.state().value("S0"), "0");
    EXPECT_EQ(modem.state().value("&D"), "2");
    // &F changes only the active profile.
    modem.feed("ATZ\r");
    EXPECT_EQ(modem.state().value("S0"), "3");
}

TEST_F(SimProfile, ResultOfZUsesTheRestoredFormat)
{
    modem.feed("ATV0\r");
    modem.feed("AT&W\r");
    modem.feed("ATV1\r");
    EXPECT_EQ(modem.feed("ATZ\r"), "0\r");
    EXPECT_EQ(modem.feed("AT&F\r"), "\r\nOK\r\n");
}

TEST_F(SimProfile, OnlyProfileZeroExists)
{
    EXPECT_EQ(modem.feed("AT&W1\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.feed("ATZ1\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.feed("AT&W0\r"), "\r\nOK\r\n");
}

TEST_F(SimProfile, DumpShowsActiveAndStoredProfile)
{
    modem.feed("ATS0=5 E1 &C0\r");
    const Dump dump = dumpOf(modem);
    EXPECT_TRUE(dump.active.contains("S0:005")) << dump.active.constData();
    EXPECT_TRUE(dump.active.contains("E:1"));
    EXPECT_TRUE(dump.active.contains("&C:0"));
    EXPECT_TRUE(dump.stored.contains("S0:000")) << dump.stored.constData();
    EXPECT_TRUE(dump.stored.contains("E:0"));
    EXPECT_TRUE(dump.stored.contains("&C:1"));
    modem.feed("AT&W\r");
    EXPECT_TRUE(dumpOf(modem).stored.contains("S0:005"));
}

TEST_F(SimProfile, DumpFramesLikeInformationText)
{
    const QByteArray answer = modem.feed("AT&V\r");
    // Settings stand two blanks apart; the lines of the stored profile
    // follow those of the active one.
    EXPECT_TRUE(answer.startsWith("\r\nACTIVE PROFILE:\r\nQ:0  V:1  S0:000")) << answer.constData();
    EXPECT_TRUE(answer.contains("\r\n+IPR:9600  +ICF:3,4  +IFC:2,2\r\n")) << answer.constData();
    EXPECT_TRUE(answer.endsWith("\r\n\r\nOK\r\n"));
}

TEST_F(SimProfile, DumpItemsAreBlankSeparatedNameColonValue)
{
    // A reader cuts each value after its "NAME:" up to the next blank or line end,
    // taking the keywords in the order V, &C, &D, +IPR, +ICF, +IFC.
    const QByteArray active = dumpOf(modem).active;
    int from = 0;
    for (const QByteArray keyword : {"V:1 ", "&C:1 ", "&D:2 ", "+IPR:9600 ", "+ICF:3,4 ", "+IFC:2,2\r\n"}) {
        const int at = active.indexOf(keyword, from);
        ASSERT_GE(at, from) << keyword.constData();
        from = at;
    }
}

struct FactoryPortCase {
    Model model;
    int rateAfterFactory;
};

void PrintTo(const FactoryPortCase &c, std::ostream *os)
{
    *os << modelInfo(c.model).name;
}

class SimProfileFactoryPort : public testing::TestWithParam<FactoryPortCase> {};

// Pike modems go back to 9600 on &F; the Orca modems keep their port settings.
TEST_P(SimProfileFactoryPort, FactoryRestoreOfThePort)
{
    SimConfig config = quietEcho(GetParam().model);
    config.line.baud = 115200;
    SimModem modem(config);
    const Output out = modem.receive("AT&F\r");
    EXPECT_EQ(outputBytes(out), "\r\nOK\r\n");
    EXPECT_EQ(modem.line().baud, GetParam().rateAfterFactory);
    const bool switched = GetParam().rateAfterFactory != 115200;
    ASSERT_EQ(out.size(), switched ? 2 : 1);
    if (switched) {
        EXPECT_EQ(out.last().kind, OutputItem::Kind::LineChange);
        EXPECT_EQ(out.last().line.baud, 9600);
    }
}

INSTANTIATE_TEST_SUITE_P(Models, SimProfileFactoryPort,
                         testing::Values(FactoryPortCase{Model::Pike3, 9600}, FactoryPortCase{Model::Pike2, 9600},
                                         FactoryPortCase{Model::Orca1, 115200},
                                         FactoryPortCase{Model::Orca1Us, 115200}));

TEST(SimProfileStartup, CommandLineSettingsAreTheStoredProfile)
{
    SimConfig config;
    config.echo = false;
    config.verbose = false;
    config.line.baud = 38400;
    SimModem modem(config);
    modem.feed("ATE1 V1\r");
    EXPECT_EQ(modem.feed("ATZ\r"), "ATZ\r0\r"); // echoed under E1, answered under the restored V0
    EXPECT_EQ(modem.feed("AT\r"), "0\r");
    EXPECT_EQ(modem.state().value("+IPR", ProfileSlot::Stored), "38400");
    EXPECT_EQ(modem.state().value("+IPR", ProfileSlot::Factory), "9600");
}

} // namespace
