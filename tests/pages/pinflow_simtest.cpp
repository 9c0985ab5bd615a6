#include "pages/basicflow.h"

using namespace telvio;
using namespace telvio::test;

namespace {

// Numeric modes over the line: a refused code waits out the exchange, so
// the line runs at 115200 where that wait is shortest.
sim::SimConfig PinConfig(const ModeCase &mode, LineRate rate, sim::SimCard card)
{
    sim::SimConfig c = ConfigFor(mode, rate);
    c.sim = card;
    c.pin = "1234";
    c.line.baud = 115200;
    return c;
}

class SimPinInEveryMode : public FlowInEveryMode {};

TEST_P(SimPinInEveryMode, EnterPinWrongThenRight)
{
    BasicFlow f(PinConfig(Mode(), Rate(), sim::SimCard::PinRequired));
    ASSERT_TRUE(f.Connect());
    EXPECT_EQ(f.link.session.SimStatus(), 2);
    f.logic.Activate();
    ASSERT_TRUE(f.prompts.Log().isEmpty()) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_TRUE(f.logic.form.enterPin.enabled);
    EXPECT_FALSE(f.logic.form.changePin.enabled);
    EXPECT_FALSE(f.logic.form.activatePin.enabled);
    EXPECT_FALSE(f.logic.form.dtrTest.enabled);

    // A code ending in 0 would be matched by its own echo in numeric mode.
    f.dialogs.pins.enqueue(QString("1230"));
    f.logic.Command(BasicCommand::EnterPin);
    EXPECT_EQ(f.prompts.Texts(), QStringList{"PIN not accepted."});
    EXPECT_EQ(f.link.session.SimStatus(), 2);
    EXPECT_EQ(f.Card().card, sim::SimCard::PinRequired);

    f.prompts.Clear();
    f.dialogs.pins.enqueue(QString("1234"));
    f.logic.Command(BasicCommand::EnterPin);
    EXPECT_TRUE(f.prompts.Log().isEmpty()) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_EQ(f.link.session.SimStatus(), 1);
    EXPECT_EQ(f.Card().card, sim::SimCard::Ready);
    EXPECT_FALSE(f.logic.form.enterPin.enabled);
    EXPECT_EQ(f.logic.form.activatePin.caption, QString("Disable PIN"));
    EXPECT_FALSE(f.link.session.Busy());
}

TEST_P(SimPinInEveryMode, LockOnChangeAndOff)
{
    BasicFlow f(PinConfig(Mode(), Rate(), sim::SimCard::Ready));
    ASSERT_TRUE(f.Connect());
    f.logic.Activate();
    EXPECT_EQ(f.logic.form.activatePin.caption, QString("Enable PIN"));
    EXPECT_FALSE(f.logic.PinEnabled());

    f.dialogs.pins.enqueue(QString("1234"));
    f.logic.Command(BasicCommand::ActivatePin);
    EXPECT_TRUE(f.prompts.Log().isEmpty()) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_TRUE(f.Card().lockOn);
    EXPECT_EQ(f.logic.form.activatePin.caption, QString("Disable PIN"));

    f.dialogs.changes.enqueue(ChangePinCodes{"1234", "5670", "5670"});
    f.logic.Command(BasicCommand::ChangePin);
    EXPECT_TRUE(f.prompts.Log().isEmpty()) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_EQ(f.Card().pin, QByteArray("5670"));

    f.dialogs.pins.enqueue(QString("1234"));
    f.logic.Command(BasicCommand::ActivatePin);
    EXPECT_EQ(f.prompts.Texts(), QStringList{"Unable to disable PIN, wrong code."});
    EXPECT_TRUE(f.Card().lockOn);

    f.prompts.Clear();
    f.dialogs.pins.enqueue(QString("5670"));
    f.logic.Command(BasicCommand::ActivatePin);
    EXPECT_TRUE(f.prompts.Log().isEmpty()) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_FALSE(f.Card().lockOn);
    EXPECT_EQ(f.logic.form.activatePin.caption, QString("Enable PIN"));

    // A fresh read finds the lock as it is now.
    f.link.session.Flags(PageId::Basic).mustRead = true;
    f.logic.Activate();
    EXPECT_FALSE(f.logic.PinEnabled());
}

INSTANTIATE_TEST_SUITE_P(Modes, SimPinInEveryMode,
                         EachAtBothRates(std::vector<ModeCase>{AllModes().at(0), AllModes().at(3)}),
                         CaseAtRateName<ModeCase>);

class SimPinOverTheLine : public AtBothRates {};

TEST_P(SimPinOverTheLine, ChangePinWithTheLockOffIsRefused)
{
    BasicFlow f(PinConfig(AllModes().at(1), Rate(), sim::SimCard::Ready));
    ASSERT_TRUE(f.Connect());
    f.logic.Activate();
    f.dialogs.changes.enqueue(ChangePinCodes{"1234", "5678", "5678"});
    f.logic.Command(BasicCommand::ChangePin);
    EXPECT_EQ(f.prompts.Texts(), QStringList{"Unable to change PIN code..."});
    EXPECT_EQ(f.Card().pin, QByteArray("1234"));
}

TELVIO_AT_BOTH_RATES(SimPinOverTheLine);

} // namespace
