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

void PrintTo(const PatternCase &c, std::ostream *os)
{
    *os << c.name;
}

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

void PrintTo(const LineCase &c, std::ostream *os)
{
    *os << c.name;
}

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

// --- final result codes ------------------------------------------------------

#include "support/fixtures.h"

#include <ostream>

namespace {

using telvio::FinalResultMatch;

// Feeds the answer as it would arrive, `chunk` bytes at a time, and at the
// end accepts a pending line as a quiet line would.
FinalResultMatch::Kind FeedFinal(const QByteArray &answer, int chunk, QByteArray *line = nullptr)
{
    FinalResultMatch m;
    QByteArray buffer;
    FinalResultMatch::Kind kind = FinalResultMatch::NotYet;
    for (int at = 0; at < answer.size() && kind == FinalResultMatch::NotYet; at += chunk) {
        buffer += answer.mid(at, chunk);
        kind = m.Step(buffer);
    }
    if (kind == FinalResultMatch::NotYet && m.Pending())
        kind = m.AcceptPending();
    if (line)
        *line = m.Line();
    return kind;
}

struct FinalCase {
    const char *name;
    QByteArray answer;
    FinalResultMatch::Kind kind;
    QByteArray line; // the final result line found
};

void PrintTo(const FinalCase &c, std::ostream *os) { *os << c.name; }

class FinalResultTable : public ::testing::TestWithParam<FinalCase> {};

TEST_P(FinalResultTable, FindsTheFinalLineWhateverTheChunks)
{
    const FinalCase &c = GetParam();
    for (const int chunk : {1, 2, 7, 4096}) {
        QByteArray line;
        EXPECT_EQ(FeedFinal(c.answer, chunk, &line), c.kind) << "chunk " << chunk;
        EXPECT_EQ(line, c.line) << "chunk " << chunk;
    }
}

constexpr auto kOk = FinalResultMatch::Success;
constexpr auto kFail = FinalResultMatch::Failure;
constexpr auto kNone = FinalResultMatch::NotYet;

INSTANTIATE_TEST_SUITE_P(
    RealShapes, FinalResultTable,
    ::testing::Values(
        FinalCase{"verbose_ok_with_echo", "AT\r\r\nOK\r\n", kOk, "OK"},
        FinalCase{"information_then_ok", "AT+CGSN\r\r\n357831001234567\r\n\r\nOK\r\n", kOk, "OK"},
        FinalCase{"lf_only_lines", "AT+CSCA?\n+CSCA: \"+79168999100\",145\nOK\n", kOk, "OK"},
        FinalCase{"verbose_error", "AT+CPBS?\r\r\nERROR\r\n", kFail, "ERROR"},
        FinalCase{"cme_error_number", "AT+CPIN=\"0000\"\r\r\n+CME ERROR: 3\r\n", kFail, "+CME ERROR: 3"},
        FinalCase{"cme_error_text", "\r\n+CME ERROR: operation not allowed\r\n", kFail,
                  "+CME ERROR: operation not allowed"},
        FinalCase{"cms_error", "AT+CMGS=\"1\"\r\r\n+CMS ERROR: 304\r\n", kFail, "+CMS ERROR: 304"},
        FinalCase{"no_carrier", "ATD123;\r\r\nNO CARRIER\r\n", kFail, "NO CARRIER"},
        FinalCase{"busy", "\r\nBUSY\r\n", kFail, "BUSY"},
        FinalCase{"no_dialtone", "\r\nNO DIALTONE\r\n", kFail, "NO DIALTONE"},
        FinalCase{"no_answer", "\r\nNO ANSWER\r\n", kFail, "NO ANSWER"},
        FinalCase{"connect_with_rate", "ATD*99#\r\r\nCONNECT 115200\r\n", kOk, "CONNECT 115200"},
        FinalCase{"numeric_ok", "0\r", kOk, "0"},
        FinalCase{"numeric_ok_with_echo", "AT\r0\r", kOk, "0"},
        FinalCase{"numeric_error_with_echo", "AT+CPBS?\r4\r", kFail, "4"},
        FinalCase{"numeric_value_line_is_not_a_code", "ATS0?\r000\r\n0\r", kOk, "0"},
        FinalCase{"numeric_short_value_line", "ATS0?\r5\r\n0\r", kOk, "0"},
        FinalCase{"imei_under_numeric_codes", "357831001234567\r\n0\r", kOk, "0"},
        FinalCase{"ring_is_unsolicited", "\r\nRING\r\n\r\nOK\r\n", kOk, "OK"},
        FinalCase{"numeric_ring_is_unsolicited", "2\r0\r", kOk, "0"},
        FinalCase{"error_spread_over_a_line", "\r\nE: R R O R\r\n", kNone, ""},
        FinalCase{"error_inside_a_line", "\r\nLAST ERROR: none\r\n\r\nOK\r\n", kOk, "OK"},
        FinalCase{"ok_inside_a_line", "\r\nTOKEN OK\r\n", kNone, ""},
        FinalCase{"keyword_line_only", "AT+CPIN?\r\r\n+CPIN: READY\r\n", kNone, ""},
        FinalCase{"ok_not_yet_ended", "\r\nOK", kNone, ""},
        FinalCase{"lowercase_ok_is_not_a_code", "\r\nok\r\n", kNone, ""},
        FinalCase{"sms_prompt", "AT+CMGS=\"+320497123456\"\r\r\n> ", kNone, ""}),
    [](const ::testing::TestParamInfo<FinalCase> &info) { return std::string(info.param.name); });

TEST(FinalResult, VerboseLineEndedByLoneCrIsPendingUntilTheLineIsQuiet)
{
    FinalResultMatch m;
    EXPECT_EQ(m.Step("\r\nOK\r"), kNone);
    EXPECT_TRUE(m.Pending());
    // The LF arrives: an ordinary verbose end.
    EXPECT_EQ(m.Step("\r\nOK\r\n"), kOk);

    // Digits and a CR: a value if a LF follows, a numeric code if not.
    FinalResultMatch value;
    EXPECT_EQ(value.Step("ATS0?\r5\r"), kNone);
    EXPECT_TRUE(value.Pending());
    EXPECT_EQ(value.Step("ATS0?\r5\r\n"), kNone);
    EXPECT_FALSE(value.Pending());
    EXPECT_EQ(value.Step("ATS0?\r5\r\n4\r"), kNone);
    EXPECT_EQ(value.AcceptPending(), kFail);
    EXPECT_EQ(value.Line(), QByteArray("4"));
}

// Every captured answer of a real device that ends in a final result code
// is recognised as such; those that end in OK are a success.
TEST(FinalResult, RealAnswersEndingInAResultCode)
{
    int checked = 0;
    for (const telvio::test::RealAnswer &a : telvio::test::LoadRealAnswers()) {
        const QByteArray trimmed = a.answer.trimmed();
        FinalResultMatch::Kind expected = kNone;
        if (trimmed.endsWith("\nOK") || trimmed == "OK")
            expected = kOk;
        else if (trimmed.endsWith("\nERROR") || trimmed.contains("+CME ERROR:") || trimmed.contains("+CMS ERROR:"))
            expected = kFail;
        if (expected == kNone || !a.answer.endsWith('\n'))
            continue;
        ++checked;
        EXPECT_EQ(FeedFinal(a.answer, 1), expected) << a.command.constData() << " " << a.source.toStdString();
    }
    EXPECT_GT(checked, 20);
}

// The long "AT&V" profile dumps hold E, R, R, O, R in order (the trap of an
// in-order error text) but only one final result: their closing OK.
TEST(FinalResult, ProfileDumpsEndInTheirOkOnly)
{
    for (const char *name : {"verbose-echo.txt", "one-per-line-blanks.txt"}) {
        const QByteArray dump = telvio::test::ReadFixture(QStringLiteral("serial-dumps/") + name);
        ASSERT_FALSE(dump.isEmpty()) << name;
        telvio::PatternMatch inOrder("ERROR");
        while (!inOrder.Step(dump) && inOrder.Advanced()) {
        }
        EXPECT_TRUE(inOrder.Matched()) << name << ": the dump no longer shows the trap";
        for (const int chunk : {1, 5, 4096})
            EXPECT_EQ(FeedFinal(dump, chunk), kOk) << name << " chunk " << chunk;
    }
    const QByteArray numeric = telvio::test::ReadFixture(QStringLiteral("serial-dumps/numeric-no-echo.txt"));
    EXPECT_EQ(FeedFinal(numeric, 1), kOk);
}

} // namespace
