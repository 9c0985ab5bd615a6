#include "pages/basicflow.h"
#include "pages/core/basicrecord.h"

using namespace telvio;
using namespace telvio::test;

namespace {

// Every edit the page makes goes through the change hook, as a control's
// notification would.
void Edit(BasicLogic &logic, const std::function<void(BasicForm &)> &change, BasicCommand notification)
{
    change(logic.form);
    logic.Command(notification);
}

class BasicPageInEveryMode : public FlowInEveryMode {};

TEST_P(BasicPageInEveryMode, ReadWriteAndReadBack)
{
    const ModeCase &mode = Mode();
    BasicFlow f(Config());
    ASSERT_TRUE(f.link.Started());
    ASSERT_TRUE(f.Connect());
    f.logic.Activate();
    ASSERT_TRUE(f.prompts.Log().isEmpty()) << f.prompts.Texts().join(' ').toStdString();
    BasicLogic &l = f.logic;
    EXPECT_EQ(l.form.rings.text, QString("000"));
    EXPECT_EQ(l.form.compression.current, 0);
    EXPECT_EQ(l.form.errorCorrection.current, 0);
    EXPECT_EQ(l.form.bearerSpeed.current, 0);
    EXPECT_EQ(l.form.bearerCe.current, 1);
    EXPECT_EQ(l.form.statusLed.current, 0);
    EXPECT_FALSE(l.form.autoPin.checked);
    EXPECT_FALSE(l.form.reset.checked);
    EXPECT_EQ(l.form.activatePin.caption, QString("Enable PIN"));
    // A numeric modem is numeric again after the read.
    EXPECT_EQ(f.Setting("V"), QByteArray(mode.verbose ? "1" : "0"));

    Edit(l, [](BasicForm &form) { form.rings.text = "005"; }, BasicCommand::RingsEdited);
    Edit(l, [](BasicForm &form) { form.compression.current = 1; }, BasicCommand::CompressionChosen);
    Edit(l, [](BasicForm &form) { form.errorCorrection.current = 1; }, BasicCommand::ErrorCorrectionChosen);
    Edit(l, [](BasicForm &form) { form.bearerSpeed.current = 14; }, BasicCommand::BearerSpeedChosen);
    Edit(l, [](BasicForm &form) { form.bearerCe.current = 3; }, BasicCommand::BearerCeChosen);
    Edit(l, [](BasicForm &form) { form.statusLed.current = 2; }, BasicCommand::StatusLedChosen);
    Edit(l, [](BasicForm &form) { form.autoPin.checked = true; }, BasicCommand::AutoPinToggled);
    Edit(l, [](BasicForm &form) { form.autoPinCode.text = "4321"; }, BasicCommand::AutoPinCodeEdited);
    Edit(l, [](BasicForm &form) { form.reset.checked = true; }, BasicCommand::ResetToggled);
    Edit(l, [](BasicForm &form) { form.resetDelay.text = "012:30"; }, BasicCommand::ResetDelayEdited);
    EXPECT_TRUE(f.link.session.Flags(PageId::Basic).modified);
    ASSERT_TRUE(l.Command(BasicCommand::Write)) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_FALSE(f.link.session.Flags(PageId::Basic).modified);

    EXPECT_EQ(f.Setting("S0"), QByteArray("5"));
    EXPECT_EQ(f.Setting("S0", sim::ProfileSlot::Stored), QByteArray("5"));
    EXPECT_EQ(f.Setting("%C", sim::ProfileSlot::Stored), QByteArray("2"));
    EXPECT_EQ(f.Setting("\\N", sim::ProfileSlot::Stored), QByteArray("5"));
    EXPECT_EQ(f.Setting("+CBST", sim::ProfileSlot::Stored), QByteArray("71,0,3"));
    EXPECT_EQ(f.Setting("*WSTATLED"), QByteArray("2"));
    EXPECT_EQ(f.Variable("WPIN_MODE"), QByteArray("1"));
    EXPECT_EQ(f.Variable("WPIN_CODE"), QByteArray("4321"));
    EXPECT_EQ(f.Variable("WRST_MODE"), QByteArray("1"));
    EXPECT_EQ(f.Variable("WRST_DELAY"), QByteArray("012:30"));
    // The result-code format is back as it was, and stored so.
    EXPECT_EQ(f.Setting("V"), QByteArray(mode.verbose ? "1" : "0"));
    EXPECT_EQ(f.Setting("V", sim::ProfileSlot::Stored), QByteArray(mode.verbose ? "1" : "0"));
    EXPECT_EQ(f.Setting("E"), QByteArray(mode.echo ? "1" : "0"));

    // A fresh page reads what was written.
    f.link.session.Flags(PageId::Basic).mustRead = true;
    BasicLogic again(f.link.session, f.prompts, f.dialogs, f.dialogs, f.dialogs);
    again.Activate();
    EXPECT_TRUE(f.prompts.Log().isEmpty());
    EXPECT_EQ(again.form.rings.text, QString("005"));
    EXPECT_EQ(again.form.compression.current, 1);
    EXPECT_EQ(again.form.errorCorrection.current, 1);
    EXPECT_EQ(again.form.bearerSpeed.CurrentText(), QString("71 - 9600 bps (V.110)"));
    EXPECT_EQ(again.form.bearerCe.current, 3);
    EXPECT_EQ(again.form.statusLed.current, 2);
    EXPECT_TRUE(again.form.autoPin.checked);
    EXPECT_EQ(again.form.autoPinCode.text, QString("4321"));
    EXPECT_TRUE(again.form.reset.checked);
    EXPECT_EQ(again.form.resetDelay.text, QString("012:30"));
    EXPECT_TRUE(again.form.timeToReset.text.startsWith("012:")) << again.form.timeToReset.text.toStdString();
    EXPECT_FALSE(f.link.session.Flags(PageId::Basic).modified);
}

INSTANTIATE_TEST_SUITE_P(Modes, BasicPageInEveryMode, EachAtBothRates(AllModes()), CaseAtRateName<ModeCase>);

class BasicPageOverTheLine : public AtBothRates {};

TEST_P(BasicPageOverTheLine, OlderModelsGetNoPikeCommands)
{
    BasicFlow f(Paced(ConfigFor(AllModes().at(1), sim::Model::Orca1)));
    ASSERT_TRUE(f.Connect());
    f.TakeSent();
    f.logic.Activate();
    Edit(f.logic, [](BasicForm &form) { form.rings.text = "003"; }, BasicCommand::RingsEdited);
    ASSERT_TRUE(f.logic.Command(BasicCommand::Write)) << f.prompts.Texts().join(' ').toStdString();
    for (const QByteArray &c : f.TakeSent())
        EXPECT_FALSE(c.contains("*W")) << c.constData();
    EXPECT_EQ(f.Setting("S0", sim::ProfileSlot::Stored), QByteArray("3"));
    EXPECT_FALSE(f.logic.form.autoPinGroup.visible);
}

TEST_P(BasicPageOverTheLine, RefusedDelayFailsTheWrite)
{
    // 012:75 passes the page's own check; the modem wants minutes below 60.
    sim::SimConfig config = ConfigFor(AllModes().at(0));
    config.line.baud = 115200; // the refused step runs into a shorter wait
    BasicFlow f(Paced(config));
    ASSERT_TRUE(f.Connect());
    f.logic.Activate();
    Edit(f.logic, [](BasicForm &form) { form.reset.checked = true; }, BasicCommand::ResetToggled);
    Edit(f.logic, [](BasicForm &form) { form.resetDelay.text = "012:75"; }, BasicCommand::ResetDelayEdited);
    EXPECT_TRUE(f.logic.ValidateSettings().isEmpty());
    EXPECT_FALSE(f.logic.Command(BasicCommand::Write));
    EXPECT_EQ(f.prompts.Texts(), QStringList{"Error: Unable to save settings..."});
    EXPECT_TRUE(f.link.session.Flags(PageId::Basic).modified);
    EXPECT_FALSE(f.link.session.Busy());
}

// After "AT&F" a Pike modem's port runs at its factory rate and framing,
// 9600 8N1. Following only the rate would leave the PC at two stop bits and
// the page's read after the restore would find no modem.
TEST_P(BasicPageOverTheLine, FactoryFollowsThePortsRateAndFraming)
{
    sim::SimConfig config = ConfigFor(AllModes().at(1));
    config.line.baud = 115200;
    config.line.stopBits = 2;
    BasicFlow f(Paced(config));
    ASSERT_TRUE(f.Connect());
    f.logic.Activate();
    Edit(f.logic, [](BasicForm &form) { form.rings.text = "004"; }, BasicCommand::RingsEdited);
    ASSERT_TRUE(f.logic.Command(BasicCommand::Write));

    f.logic.Command(BasicCommand::Factory);
    EXPECT_TRUE(f.prompts.Log().isEmpty()) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_EQ(f.link.comm.Settings(), QString("9600,N,8,1"));
    EXPECT_EQ(f.link.session.BaudText(), QString("9600"));
    EXPECT_EQ(f.link.session.StopBitsText(), QString("1"));
    EXPECT_EQ(f.link.session.PollUnit(), 40);
    EXPECT_EQ(f.logic.form.rings.text, QString("000")); // read again after the restore
    EXPECT_EQ(f.Setting("S0", sim::ProfileSlot::Stored), QByteArray("0"));
    EXPECT_TRUE(f.link.session.Flags(PageId::Serial).mustRead);
    EXPECT_TRUE(f.link.session.Flags(PageId::Gprs).mustRead);
    EXPECT_FALSE(f.link.session.Busy());
}

TEST_P(BasicPageOverTheLine, FactoryOnAnOlderModelKeepsThePort)
{
    sim::SimConfig config = ConfigFor(AllModes().at(0), sim::Model::Orca1Us);
    config.line.baud = 19200;
    BasicFlow f(Paced(config));
    ASSERT_TRUE(f.Connect());
    f.logic.Activate();
    f.logic.Command(BasicCommand::Factory);
    EXPECT_TRUE(f.prompts.Log().isEmpty()) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_EQ(f.link.comm.Settings(), QString("19200,N,8,1"));
    EXPECT_TRUE(f.link.session.Connected());
}

struct ResetCase {
    const char *name;
    BasicCommand button;
    QByteArray wopen; // what +WOPEN? says afterwards; empty: not looked at
};

void PrintTo(const ResetCase &c, std::ostream *os)
{
    *os << c.name;
}

TELVIO_AT_BOTH_RATES(BasicPageOverTheLine);

class ModemReset : public testing::TestWithParam<CaseAtRate<ResetCase>> {};

// The modem restarts and is deaf while it boots; the page closes the link.
// Once booted it answers again on the same port, with its stored profile.
TEST_P(ModemReset, ClosesTheLinkAndTheModemComesBack)
{
    const ResetCase &reset = std::get<0>(GetParam());
    BasicFlow f(ConfigFor(AllModes().at(1), std::get<1>(GetParam())));
    ASSERT_TRUE(f.Connect());
    f.SetVariable("RESTART_MS", "300");
    f.logic.Activate();
    QByteArray s0 = "ATS0=9";
    ASSERT_EQ(f.link.session.Exchange(s0, 3, "OK\r\n"), ExSuccess); // not stored
    f.prompts.AnswerQuestion(true);
    f.logic.Command(reset.button);
    EXPECT_FALSE(f.link.session.LinkUp());
    EXPECT_FALSE(f.link.comm.PortOpen());
    EXPECT_TRUE(f.Restarting());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.Restarting(); }, 10000));
    ASSERT_TRUE(f.Connect());
    EXPECT_EQ(f.Setting("S0"), QByteArray("0"));
    if (!reset.wopen.isEmpty()) {
        EXPECT_EQ(f.Variable("WOPEN"), reset.wopen);
    }
}

INSTANTIATE_TEST_SUITE_P(Buttons, ModemReset,
                         EachAtBothRates(std::vector<ResetCase>{{"Reset Now", BasicCommand::ResetNow, ""},
                                                                {"Embedded App", BasicCommand::EmbeddedApp, "0"}}),
                         CaseAtRateName<ResetCase>);

} // namespace
