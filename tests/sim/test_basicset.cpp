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

QByteArray answer(const QByteArray &line)
{
    return "\r\n" + line + "\r\n\r\nOK\r\n";
}

const QByteArray ok = "\r\nOK\r\n";
const QByteArray error = "\r\nERROR\r\n";

struct SettingCase {
    const char *name;
    QByteArray read;     // the read command
    QByteArray factory;  // its answer at first
    QByteArray set;      // a set command
    QByteArray after;    // the read answer after it
    QByteArray refused;  // a set command the modem refuses
};

void PrintTo(const SettingCase &c, std::ostream *os)
{
    *os << c.name;
}

class BasicSettings : public testing::TestWithParam<SettingCase> {};

// Each setting reads, sets, refuses values out of range, and is a part of
// the profile: &W keeps it, &F brings the factory value back.
TEST_P(BasicSettings, ReadSetStoreAndFactory)
{
    const SettingCase &c = GetParam();
    SimModem modem(quietEcho());
    EXPECT_EQ(modem.feed(c.read + '\r'), c.factory);
    EXPECT_EQ(modem.feed(c.set + '\r'), ok);
    EXPECT_EQ(modem.feed(c.read + '\r'), c.after);
    EXPECT_EQ(modem.feed(c.refused + '\r'), error);
    EXPECT_EQ(modem.feed(c.read + '\r'), c.after);
    EXPECT_EQ(modem.feed("AT&W\r"), ok);
    EXPECT_EQ(modem.feed("AT&F\r"), ok);
    modem.feed("ATE0\r"); // &F switched the echo back on
    EXPECT_EQ(modem.feed(c.read + '\r'), c.factory);
    EXPECT_EQ(modem.feed("ATZ\r"), ok);
    EXPECT_EQ(modem.feed(c.read + '\r'), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, BasicSettings,
    testing::Values(SettingCase{"rings", "ATS0?", answer("000"), "ATS0=2", answer("002"), "ATS0=256"},
                    SettingCase{"compression", "AT%C?", answer("0"), "AT%C2", answer("2"), "AT%C1"},
                    SettingCase{"error correction", "AT\\N?", answer("0"), "AT\\N5", answer("5"), "AT\\N9"},
                    SettingCase{"dtr event", "AT%D?", answer("0"), "AT%D2", answer("2"), "AT%D3"},
                    SettingCase{"bearer", "AT+CBST?", answer("+CBST: 0,0,1"), "AT+CBST=71,0,3",
                                answer("+CBST: 71,0,3"), "AT+CBST=8,0,1"}));

TEST(SimBasicSet, NewerModelsOnlyHaveAutoPinAndStatusLed)
{
    SimModem orca(quietEcho(Model::Orca1));
    EXPECT_EQ(orca.feed("AT*WPIN?\r"), error);
    EXPECT_EQ(orca.feed("AT*WSTATLED?\r"), error);

    SimModem pike(quietEcho(Model::Pike2));
    EXPECT_EQ(pike.feed("AT*WSTATLED?\r"), answer("*WSTATLED: 0"));
    EXPECT_EQ(pike.feed("AT*WSTATLED=2\r"), ok);
    EXPECT_EQ(pike.feed("AT*WSTATLED=3\r"), error);
    EXPECT_EQ(pike.feed("AT*WSTATLED?\r"), answer("*WSTATLED: 2"));
}

TEST(SimBasicSet, AutoPinKeepsItsCode)
{
    SimModem modem(quietEcho());
    EXPECT_EQ(modem.feed("AT*WPIN?\r"), answer("*WPIN: 0"));
    EXPECT_EQ(modem.feed("AT*WPIN=1,\"1234\"\r"), ok);
    EXPECT_EQ(modem.feed("AT*WPIN?\r"), answer("*WPIN: 1,\"1234\""));
    EXPECT_EQ(modem.feed("AT*WPIN=1\r"), "\r\n+CME ERROR: 50\r\n");
    EXPECT_EQ(modem.feed("AT*WPIN=1,\"12\"\r"), "\r\n+CME ERROR: 50\r\n");
    EXPECT_EQ(modem.feed("AT*WPIN=0\r"), ok);
    EXPECT_EQ(modem.feed("AT*WPIN?\r"), answer("*WPIN: 0"));
}

TEST(SimBasicSet, ResetTimerReportsDelayAndTimeLeft)
{
    SimModem modem(quietEcho());
    EXPECT_EQ(modem.feed("AT+WRST?\r"), answer("+WRST: 0,\"024:00\",\"000:00\""));
    EXPECT_EQ(modem.feed("AT+WRST=1,\"012:30\"\r"), ok);
    EXPECT_EQ(modem.feed("AT+WRST?\r"), answer("+WRST: 1,\"012:30\",\"012:30\""));
    for (const QByteArray &refused : {QByteArray("AT+WRST=1,\"012:60\""), QByteArray("AT+WRST=1,\"\""),
                                     QByteArray("AT+WRST=1,\"12:30\""), QByteArray("AT+WRST=2,\"012:30\"")})
        EXPECT_EQ(modem.feed(refused + '\r'), error) << refused.constData();
    // Off with an empty delay keeps the delay it had.
    EXPECT_EQ(modem.feed("AT+WRST=0,\"\"\r"), ok);
    EXPECT_EQ(modem.feed("AT+WRST?\r"), answer("+WRST: 0,\"012:30\",\"000:00\""));
}

TEST(SimBasicSet, SimInitialisationStatus)
{
    SimModem ready(quietEcho());
    EXPECT_EQ(ready.feed("AT+WSTR=1\r"), answer("+WSTR: 1,2"));
    SimConfig locked = quietEcho();
    locked.sim = SimCard::PinRequired;
    SimModem waiting(locked);
    EXPECT_EQ(waiting.feed("AT+WSTR=1\r"), answer("+WSTR: 1,0"));
}

TEST(SimBasicSet, RestartBringsTheStoredProfileBackAndTheSimAsksAgain)
{
    SimConfig config = quietEcho();
    config.sim = SimCard::PinRequired;
    config.pin = "1234";
    SimModem modem(config);
    EXPECT_EQ(modem.feed("AT+CPIN=1234\r"), ok);
    EXPECT_EQ(modem.feed("ATS0=7\r"), ok); // not stored
    EXPECT_EQ(modem.feed("AT+CFUN=1\r"), ok);
    EXPECT_EQ(modem.feed("ATS0?\r"), answer("000"));
    EXPECT_EQ(modem.feed("AT+CPIN?\r"), answer("+CPIN: SIM PIN"));

    // With the Auto PIN function holding the right code the modem unlocks by itself.
    EXPECT_EQ(modem.feed("AT+CPIN=1234\r"), ok);
    EXPECT_EQ(modem.feed("AT*WPIN=1,\"1234\"\r"), ok);
    EXPECT_EQ(modem.feed("AT+CFUN=1\r"), ok);
    EXPECT_EQ(modem.feed("AT+CPIN?\r"), answer("+CPIN: READY"));
}

TEST(SimBasicSet, RestartingModemHearsNothingWhileItBoots)
{
    for (const QByteArray &command : {QByteArray("AT+CFUN=1"), QByteArray("AT+WOPEN=0"), QByteArray("AT+WOPEN=1")}) {
        SimModem modem(quietEcho());
        modem.state().setVariable("RESTART_MS", "600000");
        EXPECT_EQ(modem.feed(command + '\r'), ok) << command.constData();
        EXPECT_TRUE(modem.restarting());
        EXPECT_EQ(modem.feed("AT\r"), QByteArray()) << command.constData();
    }
    // Other forms do not restart it.
    SimModem modem(quietEcho());
    modem.state().setVariable("RESTART_MS", "600000");
    EXPECT_EQ(modem.feed("AT+CFUN=0\r"), ok);
    EXPECT_EQ(modem.feed("AT+WOPEN=2\r").right(6), ok);
    EXPECT_EQ(modem.feed("AT\r"), ok);
}

} // namespace
