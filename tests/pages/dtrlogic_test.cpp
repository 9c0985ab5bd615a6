#include "pages/basicfixture.h"

using namespace telvio;
using namespace telvio::test;

namespace {

const QByteArray kOk = "\r\nOK\r\n";
const QByteArray kPrompt = "\r\n> ";

class DtrTest : public BasicPageTest {
protected:
    DtrTest()
    {
        logic.Create();
        session.Flags(PageId::Basic).mustRead = false;
        modem.Answer("AT", kOk);
        for (const QByteArray &c : {QByteArray("AT%D0"), QByteArray("AT%D1"), QByteArray("AT%D2")})
            modem.Answer(c, kOk);
    }

    void StoredNumber(const QByteArray &number)
    {
        modem.Answer("AT+CPBS=\"SM\"", kOk);
        modem.Answer("AT+CPBR=1", number.isEmpty() ? kOk : Info("+CPBR: 1,\"" + number + "\",129,\"DTRDIAL\""));
    }

    void StoredMessage(const QByteArray &number, const QByteArray &text)
    {
        modem.Answer("AT+CMGR=1", Info("+CMGR: \"STO UNSENT\",\"" + number + "\",\r\n" + text));
    }

    void Choose(int event)
    {
        logic.form.dtrEvent.current = event;
        logic.Command(BasicCommand::DtrEventChosen);
    }
};

TEST_F(DtrTest, ActivateNeedsAnEvent)
{
    logic.Command(BasicCommand::DtrActivate);
    ASSERT_EQ(prompts.Log().size(), 1);
    EXPECT_EQ(prompts.Log().first().text, QString("Please select DTR-Event first."));
    EXPECT_EQ(prompts.Log().first().icon, Prompter::Icon::Information);
    EXPECT_TRUE(port.Writes().isEmpty());
}

TEST_F(DtrTest, DialWithTheNumberUnchangedOnlySwitches)
{
    StoredNumber("0123456");
    dialogs.dialAnswers.enqueue(QString("0123456"));
    Choose(1);
    logic.Command(BasicCommand::DtrActivate);
    EXPECT_EQ(dialogs.dialShown, QStringList{"0123456"});
    EXPECT_EQ(Commands(), (QList<QByteArray>{"AT", "AT+CPBS=\"SM\"", "AT+CPBR=1", "AT%D1"}));
    EXPECT_TRUE(prompts.Log().isEmpty());
    EXPECT_EQ(host.windows, QStringList{"Transfering data"});
    EXPECT_EQ(host.openWindows, 0);
    EXPECT_FALSE(session.Busy());
}

TEST_F(DtrTest, DialStoresANewNumberOrDeletesTheEntry)
{
    StoredNumber("0123456");
    modem.Answer("AT+CPBW=1", kOk);
    modem.Answer("AT+CPBW=1,\"0987\",129,\"DTRDIAL\"", kOk);
    dialogs.dialAnswers.enqueue(QString());
    EXPECT_TRUE(logic.Dtr().SetDtrFunction(1));
    EXPECT_EQ(Commands().mid(3), (QList<QByteArray>{"AT+CPBW=1", "AT%D1"}));

    const int from = int(Commands().size());
    dialogs.dialAnswers.enqueue(QString("0987"));
    EXPECT_TRUE(logic.Dtr().SetDtrFunction(1));
    EXPECT_EQ(CommandsFrom(from).mid(3), (QList<QByteArray>{"AT+CPBW=1,\"0987\",129,\"DTRDIAL\"", "AT%D1"}));
}

TEST_F(DtrTest, EmptyPhonebookEntryShowsNoNumber)
{
    StoredNumber(QByteArray());
    dialogs.dialAnswers.enqueue(QString());
    EXPECT_TRUE(logic.Dtr().SetDtrFunction(1));
    EXPECT_EQ(dialogs.dialShown, QStringList{QString()});
    EXPECT_FALSE(Sent("AT+CPBW=1")); // nothing to change
}

TEST_F(DtrTest, CancelLeavesTheFunctionAsItWas)
{
    StoredNumber("0123456");
    modem.Answer("AT+CMGR=1", "\r\n+CMS ERROR: 321\r\n");
    EXPECT_TRUE(logic.Dtr().SetDtrFunction(1));
    EXPECT_TRUE(logic.Dtr().SetDtrFunction(2));
    for (const QByteArray &c : Commands())
        EXPECT_FALSE(c.startsWith("AT%D")) << c.constData();
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(DtrTest, FailuresAreReportedForActivateOnly)
{
    modem.Answer("AT+CPBS=\"SM\"", "\r\nERROR\r\n");
    Choose(1);
    logic.Command(BasicCommand::DtrActivate);
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: Unable to perform requested operation."});
    EXPECT_EQ(Commands().last(), QByteArray("AT+CPBS=\"SM\""));

    prompts.Clear();
    modem.Answer("AT%D0", QByteArray());
    logic.Command(BasicCommand::DtrDeactivate);
    EXPECT_EQ(Commands().last(), QByteArray("AT%D0"));
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(DtrTest, SmsWithNothingStoredWritesLineByLine)
{
    modem.Answer("AT+CMGR=1", "\r\n+CMS ERROR: 321\r\n");
    modem.Answer("AT+CMGW=\"+4912345\"", kPrompt);
    modem.Answer("first line", kPrompt);
    modem.Answer("second", kPrompt);
    modem.Answer("\x1A", Info("+CMGW: 1"));
    dialogs.smsAnswers.enqueue(SmsOnDtr{"+4912345", "first line\r\nsecond"});
    Choose(2);
    logic.Command(BasicCommand::DtrActivate);
    ASSERT_EQ(dialogs.smsShown.size(), 1);
    EXPECT_TRUE(dialogs.smsShown.first().number.isEmpty());
    EXPECT_TRUE(dialogs.smsShown.first().message.isEmpty());
    EXPECT_EQ(Commands(), (QList<QByteArray>{"AT", "AT+CMGR=1", "AT+CMGW=\"+4912345\"", "first line", "second",
                                            "\x1A", "AT%D2"}));
    // Each line goes out with its CR; Ctrl-Z alone.
    EXPECT_TRUE(port.Writes().contains("second\r"));
    EXPECT_TRUE(port.Writes().contains("\x1A"));
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(DtrTest, SmsShowsTheStoredMessageAndReplacesIt)
{
    StoredMessage("+4912345", "old one\rold two\r");
    modem.Answer("AT+CMGD=1,0", kOk);
    modem.Answer("AT+CMGW=\"+4912345\"", kPrompt);
    modem.Answer("new", kPrompt);
    modem.Answer("\x1A", Info("+CMGW: 1"));
    dialogs.smsAnswers.enqueue(SmsOnDtr{"+4912345", "new"});
    EXPECT_TRUE(logic.Dtr().SetDtrFunction(2));
    ASSERT_EQ(dialogs.smsShown.size(), 1);
    EXPECT_EQ(dialogs.smsShown.first().number, QString("+4912345"));
    EXPECT_EQ(dialogs.smsShown.first().message, QString("old one\r\nold two"));
    EXPECT_EQ(Commands().mid(2), (QList<QByteArray>{"AT+CMGD=1,0", "AT+CMGW=\"+4912345\"", "new", "\x1A", "AT%D2"}));
}

TEST_F(DtrTest, SmsUnchangedWritesNothing)
{
    StoredMessage("5", "same\r");
    dialogs.smsAnswers.enqueue(SmsOnDtr{"5", "same"});
    EXPECT_TRUE(logic.Dtr().SetDtrFunction(2));
    EXPECT_EQ(Commands(), (QList<QByteArray>{"AT", "AT+CMGR=1", "AT%D2"}));
}

TEST_F(DtrTest, FailedDeleteSaysTimeOutAndGoesOn)
{
    StoredMessage("5", "old\r");
    modem.Answer("AT+CMGW=\"5\"", kPrompt);
    modem.Answer("new", kPrompt);
    modem.Answer("\x1A", Info("+CMGW: 2"));
    dialogs.smsAnswers.enqueue(SmsOnDtr{"5", "new"});
    EXPECT_TRUE(logic.Dtr().SetDtrFunction(2));
    EXPECT_EQ(prompts.Texts(), QStringList{"TIME OUT"});
    EXPECT_TRUE(Sent("AT+CMGW=\"5\""));
    EXPECT_TRUE(Sent("AT%D2"));
}

TEST_F(DtrTest, RefusedLineStopsTheTextButNotTheCtrlZ)
{
    modem.Answer("AT+CMGR=1", "\r\n+CMS ERROR: 321\r\n");
    modem.Answer("AT+CMGW=\"5\"", kPrompt);
    modem.Answer("one", "\r\n+CMS ERROR: 305\r\n");
    modem.Answer("\x1A", "\r\nERROR\r\n");
    dialogs.smsAnswers.enqueue(SmsOnDtr{"5", "one\r\ntwo"});
    EXPECT_FALSE(logic.Dtr().SetDtrFunction(2));
    EXPECT_FALSE(Sent("two"));
    EXPECT_EQ(Commands().last(), QByteArray("\x1A"));
    EXPECT_FALSE(Sent("AT%D2")); // a message that was not stored is not armed
}

TEST_F(DtrTest, EchoedLineWithAPromptCharacterWaitsForTheRealPrompt)
{
    // The modem echoes the text at once, its '>' included, and prompts for
    // the next line only a moment later: that line must wait for it.
    long long lineSent = -1;
    long long nextSent = -1;
    port.SetResponder([&](const QByteArray &w) {
        pump.FeedAfter(&port, 1, w);
        QByteArray line = w;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line == "AT" || line == "AT%D2")
            pump.FeedAfter(&port, 1, kOk);
        else if (line == "AT+CMGR=1")
            pump.FeedAfter(&port, 1, "\r\n+CMS ERROR: 321\r\n");
        else if (line == "AT+CMGW=\"5\"")
            pump.FeedAfter(&port, 1, kPrompt);
        else if (line == "a>b") {
            lineSent = pump.Now();
            pump.FeedAfter(&port, 30, kPrompt);
        } else if (line == "c") {
            nextSent = pump.Now();
            pump.FeedAfter(&port, 1, kPrompt);
        } else if (line == "\x1A")
            pump.FeedAfter(&port, 1, Info("+CMGW: 1"));
    });
    dialogs.smsAnswers.enqueue(SmsOnDtr{"5", "a>b\r\nc"});
    EXPECT_TRUE(logic.Dtr().SetDtrFunction(2));
    EXPECT_TRUE(session.Echo());
    ASSERT_GE(nextSent, 0);
    EXPECT_GE(nextSent - lineSent, 30);
}

TEST_F(DtrTest, UnsafeTextsAreNotSent)
{
    modem.Answer("AT+CMGR=1", "\r\n+CMS ERROR: 321\r\n");
    dialogs.smsAnswers.enqueue(SmsOnDtr{"5", QString("stop\x1A" "AT+CFUN=1")});
    EXPECT_FALSE(logic.Dtr().SetDtrFunction(2));
    StoredNumber("1");
    dialogs.dialAnswers.enqueue(QString("1\";+CFUN=1;\""));
    EXPECT_FALSE(logic.Dtr().SetDtrFunction(1));
    for (const QByteArray &c : Commands()) {
        EXPECT_FALSE(c.contains("CFUN")) << c.constData();
        EXPECT_FALSE(c.startsWith("AT%D")) << c.constData();
    }
}

TEST_F(DtrTest, NumericModemIsSwitchedBack)
{
    modem.SetEcho(true);
    modem.Answer("AT", "0\r");
    modem.Answer("ATV1", kOk);
    modem.Answer("ATV0", "0\r");
    EXPECT_TRUE(logic.Dtr().SetDtrFunction(0));
    EXPECT_EQ(Commands(), (QList<QByteArray>{"AT", "ATV1", "AT%D0", "AT", "ATV0"}));
}

TEST_F(DtrTest, DebugOptionShowsTheLastAnswer)
{
    session.options.debug = 1;
    EXPECT_TRUE(logic.Dtr().SetDtrFunction(0));
    EXPECT_TRUE(host.terminal.endsWith(kOk + kOk)); // the exchange's own echo, then the page's
}

TEST_F(DtrTest, TestRaisesDtrWhenTheSimIsReady)
{
    port.SetDTREnable(false);
    modem.Answer("AT+WSTR=1", Info("+WSTR: 1,2"));
    logic.form.dtrTest.enabled = true;
    logic.Command(BasicCommand::DtrTest);
    EXPECT_TRUE(port.Dtr());
    EXPECT_EQ(dialogs.drops, 1);
    EXPECT_EQ(host.windows, QStringList{"DTR Test"});
    EXPECT_EQ(host.openWindows, 0);
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(DtrTest, TestWithTheSimNotReadyLeavesDtr)
{
    port.SetDTREnable(false);
    modem.Answer("AT+WSTR=1", Info("+WSTR: 1,0"));
    logic.Command(BasicCommand::DtrTest);
    EXPECT_FALSE(port.Dtr());
    EXPECT_EQ(dialogs.drops, 0);
    EXPECT_EQ(prompts.Texts(), QStringList{"SIM card not ready."});
}

} // namespace
