#include "pages/core/dtrparsers.h"
#include "pages/core/pinlogic.h"
#include "pages/core/smstext.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

using namespace telvio;
using namespace telvio::test;

namespace {

struct CpbrCase {
    const char *name;
    QByteArray answer;
    QByteArray number;
};

void PrintTo(const CpbrCase &c, std::ostream *os)
{
    *os << c.name;
}

class CpbrAnswer : public testing::TestWithParam<CpbrCase> {};

TEST_P(CpbrAnswer, NumberOfEntryOne)
{
    EXPECT_EQ(ParseCpbrAnswer(GetParam().answer), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, CpbrAnswer,
    testing::Values(CpbrCase{"stored by the page", "\r\n+CPBR: 1,\"0123456789\",129,\"DTRDIAL\"\r\n\r\nOK\r\n", "0123456789"},
                    // Nine characters from the keyword would skip the first digit.
                    CpbrCase{"no blank", "+CPBR:1,\"0123\",129,\"X\"\r\nOK\r\n", "0123"},
                    CpbrCase{"empty entry lists nothing", "AT+CPBR=1\r\r\nOK\r\n", ""},
                    CpbrCase{"entry without a number", "\r\n+CPBR: 1,\"\",129,\"DTRDIAL\"\r\n\r\nOK\r\n", ""}));

TEST(CpbrAnswer, RealCaptures)
{
    // Answers real devices sent for entry 1.
    int seen = 0;
    for (const RealAnswer &a : LoadRealAnswers()) {
        if (a.command != "AT+CPBR=1")
            continue;
        ++seen;
        const QByteArray number = ParseCpbrAnswer(a.answer);
        EXPECT_TRUE(number.startsWith('+')) << a.answer.constData();
        EXPECT_GE(number.size(), 12) << a.answer.constData();
    }
    EXPECT_GT(seen, 0);
}

struct CmgrCase {
    const char *name;
    QByteArray answer;
    bool present;
    QByteArray number;
    QByteArray message;
};

void PrintTo(const CmgrCase &c, std::ostream *os)
{
    *os << c.name;
}

class CmgrAnswer : public testing::TestWithParam<CmgrCase> {};

TEST_P(CmgrAnswer, NumberAndText)
{
    const StoredSms sms = ParseCmgrAnswer(GetParam().answer);
    EXPECT_EQ(sms.present, GetParam().present);
    EXPECT_EQ(sms.number, GetParam().number);
    EXPECT_EQ(sms.message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, CmgrAnswer,
    testing::Values(
        // What this program stores comes back with a CR after every line.
        CmgrCase{"stored by the page", "\r\n+CMGR: \"STO UNSENT\",\"+4912345\",\r\nab\rcd\r\r\n\r\nOK\r\n", true,
                 "+4912345", "ab\r\ncd"},
        CmgrCase{"echo", "AT+CMGR=1\r\r\n+CMGR: \"STO UNSENT\",\"5\",\r\none\r\r\n\r\nOK\r\n", true, "5", "one"},
        // A message stored elsewhere keeps its last character.
        CmgrCase{"received message", "AT+CMGR=2\r\r\n+CMGR: \"REC READ\",\"+639062875909\",\"\",\"18/01/28,18:38:10+32\"\r\nQ\r\n\r\nOK\r\n",
                 true, "+639062875909", "Q"},
        // Two characters after the comma would start at the quote.
        CmgrCase{"blanks after commas", "AT+CMGR=3864\n+CMGR: \"REC READ\", \"+4123456789132\", \"2009/8/18,19:11:45\"\nHi there\nOK\n\n",
                 true, "+4123456789132", "Hi there"},
        CmgrCase{"LF only", "AT+CMGR=3\n+CMGR: \"REC READ\",\"+31625044454\",,\"07/07/05,09:56:03+08\"\nTest message 2\nOK\n",
                 true, "+31625044454", "Test message 2"},
        CmgrCase{"empty text", "\r\n+CMGR: \"STO UNSENT\",\"5\",\r\n\r\n\r\nOK\r\n", true, "5", ""},
        CmgrCase{"empty location answered OK", "\r\nOK\r\n", false, "", ""},
        CmgrCase{"empty location answered with an error", "\r\n+CMS ERROR: 321\r\n", false, "", ""}));

TEST(WstrAnswer, SimInitialisationFinished)
{
    EXPECT_TRUE(ParseWstrAnswer("\r\n+WSTR: 1,2\r\n\r\nOK\r\n"));
    EXPECT_TRUE(ParseWstrAnswer("AT+WSTR=1\r\r\n+WSTR:1,2\r\n\r\nOK\r\n"));
    EXPECT_TRUE(ParseWstrAnswer("\r\n+WSTR: 1, 2\r\n"));
    EXPECT_FALSE(ParseWstrAnswer("\r\n+WSTR: 1,1\r\n\r\nOK\r\n"));
    EXPECT_FALSE(ParseWstrAnswer("\r\n+WSTR: 1,0\r\n\r\nOK\r\n"));
    EXPECT_FALSE(ParseWstrAnswer("\r\n+WSTR: 2,2\r\n\r\nOK\r\n"));
    EXPECT_FALSE(ParseWstrAnswer("\r\nOK\r\n"));
}

TEST(DtrCommands, Format)
{
    EXPECT_EQ(FormatCpbwCommand(""), QByteArray("AT+CPBW=1"));
    EXPECT_EQ(FormatCpbwCommand("0123"), QByteArray("AT+CPBW=1,\"0123\",129,\"DTRDIAL\""));
    EXPECT_FALSE(FormatCpbwCommand("1\";+CFUN=1;\""));
    EXPECT_EQ(FormatCmgwCommand("+4912345"), QByteArray("AT+CMGW=\"+4912345\""));
    EXPECT_FALSE(FormatCmgwCommand("1\"2"));
    EXPECT_EQ(FormatDtrCommand(0), QByteArray("AT%D0"));
    EXPECT_EQ(FormatDtrCommand(2), QByteArray("AT%D2"));
}

struct PartsCase {
    const char *name;
    QByteArray message;
    QList<QByteArray> parts;
};

void PrintTo(const PartsCase &c, std::ostream *os)
{
    *os << c.name;
}

class SmsParts : public testing::TestWithParam<PartsCase> {};

TEST_P(SmsParts, LineByLine)
{
    EXPECT_EQ(SmsTextParts(GetParam().message), GetParam().parts);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, SmsParts,
    testing::Values(PartsCase{"empty", "", {}},
                    PartsCase{"one line", "hello", {"hello"}},
                    PartsCase{"two lines", "first\rsecond", {"first", "second"}},
                    PartsCase{"break at the end", "first\rsecond\r", {"first", "second", ""}},
                    // An empty line ends the lines: the rest goes in one piece.
                    PartsCase{"empty line inside", "a\r\rb\rc", {"a", "b\rc"}}));

TEST(SmsTextSafety, ControlCharactersWouldLeaveTheTextPrompt)
{
    EXPECT_TRUE(SafeSmsText("line\r\nline"));
    EXPECT_FALSE(SafeSmsText("early\x1A" "AT+CFUN=1"));
    EXPECT_FALSE(SafeSmsText("abort\x1B"));
    EXPECT_FALSE(SafeSmsText("tab\there"));
}

TEST(SmsText, TypingStopsAt160AndEnterBefore160StillBreaks)
{
    SmsText text;
    EXPECT_EQ(text.Type(QString(159, QLatin1Char('x'))), 159);
    EXPECT_TRUE(text.Enter()); // at 159: the break still goes in
    EXPECT_EQ(text.Length(), 161);
    EXPECT_FALSE(text.Enter());
    EXPECT_EQ(text.Type(QStringLiteral("y")), 0);
    EXPECT_EQ(text.Counter(), QStringLiteral("161"));

    SmsText full(QString(160, QLatin1Char('x')));
    EXPECT_FALSE(full.Enter());
    EXPECT_EQ(full.Type(QStringLiteral("z")), 0);

    SmsText partly(QString(158, QLatin1Char('x')));
    EXPECT_EQ(partly.Type(QStringLiteral("abc")), 2);
    EXPECT_EQ(partly.Length(), 160);

    // Enter inserts at the caret; a break counts two.
    SmsText caret(QStringLiteral("ab"));
    EXPECT_TRUE(caret.Enter(1));
    EXPECT_EQ(caret.Text(), QStringLiteral("a\r\nb"));
    EXPECT_EQ(SmsText::LengthOfEditText(QStringLiteral("a\nb")), 4);
    EXPECT_EQ(SmsText::FromEditText(QStringLiteral("a\nb")), QStringLiteral("a\r\nb"));
    EXPECT_EQ(SmsText::ToEditText(QStringLiteral("a\r\nb")), QStringLiteral("a\nb"));
}

struct PinCase {
    const char *pin;
    bool code;   // Enter PIN, Activate PIN, the old code of Change PIN
    bool newPin; // the new code of Change PIN
};

void PrintTo(const PinCase &c, std::ostream *os)
{
    *os << "PIN \"" << (c.pin ? c.pin : "") << "\"";
}

class PinFormat : public testing::TestWithParam<PinCase> {};

TEST_P(PinFormat, Rules)
{
    const QString pin = QString::fromLatin1(GetParam().pin);
    EXPECT_EQ(PinFollowsFormat(pin), GetParam().code) << GetParam().pin;
    EXPECT_EQ(NewPinFollowsFormat(pin), GetParam().newPin) << GetParam().pin;
}

INSTANTIATE_TEST_SUITE_P(Codes, PinFormat,
                         testing::Values(PinCase{"1234", true, true}, PinCase{"12345678", true, false},
                                         PinCase{"12345", true, false}, PinCase{"123", false, false},
                                         PinCase{"12a4", false, false}, PinCase{"", false, false},
                                         PinCase{"12 4", false, false}));

TEST(WrongCodeAnswer, ExtendedErrorSixteenOnly)
{
    EXPECT_TRUE(WrongCodeAnswer("\r\n+CME ERROR: 16\r\n"));
    EXPECT_TRUE(WrongCodeAnswer("AT+CLCK=\"SC\",0,1111\r+CME ERROR: 16\r\n"));
    EXPECT_TRUE(WrongCodeAnswer("+CME ERROR:16\r\n"));
    EXPECT_TRUE(WrongCodeAnswer("\r\n+CME ERROR: incorrect password\r\n"));
    EXPECT_FALSE(WrongCodeAnswer("\r\n+CME ERROR: 160\r\n"));
    EXPECT_FALSE(WrongCodeAnswer("\r\n+CME ERROR: 11\r\n"));
    EXPECT_FALSE(WrongCodeAnswer("\r\nERROR\r\n"));
    EXPECT_FALSE(WrongCodeAnswer("CME ERROR: 16")); // only after the answer's first character
}

} // namespace
