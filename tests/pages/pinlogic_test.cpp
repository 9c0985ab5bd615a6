#include "pages/basicfixture.h"

using namespace telvio;
using namespace telvio::test;

namespace {

class PinTest : public BasicPageTest {
protected:
    PinTest()
    {
        logic.Create();
        session.Flags(PageId::Basic).mustRead = false;
    }
};

TEST_F(PinTest, MalformedCodesAreRefusedBeforeAnythingIsSent)
{
    struct Case {
        BasicCommand button;
        std::optional<QString> pin;
        std::optional<ChangePinCodes> codes;
        const char *message;
    } cases[] = {
        {BasicCommand::EnterPin, QString("123"), std::nullopt, "PIN code not properly formated!"},
        {BasicCommand::EnterPin, QString("12a4"), std::nullopt, "PIN code not properly formated!"},
        {BasicCommand::ActivatePin, QString("12"), std::nullopt, "PIN code not properly formated!"},
        {BasicCommand::ChangePin, std::nullopt, ChangePinCodes{"12", "5678", "5678"}, "Old PIN code not properly formated!"},
        // The old code may have up to 8 digits, the new one exactly 4.
        {BasicCommand::ChangePin, std::nullopt, ChangePinCodes{"12345678", "56789", "56789"},
         "New PIN code not properly formated!"},
        {BasicCommand::ChangePin, std::nullopt, ChangePinCodes{"1234", "5678", "5679"},
         "Re-entered PIN code does not match"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        prompts.Clear();
        if (c.pin)
            dialogs.pins.enqueue(c.pin);
        if (c.codes)
            dialogs.changes.enqueue(c.codes);
        logic.Command(c.button);
        EXPECT_EQ(prompts.Texts(), QStringList{c.message});
        EXPECT_TRUE(port.Writes().isEmpty());
    }
}

TEST_F(PinTest, CancelDoesNothing)
{
    logic.Command(BasicCommand::EnterPin);
    logic.Command(BasicCommand::ChangePin);
    logic.Command(BasicCommand::ActivatePin);
    EXPECT_TRUE(port.Writes().isEmpty());
    EXPECT_TRUE(prompts.Log().isEmpty());
    EXPECT_FALSE(logic.PinEnabled());
}

TEST_F(PinTest, EnterPinUnlocksTheSim)
{
    session.SetSimStatus(2);
    modem.Answer("AT", "\r\nOK\r\n");
    modem.Answer("AT+CPIN=12345678", "\r\nOK\r\n");
    dialogs.pins.enqueue(QString("12345678"));
    logic.Command(BasicCommand::EnterPin);
    EXPECT_EQ(Commands(), (QList<QByteArray>{"AT", "AT+CPIN=12345678"}));
    EXPECT_EQ(session.SimStatus(), 1);
    EXPECT_FALSE(logic.form.enterPin.enabled);
    EXPECT_TRUE(logic.form.changePin.enabled);
    EXPECT_TRUE(logic.form.activatePin.enabled);
    EXPECT_EQ(logic.form.activatePin.caption, QString("Disable PIN"));
    EXPECT_TRUE(logic.PinEnabled());
    EXPECT_EQ(host.panelRefreshes, 1);
    EXPECT_EQ(host.windows, QStringList{"Transfering data"});
    EXPECT_EQ(host.openWindows, 0);
    EXPECT_FALSE(session.Busy());
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(PinTest, RefusedPinLeavesTheSimAskingForIt)
{
    session.SetSimStatus(2);
    modem.Answer("AT", "\r\nOK\r\n");
    modem.Answer("AT+CPIN=1111", "\r\n+CME ERROR: 16\r\n");
    dialogs.pins.enqueue(QString("1111"));
    logic.Command(BasicCommand::EnterPin);
    EXPECT_EQ(session.SimStatus(), 2);
    EXPECT_EQ(prompts.Texts(), QStringList{"PIN not accepted."});
    EXPECT_EQ(host.panelRefreshes, 1);
}

TEST_F(PinTest, EnterPinWithoutALinkStillMarksTheLockOn)
{
    session.SetConnected(false);
    dialogs.pins.enqueue(QString("1234"));
    logic.Command(BasicCommand::EnterPin);
    EXPECT_TRUE(port.Writes().isEmpty());
    EXPECT_TRUE(logic.PinEnabled());
    // So Activate PIN would now switch the lock off.
    session.SetConnected(true);
    modem.Answer("AT", "\r\nOK\r\n");
    modem.Answer("AT+CLCK=\"SC\",0,1234", "\r\nOK\r\n");
    dialogs.pins.enqueue(QString("1234"));
    logic.Command(BasicCommand::ActivatePin);
    EXPECT_TRUE(Sent("AT+CLCK=\"SC\",0,1234"));
    EXPECT_EQ(logic.form.activatePin.caption, QString("Enable PIN"));
    EXPECT_FALSE(logic.PinEnabled());
}

TEST_F(PinTest, NoModemEndsSilently)
{
    dialogs.pins.enqueue(QString("1234"));
    logic.Command(BasicCommand::EnterPin);
    dialogs.changes.enqueue(ChangePinCodes{"1234", "5678", "5678"});
    logic.Command(BasicCommand::ChangePin);
    dialogs.pins.enqueue(QString("1234"));
    logic.Command(BasicCommand::ActivatePin);
    EXPECT_TRUE(prompts.Log().isEmpty());
    for (const QByteArray &c : Commands())
        EXPECT_FALSE(c.startsWith("AT+")) << c.constData(); // the probe's only
    EXPECT_FALSE(session.Busy());
    EXPECT_EQ(host.openWindows, 0);
}

TEST_F(PinTest, ChangePinSendsBothCodes)
{
    modem.Answer("AT", "\r\nOK\r\n");
    modem.Answer("AT+CPWD=\"SC\",12345678,5678", "\r\nOK\r\n");
    dialogs.changes.enqueue(ChangePinCodes{"12345678", "5678", "5678"});
    logic.Command(BasicCommand::ChangePin);
    EXPECT_EQ(Commands(), (QList<QByteArray>{"AT", "AT+CPWD=\"SC\",12345678,5678"}));
    EXPECT_TRUE(prompts.Log().isEmpty());

    modem.Answer("AT+CPWD=\"SC\",1111,5678", "\r\n+CME ERROR: 16\r\n");
    dialogs.changes.enqueue(ChangePinCodes{"1111", "5678", "5678"});
    logic.Command(BasicCommand::ChangePin);
    EXPECT_EQ(prompts.Texts(), QStringList{"Unable to change PIN code..."});
}

struct LockCase {
    const char *name;
    bool lockOn;
    QByteArray answer;
    const char *message; // empty: the lock switched
};

void PrintTo(const LockCase &c, std::ostream *os)
{
    *os << c.name;
}

class ActivatePin : public PinTest, public testing::WithParamInterface<LockCase> {};

TEST_P(ActivatePin, SwitchesTheLockOrSaysWhy)
{
    const LockCase &c = GetParam();
    logic.Pin().ShowLockState(c.lockOn);
    const QByteArray command = c.lockOn ? "AT+CLCK=\"SC\",0,1234" : "AT+CLCK=\"SC\",1,1234";
    modem.Answer("AT", "\r\nOK\r\n");
    modem.Answer(command, c.answer);
    dialogs.pins.enqueue(QString("1234"));
    logic.Command(BasicCommand::ActivatePin);
    EXPECT_EQ(Commands(), (QList<QByteArray>{"AT", command}));
    if (QByteArray(c.message).isEmpty()) {
        EXPECT_TRUE(prompts.Log().isEmpty());
        EXPECT_EQ(logic.PinEnabled(), !c.lockOn);
        EXPECT_EQ(logic.form.activatePin.caption, QString(c.lockOn ? "Enable PIN" : "Disable PIN"));
    } else {
        EXPECT_EQ(prompts.Texts(), QStringList{c.message});
        EXPECT_EQ(logic.PinEnabled(), c.lockOn);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ActivatePin,
    testing::Values(LockCase{"off", true, "\r\nOK\r\n", ""}, LockCase{"on", false, "\r\nOK\r\n", ""},
                    LockCase{"off with a wrong code", true, "\r\n+CME ERROR: 16\r\n", "Unable to disable PIN, wrong code."},
                    LockCase{"off, plain error", true, "\r\nERROR\r\n", "Unable to disable PIN, SIM card not ready."},
                    LockCase{"on with a wrong code", false, "\r\n+CME ERROR: 16\r\n",
                             "Unable to enable PIN, SIM card not ready."}));

// In numeric mode the success text is the "0" result code. With echo on the
// command line itself holds a '0' followed later by its CR, and so does an
// error such as "+CME ERROR: 10": neither may pass for success.
TEST_F(PinTest, NumericModeWithEchoTakesOnlyTheResultCode)
{
    modem.SetEcho(true);
    session.SetSimStatus(2);
    modem.Answer("AT", "0\r");
    modem.Answer("AT+CPIN=1230", "+CME ERROR: 16\r\n");
    dialogs.pins.enqueue(QString("1230"));
    logic.Command(BasicCommand::EnterPin);
    EXPECT_EQ(session.SimStatus(), 2);
    EXPECT_EQ(prompts.Texts(), QStringList{"PIN not accepted."});

    prompts.Clear();
    modem.Answer("AT+CPIN=1234", "0\r");
    dialogs.pins.enqueue(QString("1234"));
    logic.Command(BasicCommand::EnterPin);
    EXPECT_EQ(session.SimStatus(), 1);
    EXPECT_TRUE(prompts.Log().isEmpty());

    // Switching the lock off always carries ",0," in its echo.
    modem.Answer("AT+CLCK=\"SC\",0,1111", "+CME ERROR: 16\r\n");
    dialogs.pins.enqueue(QString("1111"));
    logic.Command(BasicCommand::ActivatePin);
    EXPECT_EQ(prompts.Texts(), QStringList{"Unable to disable PIN, wrong code."});
    EXPECT_TRUE(logic.PinEnabled());

    prompts.Clear();
    modem.Answer("AT+CPWD=\"SC\",1234,5670", "+CME ERROR: 10\r\n");
    dialogs.changes.enqueue(ChangePinCodes{"1234", "5670", "5670"});
    logic.Command(BasicCommand::ChangePin);
    EXPECT_EQ(prompts.Texts(), QStringList{"Unable to change PIN code..."});
}

TEST_F(PinTest, NumericModeWithoutEchoSucceeds)
{
    modem.Answer("AT", "0\r");
    modem.Answer("AT+CLCK=\"SC\",1,1234", "0\r");
    dialogs.pins.enqueue(QString("1234"));
    logic.Command(BasicCommand::ActivatePin);
    EXPECT_TRUE(logic.PinEnabled());
    EXPECT_TRUE(prompts.Log().isEmpty());
}

} // namespace
