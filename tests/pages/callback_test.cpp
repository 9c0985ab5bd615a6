// The Callback page: parsers, read in both result-code formats, saves and
// their stopping rule, on the in-memory line.
#include "link/core/modemsession.h"
#include "pages/core/callbacklogic.h"
#include "pages/core/callbackparsers.h"
#include "pages/core/callbackrecord.h"
#include "pages/pagehost.h"
#include "support/fakemodem.h"
#include "support/memoryport.h"
#include "support/scriptedprompter.h"
#include "support/scriptedpump.h"

#include <gtest/gtest.h>

using namespace telvio;
using namespace telvio::test;

namespace {

TEST(CallbackParsers, ControlSelectsTheItemItsValueBegins)
{
    const QStringList items = CallbackForm::Initial().control.items;
    EXPECT_EQ(ParseCallbackControlAnswer("\r\n*WCB:4\r\n\r\nOK\r\n", items), 4);
    EXPECT_EQ(ParseCallbackControlAnswer("\r\n*WCB: 0\r\n\r\nOK\r\n", items), 0);
    EXPECT_EQ(ParseCallbackControlAnswer("\r\n*WCB:9\r\n\r\nOK\r\n", items), -1);
    EXPECT_EQ(ParseCallbackControlAnswer("\r\n*WCB:\r\n\r\nOK\r\n", items), -1);
    EXPECT_EQ(ParseCallbackControlAnswer("\r\nOK\r\n", items), -1);
}

TEST(CallbackParsers, EntryIsTheRestOfItsLineCutToTwentyCharacters)
{
    const QByteArray answer = "\r\n*WCBTAB1:+4670\r\n\r\n*WCBTAB2:\r\n\r\n*WCBTAB3:" + QByteArray(30, '9')
        + "\r\n\r\nOK\r\n";
    QByteArray value;
    ASSERT_TRUE(ParseCallbackEntry(answer, "WCBTAB", 1, &value));
    EXPECT_EQ(value, "+4670");
    ASSERT_TRUE(ParseCallbackEntry(answer, "WCBTAB", 2, &value));
    EXPECT_EQ(value, "");
    ASSERT_TRUE(ParseCallbackEntry(answer, "WCBTAB", 3, &value));
    EXPECT_EQ(value, QByteArray(20, '9'));
    EXPECT_FALSE(ParseCallbackEntry("\r\nOK\r\n", "WCBTAB", 1, &value));
}

class CallbackPage : public ::testing::Test {
protected:
    CallbackPage()
    {
        pump.Attach(&session);
        port.SetSettings(QStringLiteral("9600,N,8,1"));
        port.SetPortOpen(true);
        session.SetConnected(true);
        session.SetPollUnit(9600);
        session.SetPrompter(&prompts);
        session.SetDefaults();
    }

    void AnswerVerbose()
    {
        modem.Answer("AT", "\r\nOK\r\n");
        modem.Answer("AT*WCB?", "\r\n*WCB:4\r\n\r\nOK\r\n");
        modem.Answer("AT*WCBTAB?", "\r\n*WCBTAB1:111\r\n\r\n*WCBTAB2:222\r\n\r\n*WCBTAB3:333\r\n\r\nOK\r\n");
        modem.Answer("AT*WCBPWD?", "\r\n*WCBPWD1:p1\r\n\r\n*WCBPWD2:p2\r\n\r\n*WCBPWD3:p3\r\n\r\nOK\r\n");
    }
    void AnswerOk(const QList<QByteArray> &commands)
    {
        for (const QByteArray &c : commands)
            modem.Answer(c, "\r\nOK\r\n");
    }
    QList<QByteArray> SentSince(int from) const { return port.CommandLines().mid(from); }
    int Sent() const { return int(port.CommandLines().size()); }
    PageFlags &Flags() { return session.Flags(PageId::Callback); }

    MemoryPort port;
    ScriptedPump pump;
    PageHost host;
    ScriptedPrompter prompts;
    ModemSession session{&port, &host, &pump};
    FakeModem modem{&port, &pump};
    CallbackLogic logic{session, prompts};
};

TEST_F(CallbackPage, FirstShowingReadsControlNumbersAndPasswordsButNotTheDelay)
{
    AnswerVerbose();
    logic.Activate();
    EXPECT_EQ(port.CommandLines(), (QList<QByteArray>{"AT", "AT*WCB?", "AT*WCBTAB?", "AT*WCBPWD?"}));
    EXPECT_EQ(logic.form.control.current, 4);
    EXPECT_EQ(logic.form.entries[1].number.text, "222");
    EXPECT_EQ(logic.form.entries[2].password.text, "p3");
    EXPECT_EQ(session.callbackRecord.Text(callbackfield::NumberAt(0), 24), "111");
    EXPECT_EQ(session.callbackRecord.Int(callbackfield::Control), 4);
    EXPECT_FALSE(Flags().mustRead);
    EXPECT_TRUE(logic.unreadFields.isEmpty());
    EXPECT_TRUE(prompts.Texts().isEmpty());
    EXPECT_FALSE(session.Busy());
}

TEST_F(CallbackPage, NumericModemIsReadWithNumericSuccessTexts)
{
    modem.Answer("AT", "0\r");
    modem.Answer("AT*WCB?", "*WCB:2\r\n0\r");
    modem.Answer("AT*WCBTAB?", "*WCBTAB1:1\r\n*WCBTAB2:2\r\n*WCBTAB3:3\r\n0\r");
    modem.Answer("AT*WCBPWD?", "*WCBPWD1:a\r\n*WCBPWD2:b\r\n*WCBPWD3:c\r\n0\r");
    logic.Create();
    ASSERT_TRUE(logic.Command(CallbackCommand::Read));
    // No switch to verbose codes: the texts follow the probe.
    EXPECT_EQ(port.CommandLines(), (QList<QByteArray>{"AT", "AT*WCB?", "AT*WCBTAB?", "AT*WCBPWD?"}));
    EXPECT_EQ(logic.form.control.current, 2);
    EXPECT_EQ(logic.form.entries[2].password.text, "c");
    // A save in numeric mode takes "0" for OK, after the echo when there is one.
    modem.SetEcho(true);
    modem.Answer("AT", "AT\r0\r");
    modem.Answer("AT*WCB=2", "0\r");
    const int from = Sent();
    EXPECT_TRUE(logic.Command(CallbackCommand::SaveControl));
    EXPECT_EQ(SentSince(from), (QList<QByteArray>{"AT", "AT*WCB=2"}));
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_F(CallbackPage, ControlValueThatBeginsNoItemLeavesTheSelection)
{
    AnswerVerbose();
    logic.Activate();
    modem.Answer("AT*WCB?", "\r\n*WCB:x\r\n\r\nOK\r\n");
    ASSERT_TRUE(logic.Command(CallbackCommand::Read));
    EXPECT_EQ(logic.form.control.current, 4);
    EXPECT_EQ(logic.unreadFields, QStringList{"control"});
}

TEST_F(CallbackPage, FailedReadDisablesTheEditingControlsButNotRead)
{
    modem.Answer("AT", "\r\nOK\r\n");
    modem.Answer("AT*WCB?", "\r\nERROR\r\n");
    logic.Activate();
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: Unable to retrieve settings..."});
    EXPECT_TRUE(logic.form.read.enabled);
    EXPECT_FALSE(logic.form.saveAll.enabled);
    EXPECT_FALSE(logic.form.entries[0].number.enabled);
    EXPECT_FALSE(logic.form.control.enabled);
    AnswerVerbose();
    EXPECT_TRUE(logic.Command(CallbackCommand::Read));
    EXPECT_TRUE(logic.form.saveAll.enabled);
    EXPECT_TRUE(logic.form.entries[0].number.enabled);
}

TEST_F(CallbackPage, SaveAllStopsAtTheFirstRefusedCommand)
{
    AnswerVerbose();
    logic.Activate();
    logic.form.delay.text = "30";
    logic.Command(CallbackCommand::Edited);
    AnswerOk({"AT*WCB=4", "AT*WCBTIME=30", "AT*WCBTAB1=111", "AT*WCBPWD1=p1", "AT*WCBPWD2=p2", "AT*WCBTAB3=333"});
    modem.Answer("AT*WCBTAB2=222", "\r\nERROR\r\n");
    const int from = Sent();
    EXPECT_FALSE(logic.Command(CallbackCommand::SaveAll));
    EXPECT_EQ(SentSince(from),
              (QList<QByteArray>{"AT", "AT*WCB=4", "AT*WCBTIME=30", "AT*WCBTAB1=111", "AT*WCBPWD1=p1", "AT*WCBTAB2=222"}));
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: Unable to save settings..."});
    EXPECT_FALSE(session.Busy());
}

TEST_F(CallbackPage, ClearedEntrySavesEmptyTextsAndClearingSendsNothing)
{
    AnswerVerbose();
    logic.Activate();
    const int from = Sent();
    logic.Command(CallbackCommand::ClearEntry, 1);
    EXPECT_EQ(Sent(), from);
    EXPECT_EQ(logic.form.entries[1].number.text, "");
    EXPECT_EQ(session.callbackRecord.Text(callbackfield::PasswordAt(1), 24), "");
    EXPECT_EQ(logic.form.entries[0].number.text, "111");
    AnswerOk({"AT*WCBTAB2=", "AT*WCBPWD2="});
    EXPECT_TRUE(logic.Command(CallbackCommand::SaveEntry, 1));
    EXPECT_EQ(SentSince(from), (QList<QByteArray>{"AT", "AT*WCBTAB2=", "AT*WCBPWD2="}));
}

struct OneSaveCase {
    const char *name;
    CallbackCommand command;
    int entry;
    QList<QByteArray> sent;
};

void PrintTo(const OneSaveCase &c, std::ostream *os)
{
    *os << c.name;
}

class CallbackSaves : public CallbackPage, public ::testing::WithParamInterface<OneSaveCase> {};

TEST_P(CallbackSaves, SendOnlyTheirPart)
{
    AnswerVerbose();
    logic.Activate();
    logic.form.entries[2].password.text = "two words";
    logic.Command(CallbackCommand::Edited);
    AnswerOk(GetParam().sent);
    const int from = Sent();
    EXPECT_TRUE(logic.Command(GetParam().command, GetParam().entry));
    EXPECT_EQ(SentSince(from), QList<QByteArray>{"AT"} + GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(
    Callback, CallbackSaves,
    ::testing::Values(OneSaveCase{"control", CallbackCommand::SaveControl, 0, {"AT*WCB=4"}},
                      OneSaveCase{"delay", CallbackCommand::SaveDelay, 0, {"AT*WCBTIME=0"}},
                      OneSaveCase{"entry3_quotes_a_password_with_a_blank", CallbackCommand::SaveEntry, 2,
                                  {"AT*WCBTAB3=333", "AT*WCBPWD3=\"two words\""}}),
    [](const ::testing::TestParamInfo<OneSaveCase> &info) { return std::string(info.param.name); });

TEST_F(CallbackPage, PasswordThatWouldBreakTheCommandIsRefusedNamingTheEntry)
{
    AnswerVerbose();
    logic.Activate();
    logic.form.entries[1].password.text = "a\"b";
    logic.Command(CallbackCommand::Edited);
    const int from = Sent();
    EXPECT_FALSE(logic.Command(CallbackCommand::SaveAll));
    EXPECT_EQ(Sent(), from);
    EXPECT_EQ(prompts.Texts(), QStringList{"The password of callback entry 2 holds a double quote or a control "
                                           "character, which the modem cannot take."});
}

TEST_F(CallbackPage, ProfileIsShownInsteadOfARead)
{
    logic.Create();
    session.callbackRecord.SetInt(callbackfield::Control, 5);
    session.callbackRecord.SetText(callbackfield::Delay, 4, "45");
    session.callbackRecord.SetText(callbackfield::NumberAt(2), 24, "999");
    Flags().profilePending = true;
    logic.Activate();
    EXPECT_EQ(Sent(), 0);
    EXPECT_EQ(logic.form.control.current, 5);
    EXPECT_EQ(logic.form.delay.text, "45");
    EXPECT_EQ(logic.form.entries[2].number.text, "999");
    EXPECT_FALSE(Flags().mustRead);
}

} // namespace
