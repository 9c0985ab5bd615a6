#include "sim/simmodem.h"

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

SimConfig withCard(SimCard card)
{
    SimConfig config;
    config.echo = false;
    config.sim = card;
    config.pin = "1234";
    return config;
}

QByteArray answer(const QByteArray &line)
{
    return "\r\n" + line + "\r\n\r\nOK\r\n";
}

const QByteArray ok = "\r\nOK\r\n";
const QByteArray wrongCode = "\r\n+CME ERROR: 16\r\n";

QByteArray lockList(char sc)
{
    return answer(QByteArray("+CLCK: (\"PS\",0),(\"SC\",") + sc
                + "),(\"FD\",0),(\"PN\",0),(\"PU\",0),(\"PP\",0),(\"PC\",0)");
}

TEST(SimLock, LockFollowsTheCardAndTheRightCode)
{
    SimModem modem(withCard(SimCard::Ready));
    EXPECT_EQ(modem.feed("AT+CLCK?\r"), lockList('0'));
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",1,1111\r"), wrongCode);
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",1,1234\r"), ok);
    EXPECT_EQ(modem.feed("AT+CLCK?\r"), lockList('1'));
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",2\r"), answer("+CLCK: 1"));
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",0,1234\r"), ok);
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",2\r"), answer("+CLCK: 0"));
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",1\r"), "\r\n+CME ERROR: 50\r\n");
}

TEST(SimLock, ACardThatAsksForItsPinIsLockedAndRefusesUntilUnlocked)
{
    SimModem modem(withCard(SimCard::PinRequired));
    EXPECT_EQ(modem.feed("AT+CLCK?\r"), "\r\n+CME ERROR: 11\r\n");
    EXPECT_EQ(modem.feed("AT+CPWD=\"SC\",1234,5678\r"), "\r\n+CME ERROR: 11\r\n");
    EXPECT_EQ(modem.feed("AT+CPIN=1234\r"), ok);
    EXPECT_EQ(modem.feed("AT+CLCK?\r"), lockList('1'));
}

TEST(SimLock, ThreeWrongCodesBlockTheCard)
{
    SimModem modem(withCard(SimCard::Ready));
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",1,1111\r"), wrongCode);
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",1,2222\r"), wrongCode);
    // A query needs no code and costs no attempt.
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",2\r"), answer("+CLCK: 0"));
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",1,3333\r"), wrongCode);
    EXPECT_EQ(modem.feed("AT+CPIN?\r"), answer("+CPIN: SIM PUK"));
    EXPECT_EQ(modem.feed("AT+CLCK?\r"), "\r\n+CME ERROR: 12\r\n");
    EXPECT_EQ(modem.feed("AT+CPIN=12345678,4321\r"), ok);
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",1,4321\r"), ok);
}

TEST(SimLock, ChangePinNeedsTheLockAndTheOldCode)
{
    SimModem modem(withCard(SimCard::Ready));
    EXPECT_EQ(modem.feed("AT+CPWD=\"SC\",1234,5678\r"), "\r\n+CME ERROR: 3\r\n");
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",1,1234\r"), ok);
    EXPECT_EQ(modem.feed("AT+CPWD=\"SC\",9999,5678\r"), wrongCode);
    EXPECT_EQ(modem.feed("AT+CPWD=\"SC\",1234,56\r"), "\r\n+CME ERROR: 50\r\n");
    EXPECT_EQ(modem.feed("AT+CPWD=\"SC\",1234,5678\r"), ok);
    EXPECT_EQ(modem.state().sim().pin, QByteArray("5678"));
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",0,1234\r"), wrongCode);
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",0,5678\r"), ok);
}

TEST(SimLock, NumericModeFramesTheErrorAsText)
{
    SimConfig config = withCard(SimCard::Ready);
    config.verbose = false;
    config.echo = true;
    SimModem modem(config);
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",1,1230\r"), "AT+CLCK=\"SC\",1,1230\r+CME ERROR: 16\r\n");
    EXPECT_EQ(modem.feed("AT+CLCK=\"SC\",1,1234\r"), "AT+CLCK=\"SC\",1,1234\r0\r");
}

} // namespace
