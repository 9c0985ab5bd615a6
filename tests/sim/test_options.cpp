#include "sim/simoptions.h"

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

bool parse(const QStringList &args, SimOptions *options, QString *error = nullptr)
{
    QString ignored;
    return parseSimOptions(QStringList{"telvio-sim"} + args, options, error ? error : &ignored);
}

TEST(SimOptions, Defaults)
{
    SimOptions options;
    ASSERT_TRUE(parse({}, &options));
    const SimConfig &c = options.config;
    EXPECT_EQ(c.model, Model::Pike3);
    EXPECT_EQ(c.effectiveFirmware(), Firmware::Maker);
    EXPECT_EQ(c.line, (LineSettings{9600, 8, Parity::None, 1}));
    EXPECT_EQ(c.sim, SimCard::Ready);
    EXPECT_EQ(c.pin, "0000");
    EXPECT_TRUE(c.echo);
    EXPECT_TRUE(c.verbose);
    EXPECT_FALSE(c.quiet);
    EXPECT_FALSE(c.realRate);
    EXPECT_TRUE(c.faults.isEmpty());
    EXPECT_TRUE(options.linkPath.isEmpty());
}

TEST(SimOptions, FirmwareDefaultsFollowTheModel)
{
    SimOptions options;
    ASSERT_TRUE(parse({"--model", "orca1us"}, &options));
    EXPECT_EQ(options.config.effectiveFirmware(), Firmware::IpStack);
    ASSERT_TRUE(parse({"--model", "orca1"}, &options));
    EXPECT_EQ(options.config.effectiveFirmware(), Firmware::Plain);
    ASSERT_TRUE(parse({"--model", "pike2"}, &options));
    EXPECT_EQ(options.config.effectiveFirmware(), Firmware::Maker);
    ASSERT_TRUE(parse({"--model", "orca1", "--firmware", "maker"}, &options));
    EXPECT_EQ(options.config.effectiveFirmware(), Firmware::Maker);
}

TEST(SimOptions, EveryOption)
{
    SimOptions options;
    ASSERT_TRUE(parse({"--model", "pike2", "--firmware", "plain", "--baud", "0", "--framing", "7e1", "--sim", "puk",
                       "--pin", "4321", "--puk", "11112222", "--echo", "0", "--verbose", "0", "--quiet", "1",
                       "--cmee", "2", "--imei", "123", "--wopen-version", "3.0", "--real-rate", "--log", "--fault",
                       "+CGSN=delay:200", "--fault", "ATI9=error/once", "--link", "/tmp/modem"},
                      &options));
    const SimConfig &c = options.config;
    EXPECT_EQ(c.model, Model::Pike2);
    EXPECT_EQ(c.effectiveFirmware(), Firmware::Plain);
    EXPECT_EQ(c.line, (LineSettings{0, 7, Parity::Even, 1}));
    EXPECT_EQ(c.sim, SimCard::PukRequired);
    EXPECT_EQ(c.pin, "4321");
    EXPECT_EQ(c.puk, "11112222");
    EXPECT_FALSE(c.echo);
    EXPECT_FALSE(c.verbose);
    EXPECT_TRUE(c.quiet);
    EXPECT_EQ(c.cmee, 2);
    EXPECT_EQ(c.imei, "123");
    EXPECT_EQ(c.wopenVersion, "3.0");
    EXPECT_TRUE(c.realRate);
    EXPECT_TRUE(c.log);
    ASSERT_EQ(c.faults.size(), 2);
    EXPECT_EQ(c.faults.at(0), (Fault{"+CGSN", FaultKind::Delay, 200, false}));
    EXPECT_EQ(c.faults.at(1), (Fault{"I9", FaultKind::Error, 0, true}));
    EXPECT_EQ(options.linkPath, QStringLiteral("/tmp/modem"));
}

class SimOptionsRejected : public testing::TestWithParam<QStringList> {};

TEST_P(SimOptionsRejected, WithAMessage)
{
    SimOptions options;
    QString error;
    EXPECT_FALSE(parse(GetParam(), &options, &error));
    EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Bad, SimOptionsRejected,
    testing::Values(QStringList{"--model", "pike4"}, QStringList{"--firmware", "beta"}, QStringList{"--baud", "1234"},
                    QStringList{"--baud", "fast"}, QStringList{"--framing", "8E2"}, QStringList{"--framing", "9N1"},
                    QStringList{"--sim", "maybe"}, QStringList{"--pin", "12"}, QStringList{"--echo", "2"},
                    QStringList{"--verbose", "yes"}, QStringList{"--quiet", ""}, QStringList{"--cmee", "3"},
                    QStringList{"--fault", "+CGSN=boom"}, QStringList{"--wopen-version", "3\"1"},
                    QStringList{"--unknown"}, QStringList{"stray"}));

} // namespace
