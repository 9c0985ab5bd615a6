// Bytes that arrive between two exchanges: the tail of an answer the last
// exchange stopped reading early, unsolicited lines. They go to the trace
// and the terminal and never into the next command's answer.
#include "link/sessionfixture.h"

#include <functional>
#include <ostream>
#include <vector>

using namespace telvio;
using namespace telvio::test;

namespace {

// A piece of the "+CPIN:" answer's tail: when it arrives, counted in
// milliseconds from the moment its information line arrived.
struct TailPiece {
    int ms;
    QByteArray bytes;
};

enum class Next { Pattern, Line, Final };

struct TailCase {
    const char *name;
    std::vector<TailPiece> tail;
    Next next;
};

void PrintTo(const TailCase &c, std::ostream *os) { *os << c.name; }

class AnswerTail : public SessionTest, public ::testing::WithParamInterface<TailCase> {};

// Identification asks "AT+CPIN?" with the pattern "+CPIN:\n", which is
// satisfied at the end of the "+CPIN: READY" line; at a real line rate the
// blank line and the OK are still on the wire then. The command after it
// must get its own answer, not that OK.
TEST_P(AnswerTail, NeverLandsInTheNextAnswer)
{
    const TailCase &c = GetParam();
    const QByteArray next = "AT+CBST?";
    const QByteArray nextAnswer = "\r\n+CBST: 7,0,1\r\n\r\nOK\r\n";
    QByteArray tailBytes;
    for (const TailPiece &piece : c.tail)
        tailBytes += piece.bytes;
    port.SetResponder([&](const QByteArray &written) {
        if (written == "AT+CPIN?\r") {
            pump.FeedAfter(&port, 1, "\r\n+CPIN: READY\r\n");
            for (const TailPiece &piece : c.tail)
                pump.FeedAfterMs(&port, 50 + piece.ms, piece.bytes);
        } else if (written == next + '\r') {
            // The answer comes only two ticks later: a tail still taken for
            // it would end the exchange first.
            pump.FeedAfter(&port, 2, nextAnswer);
        }
    });

    QByteArray cmd = "AT+CPIN?";
    ASSERT_EQ(session.Exchange(cmd, 3, "+CPIN:\n", "ERROR\n"), ExSuccess);
    ASSERT_EQ(cmd, QByteArray("\r\n+CPIN: READY\r\n"));

    cmd = next;
    int result = ExTimeout;
    switch (c.next) {
    case Next::Pattern: result = session.Exchange(cmd, 3, "OK\r\n", "ERROR"); break;
    case Next::Line: result = session.ExchangeLine(cmd, 3, "OK\r\n", "0\r"); break;
    case Next::Final: result = session.ExchangeFinal(cmd, 3); break;
    }
    EXPECT_EQ(result, ExSuccess);
    EXPECT_EQ(cmd, nextAnswer);
    EXPECT_EQ(host.terminal, tailBytes);
    EXPECT_EQ(port.Written(), QByteArray("AT+CPIN?\r") + next + '\r');
}

INSTANTIATE_TEST_SUITE_P(
    Timings, AnswerTail,
    ::testing::Values(
        TailCase{"one_character_a_millisecond_then_a_pattern_exchange",
                 {{1, "\r"}, {2, "\n"}, {3, "O"}, {4, "K"}, {5, "\r"}, {6, "\n"}}, Next::Pattern},
        TailCase{"one_character_a_millisecond_then_a_line_exchange",
                 {{1, "\r"}, {2, "\n"}, {3, "O"}, {4, "K"}, {5, "\r"}, {6, "\n"}}, Next::Line},
        TailCase{"in_one_piece_then_a_final_result_exchange", {{3, "\r\nOK\r\n"}}, Next::Final},
        // Gaps a little shorter than the quiet time: the wait goes on.
        TailCase{"in_pieces_with_gaps", {{1, "\r\n"}, {15, "OK"}, {30, "\r\n"}}, Next::Pattern}),
    [](const ::testing::TestParamInfo<TailCase> &info) { return std::string(info.param.name); });

TEST_F(SessionTest, AnswerEndedByItsFinalResultLetsTheNextCommandGoAtOnce)
{
    modem.Answer("AT+CGSN", "\r\n357831001234567\r\n\r\nOK\r\n");
    modem.Answer("ATI9", "\r\n\"Kestrava\",\"620\"\r\n0\r", 1);
    QByteArray cmd = "AT+CGSN";
    ASSERT_EQ(session.ExchangeLine(cmd, 3, "OK\r\n", "0\r"), ExSuccess);
    cmd = "ATI9";
    ASSERT_EQ(session.Exchange(cmd, 3, "OK\r\n", "0\r"), ExError);
    cmd = "AT";
    session.SendAndWait(cmd, 1);
    // Neither answer left anything open, so nobody waited for quiet.
    EXPECT_TRUE(pump.Sleeps().empty());
}

TEST_F(SessionTest, UnsolicitedLinesBetweenExchangesGoToTheTerminalAndTrace)
{
    QByteArray traced;
    session.SetTraceSink([&](TraceDirection dir, const QByteArray &bytes) {
        if (dir == TraceDirection::Received)
            traced += bytes;
    });
    modem.Answer("AT", "\r\nOK\r\n");
    QByteArray cmd = "AT";
    ASSERT_EQ(session.Exchange(cmd, 3, "OK\r\n", "ERROR"), ExSuccess);
    // Receive events are on between exchanges: the session takes the line
    // as it arrives, whichever front end runs it.
    port.Feed("\r\nRING\r\n");
    EXPECT_EQ(port.Waiting(), 0);
    EXPECT_EQ(host.terminal, QByteArray("\r\nRING\r\n"));
    cmd = "AT";
    ASSERT_EQ(session.Exchange(cmd, 3, "OK\r\n", "ERROR"), ExSuccess);
    EXPECT_EQ(cmd, QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(traced, QByteArray("\r\nOK\r\n\r\nRING\r\n\r\nOK\r\n"));
}

TEST_F(SessionTest, EventsBetweenExchangesAreNotTakenWhileDisconnected)
{
    session.SetConnected(false);
    port.SetRThreshold(1);
    port.Feed("\r\nRING\r\n");
    EXPECT_EQ(port.Waiting(), 8);
    EXPECT_TRUE(host.terminal.isEmpty());
}

TEST_F(SessionTest, WaitForAQuietLineIsBoundedByTheExchangesLimit)
{
    // A device that never stops talking: the command still goes out, after
    // at most the exchange's own wait.
    std::function<void()> chatter = [&] {
        port.Feed("x");
        pump.AfterMs(5, chatter);
    };
    pump.AfterMs(0, chatter);
    modem.Answer("AT", "\r\nOK\r\n");
    QByteArray cmd = "AT";
    const long long start = pump.Now();
    EXPECT_EQ(session.Exchange(cmd, 1, "OK\r\n", "ERROR"), ExSuccess);
    EXPECT_EQ(port.Written(), QByteArray("AT\r"));
    EXPECT_LE(pump.Now() - start, 2 * 40 + 2);
    EXPECT_TRUE(cmd.contains("\r\nOK\r\n"));
}

} // namespace
