#include "shell/core/terminaltext.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace telvio {
namespace {

// The terminal's rules applied literally to the whole text on every append:
// the behaviour TerminalText must match while doing far less work.
QByteArray ReferenceAppend(const QByteArray &shown, const QByteArray &in)
{
    QByteArray t = shown + in;
    if (t.size() > TerminalText::kWindow)
        t = t.right(TerminalText::kWindow);
    for (;;) {
        const qsizetype i = t.indexOf('\b', 1);
        if (i < 0)
            break;
        t.remove(i - 1, 2);
    }
    t.replace("\b", "");
    t.replace("\n", "");
    t.replace("\r", "\r\n");
    return t;
}

// A text view that counts a line end as one character, updated only
// through the changes TerminalText hands out.
struct View {
    QString text;
    void Apply(const TerminalText::Change &c)
    {
        const QString add = QString(c.append).replace(QLatin1String("\r\n"), QLatin1String("\n"));
        if (c.replaceAll) {
            text = add;
            return;
        }
        text.remove(0, c.dropFront);
        text.truncate(c.keep);
        text += add;
    }
    static QString Expected(const QByteArray &model)
    {
        return QString::fromLatin1(model).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    }
};

struct AppendCase {
    const char *name;
    QByteArray before;
    QByteArray in;
    QByteArray shown;
};

void PrintTo(const AppendCase &c, std::ostream *os)
{
    *os << c.name;
}

class TerminalTextRules : public ::testing::TestWithParam<AppendCase> {};

TEST_P(TerminalTextRules, ShowsTheRuleResult)
{
    const AppendCase &c = GetParam();
    TerminalText text;
    text.Append(c.before);
    text.Append(c.in);
    EXPECT_EQ(text.Text(), c.shown);
    EXPECT_EQ(text.Text(), ReferenceAppend(ReferenceAppend(QByteArray(), c.before), c.in));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TerminalTextRules,
    ::testing::Values(
        AppendCase{"verbose_ok", "", "OK\r\n", "OK\r\n"},
        AppendCase{"lone_lf_is_no_break", "", "A\nB", "AB"},
        AppendCase{"cr_gets_lf", "", "A\rB\r", "A\r\nB\r\n"},
        AppendCase{"backspace_takes_previous", "", "AB\b", "A"},
        AppendCase{"leading_backspace_removed", "", "\bAB", "AB"},
        AppendCase{"backspace_into_shown_text", "ABC", "\b\bX", "AX"},
        // The first backspace after a line end takes its LF, which the CR
        // gets back; the second takes the CR.
        AppendCase{"one_backspace_after_line_end", "OK\r\n", "\b", "OK\r\n"},
        AppendCase{"two_backspaces_after_line_end", "OK\r\n", "\b\b", "OK"},
        AppendCase{"backspace_before_cr_in_same_chunk", "", "AT\r\b", "AT"},
        AppendCase{"more_backspaces_than_text", "AB", "\b\b\b\bC", "C"},
        AppendCase{"crlf_split_across_reads", "AT\r", "\nOK\r\n", "AT\r\nOK\r\n"}),
    [](const ::testing::TestParamInfo<AppendCase> &info) { return std::string(info.param.name); });

TEST(TerminalText, WindowKeepsNewestCharactersBeforeLineEndsAreAdded)
{
    TerminalText text;
    text.Append(QByteArray(TerminalText::kWindow, 'x'));
    ASSERT_EQ(text.Text().size(), TerminalText::kWindow);

    // 20 more: the newest 10000 of the combined text are kept, and only
    // then do the 10 CRs get their LFs, so the result is 10 longer.
    const QByteArray more = QByteArray("\r").repeated(10) + QByteArray(10, 'y');
    text.Append(more);
    EXPECT_EQ(text.Text(), QByteArray(TerminalText::kWindow - 20, 'x') + QByteArray("\r\n").repeated(10) +
                               QByteArray(10, 'y'));
    EXPECT_EQ(text.Text().size(), TerminalText::kWindow + 10);
}

TEST(TerminalText, CutBetweenCrAndLfDropsTheOrphanLf)
{
    TerminalText text;
    text.Append("A\r" + QByteArray(TerminalText::kWindow - 3, 'x'));   // shown: A CR LF x...
    ASSERT_EQ(text.Text().size(), TerminalText::kWindow);
    text.Append("yy");  // cuts "A\r": the LF left at the front is dropped
    EXPECT_EQ(text.Text(), QByteArray(TerminalText::kWindow - 3, 'x') + "yy");
}

TEST(TerminalText, ChunkLongerThanTheWindowKeepsItsTail)
{
    TerminalText text;
    text.Append("old text\r");
    QByteArray big;
    for (int i = 0; i < 3000; ++i)
        big += "line\r\n";
    text.Append(big);
    EXPECT_EQ(text.Text(), ReferenceAppend("old text\r\n", big));
    EXPECT_EQ(text.Received(), 9 + big.size());
}

TEST(TerminalText, RandomStreamsMatchTheRulesAndTheViewFollows)
{
    // Streams of modem-like noise, including backspaces and split line ends,
    // in reads of random size; the view is synced after random groups.
    const char alphabet[] = {'A', 'T', 'O', 'K', '0', ' ', '\r', '\n', '\b', '\r', '\n'};
    QRandomGenerator rng(20240611);
    for (int round = 0; round < 40; ++round) {
        TerminalText text;
        QByteArray reference;
        View view;
        const int reads = 200 + int(rng.bounded(300));
        for (int r = 0; r < reads; ++r) {
            QByteArray chunk;
            const int size = round % 4 == 0 ? int(rng.bounded(400)) : int(rng.bounded(120));
            for (int i = 0; i < size; ++i)
                chunk += alphabet[rng.bounded(int(sizeof alphabet))];
            text.Append(chunk);
            if (!chunk.isEmpty())
                reference = ReferenceAppend(reference, chunk);
            ASSERT_EQ(text.Text(), reference) << "round " << round << " read " << r;
            if (rng.bounded(5) == 0)
                view.Apply(text.TakeChange());
        }
        view.Apply(text.TakeChange());
        ASSERT_EQ(view.text, View::Expected(text.Text())) << "round " << round;
    }
}

TEST(TerminalText, ClearEmptiesTextAndView)
{
    TerminalText text;
    View view;
    text.Append("AT\r\nOK\r\n");
    view.Apply(text.TakeChange());
    text.Clear();
    EXPECT_TRUE(text.Text().isEmpty());
    const TerminalText::Change change = text.TakeChange();
    EXPECT_TRUE(change.replaceAll);
    view.Apply(change);
    EXPECT_TRUE(view.text.isEmpty());
    // A backspace on an empty terminal is simply dropped.
    text.Append("\b");
    EXPECT_TRUE(text.Text().isEmpty());
}

TEST(TerminalText, SteadyStreamNeedsNoFullRedraw)
{
    TerminalText text;
    View view;
    for (int i = 0; i < 5000; ++i) {
        text.Append("+CREG: 1\r\n");
        if (i % 10 == 9) {
            const TerminalText::Change change = text.TakeChange();
            if (i > 10)
                ASSERT_FALSE(change.replaceAll);
            view.Apply(change);
        }
    }
    EXPECT_EQ(view.text, View::Expected(text.Text()));
}

} // namespace
} // namespace telvio
