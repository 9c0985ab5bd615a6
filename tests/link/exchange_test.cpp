#include "link/core/trace.h"
#include "link/sessionfixture.h"
#include "support/fixtures.h"

using namespace telvio;
using namespace telvio::test;

namespace {

TEST_F(SessionTest, PatternExchangeHandsBackTheWholeAnswer)
{
    modem.SetEcho(true);
    modem.Answer("AT+CGSN", "\r\n357831001234567\r\n\r\nOK\r\n");
    QByteArray cmd = "AT+CGSN";
    EXPECT_EQ(session.Exchange(cmd, 3, "OK\r\n", "ERROR"), ExSuccess);
    EXPECT_EQ(cmd, QByteArray("AT+CGSN\r\r\n357831001234567\r\n\r\nOK\r\n"));
    EXPECT_EQ(port.Written(), QByteArray("AT+CGSN\r"));
    // Receive events are off while the exchange reads, on again after it.
    EXPECT_EQ(port.RThresholdHistory(), (QList<int>{0, 1}));
}

TEST_F(SessionTest, VerboseErrorLineMatchesErrorPattern)
{
    modem.Answer("AT+CPBS?", "\r\nERROR\r\n");
    QByteArray cmd = "AT+CPBS?";
    EXPECT_EQ(session.Exchange(cmd, 3, "OK\r\n", "ERROR\n"), ExError);
}

TEST_F(SessionTest, BothTextsCompletingInOnePassGiveSuccess)
{
    modem.Answer("AT", "\r\nOK\r\n");
    QByteArray cmd = "AT";
    EXPECT_EQ(session.Exchange(cmd, 3, "OK\r\n", "OK\r\n"), ExSuccess);
}

TEST_F(SessionTest, ShorterErrorPatternWinsBecauseEachPassMovesOneCharacter)
{
    // "O" completes in the first pass, "OK\r\n" needs four.
    modem.Answer("AT", "\r\nOK\r\n");
    QByteArray cmd = "AT";
    EXPECT_EQ(session.Exchange(cmd, 3, "OK\r\n", "O"), ExError);
}

TEST_F(SessionTest, TimeoutHandsBackThePartialAnswerAfterUnitTimesFactorTicks)
{
    modem.Answer("AT+CPIN?", "\r\n+CPIN: REA");
    QByteArray cmd = "AT+CPIN?";
    const long long start = pump.Now();
    EXPECT_EQ(session.Exchange(cmd, 3, "+CPIN:\n", "ERROR\n"), ExTimeout);
    EXPECT_EQ(cmd, QByteArray("\r\n+CPIN: REA"));
    EXPECT_EQ(pump.Now() - start, 120); // 40 ticks x factor 3 = 6 s
    EXPECT_EQ(session.TickCount(), 120);
}

TEST_F(SessionTest, ZeroLimitTimesOutWithoutWaiting)
{
    modem.Answer("AT", "\r\nOK\r\n", 0);
    QByteArray cmd = "AT";
    EXPECT_EQ(session.Exchange(cmd, 0, "OK\r\n", "ERROR"), ExTimeout);
    EXPECT_TRUE(cmd.isEmpty());
    EXPECT_EQ(pump.Pumps(), 0);
}

TEST_F(SessionTest, AnswerIsRecognisedOnTheTickItsLastByteArrives)
{
    // One byte a tick, the first after one tick: the sixth byte arrives at
    // tick 6 and the exchange must end right there, not a tick later.
    modem.SetByteAtATime(true);
    modem.Answer("AT", "\r\nOK\r\n", 1);
    QByteArray cmd = "AT";
    EXPECT_EQ(session.Exchange(cmd, 3, "OK\r\n", "ERROR"), ExSuccess);
    EXPECT_EQ(session.TickCount(), 6);
    EXPECT_EQ(pump.BlockingPumps(), 6);
}

TEST_F(SessionTest, WaitingBlocksInsteadOfSpinning)
{
    // A silent modem: every pass after the first blocks for the next tick,
    // so a 120-tick wait costs about 120 pumps, not millions.
    QByteArray cmd = "AT";
    EXPECT_EQ(session.Exchange(cmd, 3, "OK\r\n", "ERROR"), ExTimeout);
    EXPECT_LE(pump.Pumps(), 122);
    EXPECT_FALSE(pump.LimitHit());
}

TEST_F(SessionTest, LinkDownBeforeTheExchangeSendsNothing)
{
    session.SetConnected(false);
    QByteArray cmd = "AT";
    EXPECT_EQ(session.Exchange(cmd, 3, "OK\r\n", "ERROR"), ExLinkDown);
    EXPECT_EQ(cmd, ModemSession::kDisconnectedText);
    EXPECT_TRUE(port.Writes().isEmpty());
    EXPECT_EQ(port.RThreshold(), 1);

    QByteArray line = "AT+CGSN";
    EXPECT_EQ(session.ExchangeLine(line, 3, "OK\r\n", "0\r"), ExLinkDown);
    EXPECT_EQ(line, ModemSession::kDisconnectedText);
}

TEST_F(SessionTest, ConnectingFlagAloneKeepsTheLinkUp)
{
    session.SetConnected(false);
    session.SetConnecting(true);
    modem.Answer("AT", "\r\nOK\r\n");
    QByteArray cmd = "AT";
    EXPECT_EQ(session.Exchange(cmd, 1, "OK\r\n", "0\r"), ExSuccess);
}

TEST_F(SessionTest, LinkLostDuringMainExchangeEndsAtOnceAndKeepsTheCommand)
{
    pump.After(5, [this] { port.Unplug(); });
    QByteArray cmd = "AT";
    EXPECT_EQ(session.Exchange(cmd, 3, "OK\r\n", "ERROR"), ExLinkDown);
    EXPECT_EQ(cmd, QByteArray("AT"));
    EXPECT_EQ(pump.Now(), 5);
    EXPECT_FALSE(session.LinkUp());
    EXPECT_EQ(port.RThreshold(), 1);
    EXPECT_EQ(host.active.last(), PageId::Connection);
}

TEST_F(SessionTest, LinkLostDuringLineExchangeStoresTheMessage)
{
    pump.After(3, [this] { port.Unplug(); });
    QByteArray cmd = "AT+CGSN";
    EXPECT_EQ(session.ExchangeLine(cmd, 3, "OK\r\n", "0\r"), ExLinkDown);
    EXPECT_EQ(cmd, ModemSession::kDisconnectedText);
    EXPECT_EQ(pump.Now(), 3);
}

TEST_F(SessionTest, SendAndWaitReadsNothingAndLeavesTheAnswerForTheTerminal)
{
    modem.Answer("ATH", "\r\nOK\r\n");
    QByteArray cmd = "ATH";
    EXPECT_EQ(session.SendAndWait(cmd, 1), ExTimeout);
    EXPECT_TRUE(cmd.isEmpty());
    EXPECT_EQ(port.Waiting(), 6);
    EXPECT_EQ(pump.Now(), 40);
}

TEST_F(SessionTest, SubstringModeNeedsTheTextInOnePiece)
{
    modem.Answer("AT#VVERSION", "\r\n#VVERSION: eDsoft 2.1\r\n\r\nOK\r\n");
    QByteArray cmd = "AT#VVERSION";
    EXPECT_EQ(session.Exchange(cmd, 3, "OK\r\n", 0, "ERROR", 0, MatchSubstring), ExSuccess);
    EXPECT_TRUE(cmd.contains("eDsoft"));

    // Scattered letters satisfy a pattern but not a substring search.
    modem.Answer("AT#X", "\r\nO-K\r\n", 1);
    QByteArray scattered = "AT#X";
    EXPECT_EQ(session.Exchange(scattered, 1, "OK\r\n", 0, "ERROR", 0, MatchSubstring), ExTimeout);
    scattered = "AT#X";
    EXPECT_EQ(session.Exchange(scattered, 1, "OK\r\n", 0, "ERROR", 0, MatchPattern), ExSuccess);
}

TEST_F(SessionTest, TailWaitsForCharactersAfterTheLastMatch)
{
    modem.SetByteAtATime(true);
    modem.Answer("AT+CMGS=\"123\"", "\r\n> x", 1);
    QByteArray cmd = "AT+CMGS=\"123\"";
    EXPECT_EQ(session.ExchangeWithTail(cmd, 3, ">", 2), ExSuccess);
    // '>' stands at 2: with a tail of 2 the buffer must hold 4 characters.
    EXPECT_EQ(cmd, QByteArray("\r\n> "));
}

TEST_F(SessionTest, InputLeftFromBeforeTheCommandGoesToTheTerminalNotTheAnswer)
{
    port.Feed("\r\nRING\r\n");
    modem.Answer("AT", "\r\nOK\r\n");
    QByteArray cmd = "AT";
    EXPECT_EQ(session.Exchange(cmd, 3, "OK\r\n", "ERROR"), ExSuccess);
    EXPECT_EQ(cmd, QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(host.terminal, QByteArray("\r\nRING\r\n"));
}

TEST_F(SessionTest, CommandIsDroppedWhileOutputIsPending)
{
    port.SetPendingOutput(4);
    modem.Answer("AT", "\r\nOK\r\n");
    QByteArray cmd = "AT";
    EXPECT_EQ(session.Exchange(cmd, 1, "OK\r\n", "ERROR"), ExTimeout);
    EXPECT_TRUE(port.Writes().isEmpty());
}

// Control characters shown, so a case prints on one line.
std::string Visible(const QByteArray &bytes)
{
    return telvio::EscapeControl(bytes).toStdString();
}

struct SendCase {
    QByteArray text;
    QByteArray sent;
};

void PrintTo(const SendCase &c, std::ostream *os)
{
    *os << Visible(c.text);
}

class SendingRules : public SessionTest, public ::testing::WithParamInterface<SendCase> {};

TEST_P(SendingRules, OneCrExceptForEscapesAndCtrlZ)
{
    session.SendCommand(GetParam().text, true);
    ASSERT_EQ(port.Writes().size(), 1);
    EXPECT_EQ(port.Writes().first(), GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(Commands, SendingRules,
                         ::testing::Values(SendCase{"AT", "AT\r"}, SendCase{"+++", "+++"},
                                           SendCase{"++++", "++++"}, SendCase{"\x1A", "\x1A"},
                                           SendCase{"+++AT", "+++AT\r"}, SendCase{"AT\r", "AT\r\r"},
                                           SendCase{"", "\r"}));

TEST_F(SessionTest, SendWithoutCrFlagSendsTheTextAsIs)
{
    session.SendCommand("AT", false);
    EXPECT_EQ(port.Written(), QByteArray("AT"));
}

TEST_F(SessionTest, DelayBeforeAtDelaysOnlyTheMainExchange)
{
    session.options.delayBeforeAT = 100;
    long long writtenAt = -1;
    port.SetResponder([&](const QByteArray &w) {
        if (writtenAt < 0)
            writtenAt = pump.Now();
        if (w == "AT+CGSN\r")
            port.Feed("\r\n357831001234567\r\n\r\nOK\r\n");
    });
    QByteArray cmd = "AT+CGSN";
    session.Exchange(cmd, 3, "OK\r\n", "ERROR");
    EXPECT_EQ(pump.Sleeps(), std::vector<int>{100});
    EXPECT_EQ(writtenAt, 2); // two 50 ms ticks passed before the send

    writtenAt = -1;
    const long long before = pump.Now();
    QByteArray line = "AT+CGSN";
    EXPECT_EQ(session.ExchangeLine(line, 3, "OK\r\n", "0\r"), ExSuccess);
    EXPECT_EQ(writtenAt, before);
    EXPECT_EQ(pump.Sleeps().size(), 1u);
}

TEST_F(SessionTest, DebugOptionEchoesEveryAnswerToTheTerminal)
{
    modem.Answer("AT", "\r\nOK\r\n");
    QByteArray cmd = "AT";
    session.Exchange(cmd, 1, "OK\r\n", "ERROR");
    EXPECT_TRUE(host.terminal.isEmpty());
    session.options.debug = 1;
    cmd = "AT";
    session.Exchange(cmd, 1, "OK\r\n", "ERROR");
    EXPECT_EQ(host.terminal, QByteArray("\r\nOK\r\n"));
}

TEST_F(SessionTest, LineExchangeAcceptsEitherFinalResultAtALineStart)
{
    modem.Answer("AT+CGSN", "357831001234567\r\n0\r");
    QByteArray cmd = "AT+CGSN";
    EXPECT_EQ(session.ExchangeLine(cmd, 3, "OK\r\n", "0\r"), ExSuccess);
    EXPECT_EQ(cmd, QByteArray("357831001234567\r\n0\r"));
    EXPECT_EQ(session.TickCount(), 120); // the counter is pushed to the limit
}

TEST_F(SessionTest, LineExchangeIgnoresAZeroInsideALine)
{
    modem.Answer("AT+CGSN", "\r\n357831001234560\r");
    QByteArray cmd = "AT+CGSN";
    EXPECT_EQ(session.ExchangeLine(cmd, 1, "OK\r\n", "0\r"), ExTimeout);
    EXPECT_EQ(cmd, QByteArray("\r\n357831001234560\r"));
}

TEST_F(SessionTest, TickCounterRestartsAfter1001)
{
    session.SetTickCount(999);
    session.Tick();
    EXPECT_EQ(session.TickCount(), 1000);
    session.Tick();
    EXPECT_EQ(session.TickCount(), 1001);
    session.Tick();
    EXPECT_EQ(session.TickCount(), 1);
}

struct PollCase {
    int baud;
    int unit;
    int fastUnit;
};

void PrintTo(const PollCase &c, std::ostream *os)
{
    *os << c.baud << " baud";
}

class PollUnits : public SessionTest, public ::testing::WithParamInterface<PollCase> {};

TEST_P(PollUnits, FollowTheBaudRate)
{
    session.SetFastProbe(false);
    session.SetPollUnit(GetParam().baud);
    EXPECT_EQ(session.PollUnit(), GetParam().unit);
    session.SetFastProbe(true);
    session.SetPollUnit(GetParam().baud);
    EXPECT_EQ(session.PollUnit(), GetParam().fastUnit);
}

INSTANTIATE_TEST_SUITE_P(Rates, PollUnits,
                         ::testing::Values(PollCase{300, 75, 15}, PollCase{600, 60, 12}, PollCase{1200, 45, 9},
                                           PollCase{2400, 45, 9}, PollCase{4800, 40, 8}, PollCase{9600, 40, 8},
                                           PollCase{19200, 30, 6}, PollCase{38400, 30, 6},
                                           PollCase{57600, 30, 6}, PollCase{115200, 20, 4},
                                           PollCase{14400, 55, 11}, PollCase{0, 55, 11}));

// Real answers: every complete verbose answer ending in a final OK or
// ERROR line must be recognised by both exchange forms the pages use.
TEST_F(SessionTest, RealDeviceAnswersEndTheExchanges)
{
    int checked = 0;
    for (const RealAnswer &a : LoadRealAnswers()) {
        const bool ok = a.answer.endsWith("\r\nOK\r\n");
        const bool numericOk = !a.verbose && a.answer.endsWith("0\r");
        const bool error = a.answer.endsWith("\r\nERROR\r\n") || a.answer.contains("+CME ERROR");
        if (!ok && !numericOk && !error)
            continue;
        ++checked;
        const QByteArray cmd = a.command;
        modem.Answer(cmd, a.answer);
        QByteArray x = cmd;
        const int r = session.Exchange(x, 1, a.verbose ? "OK\r\n" : "0\r", a.verbose ? "ERROR\n" : "4\r");
        EXPECT_EQ(r, error ? ExError : ExSuccess) << a.command.constData() << " from " << a.source.toStdString();
        EXPECT_EQ(x, a.answer);
        if (!error) {
            QByteArray y = cmd;
            EXPECT_EQ(session.ExchangeLine(y, 1, "OK\r\n", "0\r"), ExSuccess) << a.command.constData();
        }
    }
    EXPECT_GT(checked, 20);
}

} // namespace
