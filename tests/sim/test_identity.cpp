#include "sim/simmodem.h"

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

// The first information line as a reader finds it: the text after the first
// LF at position 1 or later, up to the next LF (with or without echo in front).
QByteArray secondLine(const QByteArray &answer)
{
    const int first = answer.indexOf('\n', 1);
    if (first < 0)
        return {};
    const QByteArray rest = answer.mid(first + 1);
    const int next = rest.indexOf('\n', 1);
    return next < 0 ? rest : rest.left(next);
}

// The text after " v" up to the next double quote.
QByteArray versionAfterV(const QByteArray &answer)
{
    const int v = answer.indexOf(" v");
    if (v < 0)
        return {};
    const int quote = answer.indexOf('"', v + 2);
    return quote < 0 ? QByteArray() : answer.mid(v + 2, quote - v - 2);
}

bool luhnValid(const QByteArray &imei)
{
    return imei.size() == 15 && imeiCheckDigit(imei.left(14)) == imei.at(14);
}

struct ModelCase {
    Model model;
    QByteArray prefix;
    Firmware firmware;
};

void PrintTo(const ModelCase &c, std::ostream *os)
{
    *os << modelInfo(c.model).name << " " << firmwareKey(c.firmware);
}

class SimIdentityModel : public testing::TestWithParam<ModelCase> {};

TEST_P(SimIdentityModel, ImeiInTheModelsRange)
{
    SimConfig config;
    config.model = GetParam().model;
    config.echo = false;
    SimModem modem(config);
    const QByteArray answer = modem.feed("AT+CGSN\r");
    ASSERT_TRUE(answer.startsWith("\r\n") && answer.endsWith("\r\n\r\nOK\r\n")) << answer.constData();
    const QByteArray imei = answer.mid(2, answer.indexOf('\r', 2) - 2);
    EXPECT_TRUE(imei.startsWith(GetParam().prefix)) << imei.constData();
    EXPECT_TRUE(luhnValid(imei)) << imei.constData();
}

TEST_P(SimIdentityModel, UsualFirmwareOfTheModel)
{
    SimConfig config;
    config.model = GetParam().model;
    EXPECT_EQ(config.effectiveFirmware(), GetParam().firmware);
}

INSTANTIATE_TEST_SUITE_P(Models, SimIdentityModel,
                         testing::Values(ModelCase{Model::Orca1, "35107943", Firmware::Plain},
                                         ModelCase{Model::Orca1Us, "01042400", Firmware::IpStack},
                                         ModelCase{Model::Pike2, "35783200", Firmware::Maker},
                                         ModelCase{Model::Pike3, "35783100", Firmware::Maker}));

struct FirmwareCase {
    Firmware firmware;
    bool echo;
    bool makerId;  // "6200" on the first information line of ATI9
    bool wopen;    // +WOPEN=2 answers
    bool vversion; // #VVERSION answers
};

void PrintTo(const FirmwareCase &c, std::ostream *os)
{
    *os << firmwareKey(c.firmware) << (c.echo ? " firmware, echo" : " firmware");
}

class SimIdentityFirmware : public testing::TestWithParam<FirmwareCase> {};

TEST_P(SimIdentityFirmware, FirmwareShowsInItsCommands)
{
    const FirmwareCase &c = GetParam();
    SimConfig config;
    config.model = Model::Pike2;
    config.firmware = c.firmware;
    config.echo = c.echo;
    SimModem modem(config);

    const QByteArray i9 = modem.feed("ATI9\r");
    EXPECT_TRUE(i9.endsWith("\r\nOK\r\n"));
    EXPECT_EQ(secondLine(i9).contains("6200"), c.makerId) << i9.constData();

    const QByteArray wopen = modem.feed("AT+WOPEN=2\r");
    if (c.wopen) {
        EXPECT_TRUE(wopen.contains("\r\n+WOPEN: 2,\"AT v3.10\",")) << wopen.constData();
        EXPECT_EQ(versionAfterV(wopen), "3.10");
    } else {
        EXPECT_TRUE(wopen.endsWith("\r\nERROR\r\n"));
    }

    const QByteArray vversion = modem.feed("AT#VVERSION\r");
    EXPECT_EQ(vversion.contains("eDsoft"), c.vversion) << vversion.constData();
    EXPECT_TRUE(vversion.endsWith(c.vversion ? "\r\nOK\r\n" : "\r\nERROR\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Firmwares, SimIdentityFirmware,
                         testing::Values(FirmwareCase{Firmware::Maker, false, true, true, false},
                                         FirmwareCase{Firmware::Maker, true, true, true, false},
                                         FirmwareCase{Firmware::Plain, false, false, false, false},
                                         FirmwareCase{Firmware::Plain, true, false, false, false},
                                         FirmwareCase{Firmware::IpStack, false, false, false, true}));

TEST(SimIdentity, ConfiguredImeiAndVersion)
{
    SimConfig config;
    config.echo = false;
    config.imei = "351079009990123";
    config.wopenVersion = "3.0";
    SimModem modem(config);
    EXPECT_EQ(modem.feed("AT+CGSN\r"), "\r\n351079009990123\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+GSN\r"), "\r\n351079009990123\r\n\r\nOK\r\n");
    EXPECT_EQ(versionAfterV(modem.feed("AT+WOPEN=2\r")), "3.0");
}

TEST(SimIdentity, IdentificationCommands)
{
    SimConfig config;
    config.model = Model::Orca1;
    config.echo = false;
    SimModem modem(config);
    EXPECT_EQ(modem.feed("ATI\r"), "\r\nKestrava Orca-1\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CGMI\r"), "\r\nKestrava\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CGMM\r"), "\r\nOrca-1\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("ATI3\r"), modem.feed("AT+CGMR\r"));
    EXPECT_EQ(modem.feed("AT+CGSN=?\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("ATI7\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.feed("AT+CGSN=1\r"), "\r\nERROR\r\n");
}

TEST(SimIdentity, WopenSwitchesTheEmbeddedApplication)
{
    SimConfig config;
    config.echo = false;
    SimModem modem(config);
    EXPECT_EQ(modem.feed("AT+WOPEN?\r"), "\r\n+WOPEN: 1\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+WOPEN=0\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+WOPEN?\r"), "\r\n+WOPEN: 0\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+WOPEN=3\r"), "\r\nERROR\r\n");
}

} // namespace
