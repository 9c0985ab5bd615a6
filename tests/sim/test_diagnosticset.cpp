// Sending a text message and the Diagnostic page's queries.
#include "sim/simmodem.h"

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

SimConfig quiet(Model model = Model::Pike3, std::optional<Firmware> firmware = std::nullopt)
{
    SimConfig config;
    config.model = model;
    config.firmware = firmware;
    config.echo = false;
    return config;
}

const QByteArray prompt = "\r\n> ";

TEST(SimSmsSend, TwoLinesAreSentAfterAPauseAndKept)
{
    SimModem modem(quiet());
    modem.feed("AT+CSCA=\"+46708251018\"\r");
    EXPECT_EQ(modem.feed("AT+CMGS=\"+4912345\"\r"), prompt);
    EXPECT_EQ(modem.feed("Hello\r"), prompt);
    // The second line comes with the LF of the break, which the text drops.
    EXPECT_EQ(modem.feed("\nWorld\r"), prompt);
    const Output out = modem.receive("\x1A");
    ASSERT_EQ(out.size(), 2);
    EXPECT_EQ(out.at(0).kind, OutputItem::Kind::Pause);
    EXPECT_GT(out.at(0).pauseMs, 0);
    EXPECT_EQ(outputBytes(out), "\r\n+CMGS: 1\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.state().variable("SENT_COUNT"), "1");
    EXPECT_EQ(modem.state().variable("SENT_1_DA"), "+4912345");
    EXPECT_EQ(modem.state().variable("SENT_1_TEXT"), "Hello\rWorld\r");
    // The next message takes the next reference.
    modem.feed("AT+CMGS=\"5\"\rx\x1A");
    EXPECT_EQ(modem.state().variable("SENT_2_TEXT"), "x");
}

TEST(SimSmsSend, RefusalsOfTheModemAndTheNetwork)
{
    SimModem modem(quiet());
    // No service centre: the network is never reached.
    EXPECT_EQ(modem.feed("AT+CMGS=\"123\"\r"), prompt);
    EXPECT_EQ(modem.feed("text\x1A"), "\r\n+CMS ERROR: 330\r\n");
    EXPECT_EQ(modem.state().variable("SENT_COUNT"), "");
    modem.feed("AT+CSCA=\"123\"\r");
    EXPECT_EQ(modem.feed("AT+CMGS=\"123\"\r"), prompt);
    EXPECT_EQ(modem.feed("never\x1B"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CMGF=0\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CMGS=\"123\"\r"), "\r\n+CMS ERROR: 304\r\n");
}

TEST(SimSmsSend, NeedsTheSim)
{
    SimConfig config = quiet();
    config.sim = SimCard::PinRequired;
    SimModem modem(config);
    EXPECT_TRUE(modem.feed("AT+CMGS=\"123\"\r").contains("+CME ERROR"));
}

TEST(SimDiagnostics, RegistrationFollowsTheSimAndCoverage)
{
    SimModem modem(quiet());
    EXPECT_EQ(modem.feed("AT+CREG?\r"), "\r\n+CREG: 0,1\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CREG=2\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CREG?\r"), "\r\n+CREG: 2,1\r\n\r\nOK\r\n");
    modem.state().setVariable("GPRS_COVERAGE", "0");
    EXPECT_EQ(modem.feed("AT+CGREG?\r"), "\r\n+CGREG: 0,0\r\n\r\nOK\r\n");
    modem.state().setVariable("CGREG_STAT", "5");
    EXPECT_EQ(modem.feed("AT+CGREG?\r"), "\r\n+CGREG: 0,5\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CREG=3\r"), "\r\nERROR\r\n");

    SimConfig noSim = quiet();
    noSim.sim = SimCard::Absent;
    SimModem without(noSim);
    EXPECT_EQ(without.feed("AT+CREG?\r"), "\r\n+CREG: 0,0\r\n\r\nOK\r\n");
}

TEST(SimDiagnostics, TcpFirmwareDumpsItsStateAndSettings)
{
    SimModem modem(quiet(Model::Pike3, Firmware::Maker));
    EXPECT_EQ(modem.feed("AT*WIPSTATUS\r"), "\r\n*WIPSTATUS: DISCONNECTED\r\n\r\nOK\r\n");
    modem.state().setVariable("GPRS_CONNECT_MS", "0");
    modem.feed("AT*WGPRSCONNECT\r");
    EXPECT_EQ(modem.feed("AT*WIPSTATUS\r"), "\r\n*WIPSTATUS: CONNECTED,\"10.64.12.7\"\r\n\r\nOK\r\n");
    modem.feed("AT*WGPRSAPN=\"internet.kestrava\"\r");
    modem.feed("AT*WTCPPORT=2000\r");
    const QByteArray wtcpv = modem.feed("AT*WTCPV\r");
    EXPECT_TRUE(wtcpv.startsWith("\r\n*WTCPV: APN:\"internet.kestrava\"  USER:\"\"")) << wtcpv.constData();
    EXPECT_TRUE(wtcpv.contains("\r\nIP:0.0.0.0  PORT:2000  DELAY:100\r\n")) << wtcpv.constData();

    SimModem plain(quiet(Model::Pike3, Firmware::Plain));
    EXPECT_EQ(plain.feed("AT*WTCPV\r"), "\r\nERROR\r\n");
    EXPECT_EQ(plain.feed("AT*WIPSTATUS\r"), "\r\nERROR\r\n");
}

TEST(SimDiagnostics, ProfileDumpShowsTheWholeStoredProfile)
{
    SimModem modem(quiet());
    modem.feed("AT+CBST=71,0,1\r");
    const QByteArray dump = modem.feed("AT&V\r");
    const QByteArray active = dump.left(dump.indexOf("STORED PROFILE:"));
    for (const char *item : {"Q:0  V:1", "&C:1", "+CBST:71,0,1", "+CMGF:1", "+CSCA:\"\",129"})
        EXPECT_TRUE(active.contains(item)) << item << "\n" << dump.constData();
    EXPECT_FALSE(active.contains(":0 V")) << "single blanks between items";
}

} // namespace
