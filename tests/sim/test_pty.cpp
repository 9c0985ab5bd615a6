#include "rawclient.h"

#include "sim/simmodem.h"
#include "sim/simthread.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

bool isNoise(const QByteArray &bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80)
            return false;
    }
    return !bytes.isEmpty();
}

// A simulator in its own thread and a client on its pseudo-terminal at 9600 8N1.
class SimPty : public testing::Test {
protected:
    void start(SimConfig config = {})
    {
        QString error;
        path = sim.start(config, &error).toLocal8Bit();
        ASSERT_FALSE(path.isEmpty()) << qPrintable(error);
        ASSERT_TRUE(client.open(path, 9600)) << path.constData();
    }

    SimThread sim;
    RawClient client;
    QByteArray path;
};

TEST_F(SimPty, AnswersOnTheSlave)
{
    start();
    EXPECT_EQ(client.exchange("AT"), "AT\r\r\nOK\r\n");
    EXPECT_EQ(client.exchange("AT+CPIN?"), "AT+CPIN?\r\r\n+CPIN: READY\r\n\r\nOK\r\n");
}

TEST_F(SimPty, KeepsServingWhenThePortIsClosedAndReopened)
{
    start();
    EXPECT_EQ(client.exchange("ATE0"), "ATE0\r\r\nOK\r\n");
    client.close();
    ASSERT_TRUE(client.open(path, 9600));
    EXPECT_EQ(client.exchange("AT"), "\r\nOK\r\n");
}

struct LineCase {
    const char *name;
    int baud;
    int stopBits;
    bool answered;
};

void PrintTo(const LineCase &c, std::ostream *os)
{
    *os << c.name;
}

class SimPtyLine : public SimPty, public testing::WithParamInterface<LineCase> {};

// The modem runs 9600 8N1; the client's termios decides what it hears.
TEST_P(SimPtyLine, AnswersOnlyAMatchingLine)
{
    start();
    ASSERT_TRUE(client.setLine(GetParam().baud, GetParam().stopBits));
    ASSERT_TRUE(client.write("AT\r"));
    if (GetParam().answered) {
        EXPECT_EQ(client.readUntilEnd("OK\r\n"), "AT\r\r\nOK\r\n");
        return;
    }
    QByteArray noise;
    ASSERT_EQ(client.readUntil([](const QByteArray &r) { return !r.isEmpty(); }, &noise), RawClient::End::Matched);
    // Back on the modem's settings, the next command gets its plain answer after the garbage.
    ASSERT_TRUE(client.setLine(9600, 1));
    ASSERT_TRUE(client.write("AT\r"));
    QByteArray rest;
    client.readUntil([](const QByteArray &r) { return r.endsWith("OK\r\n"); }, &rest);
    const QByteArray all = noise + rest;
    ASSERT_TRUE(all.endsWith("AT\r\r\nOK\r\n")) << all.toHex(' ').constData();
    EXPECT_TRUE(isNoise(all.left(all.size() - 9))) << all.toHex(' ').constData();
}

INSTANTIATE_TEST_SUITE_P(Lines, SimPtyLine,
                         testing::Values(LineCase{"same", 9600, 1, true}, LineCase{"faster", 19200, 1, false},
                                         LineCase{"slower", 1200, 1, false},
                                         LineCase{"two_stop_bits", 9600, 2, false}),
                         [](const testing::TestParamInfo<LineCase> &info) { return std::string(info.param.name); });

TEST_F(SimPty, IprAnswersAtTheOldRateThenSwitches)
{
    start();
    EXPECT_EQ(client.exchange("AT+IPR=115200"), "AT+IPR=115200\r\r\nOK\r\n");
    ASSERT_TRUE(client.setLine(115200));
    EXPECT_EQ(client.exchange("AT+IPR?"), "AT+IPR?\r\r\n+IPR: 115200\r\n\r\nOK\r\n");
}

// A Linux pty runs 8N whatever either side asks, so a modem set to 7E1 must
// still answer a client whose rate and stop bits match.
TEST_F(SimPty, CharacterFormatIsNotComparedOnAPseudoTerminal)
{
    SimConfig config;
    config.line = *parseFraming("7E1");
    start(config);
    EXPECT_EQ(client.exchange("AT+ICF?"), "AT+ICF?\r\r\n+ICF: 5,1\r\n\r\nOK\r\n");
}

TEST_F(SimPty, HangUpFaultClosesTheLine)
{
    start();
    sim.addFault(Fault{"+CGSN", FaultKind::HangUp, 0, true});
    ASSERT_TRUE(client.write("AT+CGSN\r"));
    QByteArray received;
    EXPECT_EQ(client.readUntil([](const QByteArray &) { return false; }, &received), RawClient::End::HungUp);
    EXPECT_EQ(received, "AT+CGSN\r"); // the echo went out before the line dropped
    EXPECT_TRUE(sim.hasEnded());
}

TEST_F(SimPty, NoAnswerFaultSwallowsOneLine)
{
    start();
    sim.addFault(Fault{"+CGSN", FaultKind::NoAnswer, 0, true});
    ASSERT_TRUE(client.write("AT+CGSN\r"));
    ASSERT_TRUE(client.write("ATI\r"));
    EXPECT_EQ(client.readUntilEnd("OK\r\n"), "AT+CGSN\rATI\r\r\nKestrava Pike-3\r\n\r\nOK\r\n");
}

TEST_F(SimPty, DelayFaultHoldsTheAnswerAndLaterLinesWait)
{
    start();
    sim.addFault(Fault{"+CGSN", FaultKind::Delay, 200, true});
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(client.write("AT+CGSN\r"));
    ASSERT_TRUE(client.write("ATE0\r"));
    const QByteArray answer = client.readUntilEnd("ATE0\r\r\nOK\r\n");
    EXPECT_GE(clock.elapsed(), 100);
    EXPECT_EQ(answer, "AT+CGSN\r\r\n" + defaultImei(Model::Pike3) + "\r\n\r\nOK\r\nATE0\r\r\nOK\r\n");
}

TEST_F(SimPty, RealRatePacesEchoAndAnswer)
{
    SimConfig config;
    config.line.baud = 300;
    config.realRate = true;
    start(config);
    ASSERT_TRUE(client.setLine(300));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(client.exchange("AT"), "AT\r\r\nOK\r\n");
    // Nine bytes at 30 bytes per second take 300 ms.
    EXPECT_GE(clock.elapsed(), 200);
}

TEST_F(SimPty, SettersReachTheModemBeforeTheNextCommand)
{
    start();
    sim.setSimCard(SimCard::PinRequired);
    EXPECT_EQ(client.exchange("AT+CPIN?"), "AT+CPIN?\r\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n");
    sim.addFault(Fault{"AT", FaultKind::Error, 0, false});
    EXPECT_EQ(client.exchange("AT"), "AT\r\r\nERROR\r\n");
    sim.clearFaults();
    EXPECT_EQ(client.exchange("ATS0=3"), "ATS0=3\r\r\nOK\r\n");
    QByteArray s0;
    ASSERT_TRUE(sim.withModem([&s0](SimModem &modem) { s0 = modem.state().value("S0"); }));
    EXPECT_EQ(s0, "3");
}

TEST(SimPtyThread, StopClosesTheLineAndRestartGivesAFreshModem)
{
    SimThread sim;
    const QByteArray first = sim.start(SimConfig{}).toLocal8Bit();
    ASSERT_FALSE(first.isEmpty());
    RawClient client;
    ASSERT_TRUE(client.open(first));
    EXPECT_EQ(client.exchange("ATS0=9"), "ATS0=9\r\r\nOK\r\n");
    sim.stop();
    EXPECT_FALSE(sim.isRunning());
    QByteArray received;
    EXPECT_EQ(client.readUntil([](const QByteArray &) { return false; }, &received), RawClient::End::HungUp);

    const QByteArray second = sim.start(SimConfig{}).toLocal8Bit();
    ASSERT_FALSE(second.isEmpty());
    ASSERT_TRUE(client.open(second));
    EXPECT_EQ(client.exchange("ATS0?"), "ATS0?\r\r\n000\r\n\r\nOK\r\n");
}

} // namespace
