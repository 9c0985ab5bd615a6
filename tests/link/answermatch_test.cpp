#include "link/core/answermatch.h"

#include <gtest/gtest.h>

using telvio::LineStartSearch;
using telvio::PatternMatch;

namespace {

// Runs passes until the match stops moving; returns (matched, passes used).
std::pair<bool, int> RunPattern(const QByteArray &pattern, int tail, const QByteArray &buffer)
{
    PatternMatch m(pattern, tail);
    int passes = 0;
    while (true) {
        ++passes;
        if (m.Step(buffer))
            return {true, passes};
        if (!m.Advanced())
            return {false, passes};
    }
}

struct PatternCase {
    const char *name;
    QByteArray pattern;
    int tail;
    QByteArray buffer;
    bool matched;
};

class PatternMatchTable : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PatternMatchTable, MatchesInOrderWithAnythingBetween)
{
    const PatternCase &c = GetParam();
    EXPECT_EQ(RunPattern(c.pattern, c.tail, c.buffer).first, c.matched) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PatternMatchTable,
    ::testing::Values(
        PatternCase{"verbose OK after echo", "OK\r\n", 0, "AT\r\r\nOK\r\n", true},
        PatternCase{"letters scattered over other text", "OK\r\n", 0, "xOyyKzz\r\r\n", true},
        PatternCase{"OK line not yet ended", "OK\r\n", 0, "\r\nOK\r", false},
        PatternCase{"K before O does not count", "OK\r\n", 0, "\r\nKO\r", false},
        PatternCase{"error text ERROR\\n on a verbose ERROR line", "ERROR\n", 0, "\r\nERROR\r\n", true},
        PatternCase{"numeric OK", "0\r", 0, "0\r", true},
        PatternCase{"numeric OK with echo", "0\r", 0, "AT\r0\r", true},
        // The search for a character starts where the previous one was
        // found, so one buffer character can serve two equal neighbours.
        PatternCase{"shared position: 0\\r0\\r on two results", "0\r0\r", 0, "0\r0\r", true},
        PatternCase{"keyword then its line end", "+CPIN:\n", 0, "\r\n+CPIN: READY\r\n", true},
        PatternCase{"keyword line then final OK", "WCB:\rOK\r\n", 0, "\r\n+WCB: 1\r\n\r\nOK\r\n", true},
        PatternCase{"case matters", "OK\r\n", 0, "\r\nok\r\n", false},
        PatternCase{"tail satisfied", "> ", 1, "\r\n> x", true},
        PatternCase{"tail still missing", "AB", 2, "AB", false}));

TEST(PatternMatch, AdvancesOneCharacterPerPass)
{
    // Four pattern characters need four passes even with the whole answer
    // already in the buffer.
    EXPECT_EQ(RunPattern("OK\r\n", 0, "\r\nOK\r\n"), std::make_pair(true, 4));
}

TEST(PatternMatch, KeepsStateAsTheBufferGrows)
{
    PatternMatch m("OK\r\n", 0);
    QByteArray buffer = "\r\nO";
    EXPECT_FALSE(m.Step(buffer));
    EXPECT_EQ(m.CharsMatched(), 1);
    EXPECT_FALSE(m.Step(buffer)); // K not there yet
    EXPECT_FALSE(m.Advanced());
    buffer += "K\r\n";
    while (!m.Step(buffer))
        ASSERT_TRUE(m.Advanced());
    EXPECT_TRUE(m.Matched());
}

TEST(PatternMatch, EmptyPatternNeverMatches)
{
    PatternMatch m(QByteArray(), 0);
    EXPECT_FALSE(m.Step("OK\r\n"));
    EXPECT_FALSE(m.Advanced());
}

struct LineCase {
    const char *name;
    QByteArray text;
    QByteArray buffer;
    bool found;
};

class LineStartTable : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineStartTable, AcceptsOnlyAtLineStart)
{
    const LineCase &c = GetParam();
    LineStartSearch s(c.text);
    bool found = false;
    for (int pass = 0; pass < 64 && !found; ++pass) {
        found = s.Step(c.buffer);
        if (!found && !s.Advanced())
            break;
    }
    EXPECT_EQ(found, c.found) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LineStartTable,
    ::testing::Values(
        LineCase{"verbose OK line", "OK\r\n", "\r\n351079430123456\r\n\r\nOK\r\n", true},
        LineCase{"numeric 0 at buffer start", "0\r", "0\r", true},
        LineCase{"numeric 0 after the information line", "0\r", "351079430123456\r\n0\r", true},
        LineCase{"0\\r inside a line is not a result", "0\r", "+CGSN: 12340\r", false},
        LineCase{"0\\r inside a line, then a real one", "0\r", "12340\r\n0\r", true},
        LineCase{"OK inside a word", "OK\r\n", "\r\nLOOK\r\n", false},
        LineCase{"echo ending in a lone CR", "0\r", "AT+CGSN\r357831001234567\r\n0\r", true}));

} // namespace
