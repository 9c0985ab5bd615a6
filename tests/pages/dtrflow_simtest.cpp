#include "pages/basicflow.h"

using namespace telvio;
using namespace telvio::test;

namespace {

class DtrInEveryMode : public FlowInEveryMode {};

TEST_P(DtrInEveryMode, DialStoresTheNumberAndArmsTheFunction)
{
    BasicFlow f(Config());
    ASSERT_TRUE(f.Connect());
    f.logic.Activate();

    f.dialogs.dialAnswers.enqueue(QString("0123456789"));
    f.logic.form.dtrEvent.current = 1;
    f.logic.Command(BasicCommand::DtrEventChosen);
    f.logic.Command(BasicCommand::DtrActivate);
    EXPECT_TRUE(f.prompts.Log().isEmpty()) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_EQ(f.dialogs.dialShown, QStringList{QString()});
    EXPECT_EQ(f.Variable("CPBR_1"), QByteArray("\"0123456789\",129,\"DTRDIAL\""));
    EXPECT_EQ(f.Setting("%D"), QByteArray("1"));

    // The next time the dialog shows it, and nothing needs writing.
    f.TakeSent();
    f.dialogs.dialAnswers.enqueue(QString("0123456789"));
    EXPECT_TRUE(f.logic.Dtr().SetDtrFunction(1));
    EXPECT_EQ(f.dialogs.dialShown.last(), QString("0123456789"));
    for (const QByteArray &c : f.TakeSent())
        EXPECT_FALSE(c.startsWith("AT+CPBW")) << c.constData();

    // Cleared: the entry goes.
    f.dialogs.dialAnswers.enqueue(QString());
    EXPECT_TRUE(f.logic.Dtr().SetDtrFunction(1));
    EXPECT_TRUE(f.Variable("CPBR_1").isEmpty());

    f.logic.Command(BasicCommand::DtrDeactivate);
    EXPECT_EQ(f.Setting("%D"), QByteArray("0"));
    EXPECT_EQ(f.Setting("V"), QByteArray(Mode().verbose ? "1" : "0"));
    EXPECT_FALSE(f.link.session.Busy());
}

TEST_P(DtrInEveryMode, SmsStoresTheTextLineByLine)
{
    BasicFlow f(Config());
    ASSERT_TRUE(f.Connect());
    f.logic.Activate();

    f.dialogs.smsAnswers.enqueue(SmsOnDtr{"+4912345", "Alarm > 3 bar\r\non line 2"});
    EXPECT_TRUE(f.logic.Dtr().SetDtrFunction(2)) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_EQ(f.Variable("SMS_1_DA"), QByteArray("+4912345"));
    EXPECT_EQ(f.Variable("SMS_1_TEXT"), QByteArray("Alarm > 3 bar\ron line 2\r"));
    EXPECT_EQ(f.Setting("%D"), QByteArray("2"));

    // Shown as stored; unchanged, nothing is written.
    f.TakeSent();
    f.dialogs.smsAnswers.enqueue(SmsOnDtr{"+4912345", "Alarm > 3 bar\r\non line 2"});
    EXPECT_TRUE(f.logic.Dtr().SetDtrFunction(2));
    ASSERT_EQ(f.dialogs.smsShown.size(), 2);
    EXPECT_EQ(f.dialogs.smsShown.last().number, QString("+4912345"));
    EXPECT_EQ(f.dialogs.smsShown.last().message, QString("Alarm > 3 bar\r\non line 2"));
    for (const QByteArray &c : f.TakeSent()) {
        EXPECT_FALSE(c.startsWith("AT+CMGD")) << c.constData();
        EXPECT_FALSE(c.startsWith("AT+CMGW")) << c.constData();
    }

    // Changed: the old one goes first, the new one takes location 1.
    f.dialogs.smsAnswers.enqueue(SmsOnDtr{"+4912345", "new"});
    EXPECT_TRUE(f.logic.Dtr().SetDtrFunction(2));
    EXPECT_EQ(f.Variable("SMS_1_TEXT"), QByteArray("new\r"));
    EXPECT_TRUE(f.Variable("SMS_2_TEXT").isEmpty());
    EXPECT_EQ(f.Setting("V"), QByteArray(Mode().verbose ? "1" : "0"));
    EXPECT_TRUE(f.prompts.Log().isEmpty()) << f.prompts.Texts().join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Modes, DtrInEveryMode, EachAtBothRates(AllModes()), CaseAtRateName<ModeCase>);

class DtrOverTheLine : public AtBothRates {};

TEST_P(DtrOverTheLine, MessageStoreInPduModeIsAnError)
{
    sim::SimConfig config = ConfigFor(AllModes().at(1));
    config.line.baud = 115200; // the lone Ctrl-Z waits out its exchange
    BasicFlow f(Paced(config));
    ASSERT_TRUE(f.Connect());
    f.logic.Activate();
    QByteArray pdu = "AT+CMGF=0";
    ASSERT_EQ(f.link.session.Exchange(pdu, 3, "OK\r\n"), ExSuccess);
    f.dialogs.smsAnswers.enqueue(SmsOnDtr{"5", "text"});
    f.logic.form.dtrEvent.current = 2;
    f.logic.Command(BasicCommand::DtrActivate);
    EXPECT_EQ(f.prompts.Texts(), QStringList{"Error: Unable to perform requested operation."});
    EXPECT_EQ(f.Setting("%D"), QByteArray("0"));
    // The modem is back in command state.
    QByteArray at = "AT";
    EXPECT_EQ(f.link.session.Exchange(at, 3, "OK\r\n"), ExSuccess);
}

TEST_P(DtrOverTheLine, TestNeedsTheSimReady)
{
    BasicFlow ready(Paced(ConfigFor(AllModes().at(3))));
    ASSERT_TRUE(ready.Connect());
    ready.logic.Activate();
    ready.logic.Command(BasicCommand::DtrTest);
    EXPECT_EQ(ready.dialogs.drops, 1);
    EXPECT_TRUE(ready.prompts.Log().isEmpty());
    EXPECT_EQ(ready.Setting("V"), QByteArray("0"));

    sim::SimConfig locked = ConfigFor(AllModes().at(0));
    locked.sim = sim::SimCard::PinRequired;
    BasicFlow waiting(Paced(locked));
    ASSERT_TRUE(waiting.Connect());
    waiting.logic.Command(BasicCommand::DtrTest);
    EXPECT_EQ(waiting.dialogs.drops, 0);
    EXPECT_EQ(waiting.prompts.Texts(), QStringList{"SIM card not ready."});
}

TELVIO_AT_BOTH_RATES(DtrOverTheLine);

} // namespace
