#include "sim/simmodem.h"

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

SimConfig withEcho(bool echo, bool verbose = true)
{
    SimConfig config;
    config.echo = echo;
    config.verbose = verbose;
    return config;
}

const QByteArray ok = "\r\nOK\r\n";
const QByteArray prompt = "\r\n> ";
const QByteArray emptySlot = "\r\n+CMS ERROR: 321\r\n";

TEST(SimMessages, StoreReadAndDeleteATwoLineText)
{
    SimModem modem(withEcho(false));
    EXPECT_EQ(modem.feed("AT+CMGR=1\r"), emptySlot);
    EXPECT_EQ(modem.feed("AT+CMGW=\"+4912345\"\r"), prompt);
    EXPECT_EQ(modem.feed("first line\r"), prompt);
    EXPECT_EQ(modem.feed("second\r"), prompt);
    EXPECT_EQ(modem.feed("\x1A"), "\r\n+CMGW: 1\r\n\r\nOK\r\n");
    // Each line keeps the CR it was typed with.
    EXPECT_EQ(modem.feed("AT+CMGR=1\r"),
              "\r\n+CMGR: \"STO UNSENT\",\"+4912345\",\r\nfirst line\rsecond\r\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CMGD=1,0\r"), ok);
    EXPECT_EQ(modem.feed("AT+CMGR=1\r"), emptySlot);
    // Deleting an empty location is no error.
    EXPECT_EQ(modem.feed("AT+CMGD=1\r"), ok);
}

TEST(SimMessages, EscapeGivesUpTheText)
{
    SimModem modem(withEcho(false));
    EXPECT_EQ(modem.feed("AT+CMGW=\"123\"\r"), prompt);
    EXPECT_EQ(modem.feed("never\x1B"), ok);
    EXPECT_EQ(modem.feed("AT+CMGR=1\r"), emptySlot);
    EXPECT_EQ(modem.feed("AT\r"), ok);
}

TEST(SimMessages, EchoedTextAndTheNextFreeLocation)
{
    SimModem modem(withEcho(true));
    modem.state().setVariable("SMS_1_STAT", "REC READ");
    modem.state().setVariable("SMS_1_DA", "+31625044454");
    modem.state().setVariable("SMS_1_TEXT", "hello");
    EXPECT_EQ(modem.feed("AT+CMGW=\"5\"\r"), "AT+CMGW=\"5\"\r" + prompt);
    EXPECT_EQ(modem.feed("a>b\r"), "a>b" + prompt);
    EXPECT_EQ(modem.feed("\x1A"), "\r\n+CMGW: 2\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.state().variable("SMS_2_TEXT"), QByteArray("a>b\r"));
}

TEST(SimMessages, NumericModeAndPduModeAndBulkDelete)
{
    SimModem modem(withEcho(false, false));
    EXPECT_EQ(modem.feed("AT+CMGW=\"5\"\r"), prompt);
    EXPECT_EQ(modem.feed("x\r\x1A"), prompt + "+CMGW: 1\r\n0\r");
    EXPECT_EQ(modem.feed("AT+CMGD=1,4\r"), "0\r");
    EXPECT_EQ(modem.feed("AT+CMGR=1\r"), "+CMS ERROR: 321\r\n");
    EXPECT_EQ(modem.feed("AT+CMGF=0\r"), "0\r");
    EXPECT_EQ(modem.feed("AT+CMGW=\"5\"\r"), "+CMS ERROR: 302\r\n");
}

TEST(SimMessages, ServiceCentreAddressSavedByCsas)
{
    SimModem modem(withEcho(false));
    EXPECT_EQ(modem.feed("AT+CSCA?\r"), "\r\n+CSCA: \"\",129\r\n" + ok);
    // The type follows the number's form unless given.
    EXPECT_EQ(modem.feed("AT+CSCA=\"+491720000\"\r"), ok);
    EXPECT_EQ(modem.feed("AT+CSCA?\r"), "\r\n+CSCA: \"+491720000\",145\r\n" + ok);
    EXPECT_EQ(modem.feed("AT+CSCA=\"0172\",161\r"), ok);
    EXPECT_EQ(modem.state().value("+CSCA"), QByteArray("\"0172\",161"));
    EXPECT_EQ(modem.feed("AT+CSCA=\"01x2\"\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.state().value("+CSCA", ProfileSlot::Stored), QByteArray("\"\",129"));
    EXPECT_EQ(modem.feed("AT+CSAS\r"), ok);
    EXPECT_EQ(modem.state().value("+CSCA", ProfileSlot::Stored), QByteArray("\"0172\",161"));
}

} // namespace
