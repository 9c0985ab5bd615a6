#include "pages/basicfixture.h"
#include "pages/core/basicrecord.h"

#include <QRegularExpression>

using namespace telvio;
using namespace telvio::test;

namespace {

const QList<QByteArray> kPike3Read = {"AT",       "ATS0?",    "AT%C?",    "AT+CLCK?",  "AT*WPIN?",
                                       "AT*WSTATLED?", "AT+WRST?", "AT+CBST?", "AT\\N?"};

const QList<QByteArray> kPike3Write = {"ATS0=2",   "AT*WPIN=1,\"1234\"", "AT*WSTATLED=1", "AT+WRST=1,\"024:00\"",
                                        "AT+CBST=71,0,1", "AT\\N5", "AT%C2", "AT&W"};

TEST_F(BasicPageTest, ReadFillsRecordControlsAndPinButtons)
{
    AnswerVerbose();
    logic.Create();
    EXPECT_TRUE(logic.Command(BasicCommand::Read));

    EXPECT_EQ(Commands(), kPike3Read);
    const ConstBasicRecordView r(session.basicRecord);
    EXPECT_EQ(r.Rings(), 2);
    EXPECT_EQ(r.Compression(), 1);
    EXPECT_EQ(r.AutoPinEnabled(), 1);
    EXPECT_EQ(r.AutoPinCode(), QByteArray("1234"));
    EXPECT_EQ(r.StatusLed(), 1);
    EXPECT_EQ(r.ResetEnabled(), 1);
    EXPECT_EQ(r.ResetDelay(), QByteArray("024:00"));
    EXPECT_EQ(r.BearerSpeed(), 14);
    EXPECT_EQ(r.BearerCe(), 1);
    EXPECT_EQ(r.ErrorCorrection(), 1);

    EXPECT_EQ(logic.form.rings.text, QString("002"));
    EXPECT_EQ(logic.form.bearerSpeed.CurrentText(), QString("71 - 9600 bps (V.110)"));
    EXPECT_EQ(logic.form.compression.CurrentText(), QString("2 - V42bis compression"));
    EXPECT_EQ(logic.form.errorCorrection.CurrentText(), QString("5 - MNP error correction"));
    EXPECT_EQ(logic.form.statusLed.CurrentText(), QString("1 - Signal strength"));
    EXPECT_TRUE(logic.form.reset.checked);
    EXPECT_TRUE(logic.form.resetDelay.enabled);
    EXPECT_EQ(logic.form.timeToReset.text, QString("023:59"));
    EXPECT_TRUE(logic.form.autoPin.checked);
    EXPECT_EQ(logic.form.autoPinCode.text, QString("1234"));

    EXPECT_FALSE(logic.form.enterPin.enabled);
    EXPECT_TRUE(logic.form.changePin.enabled);
    EXPECT_TRUE(logic.form.activatePin.enabled);
    EXPECT_EQ(logic.form.activatePin.caption, QString("Disable PIN"));
    EXPECT_TRUE(logic.PinEnabled());
    EXPECT_TRUE(logic.form.dtrTest.enabled);

    EXPECT_EQ(logic.Snapshot(), session.basicRecord);
    EXPECT_FALSE(session.Flags(PageId::Basic).modified);
    EXPECT_FALSE(session.Flags(PageId::Basic).mustRead);
    EXPECT_TRUE(logic.Unchanged());
    EXPECT_EQ(host.windows, QStringList{"Transfering data"});
    EXPECT_EQ(host.openWindows, 0);
    EXPECT_FALSE(session.Busy());
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(BasicPageTest, OlderModelsNeverSeeAutoPinOrStatusLed)
{
    session.SetIdentity(Model::Orca1Us, false, false);
    AnswerVerbose();
    logic.Create();
    EXPECT_FALSE(logic.form.autoPinGroup.visible);
    EXPECT_FALSE(logic.form.autoPin.visible);
    EXPECT_FALSE(logic.form.autoPinCode.visible);
    EXPECT_FALSE(logic.form.embeddedAppGroup.visible);
    EXPECT_FALSE(logic.form.embeddedApp.visible);
    EXPECT_TRUE(logic.Command(BasicCommand::Read));
    AcceptWrites({"ATS0=2", "AT+WRST=1,\"024:00\"", "AT+CBST=71,0,1", "AT\\N5", "AT%C2", "AT&W"});
    EXPECT_TRUE(logic.Command(BasicCommand::Write));
    for (const QByteArray &c : Commands()) {
        EXPECT_FALSE(c.startsWith("AT*WPIN")) << c.constData();
        EXPECT_FALSE(c.startsWith("AT*WSTATLED")) << c.constData();
    }
}

TEST_F(BasicPageTest, EmbeddedAppCaptionFollowsTheFirmware)
{
    logic.Create();
    EXPECT_TRUE(logic.form.embeddedApp.visible);
    EXPECT_EQ(logic.form.embeddedApp.caption, QString("Disable"));
    session.SetIdentity(Model::Pike3, false, false);
    logic.Create();
    EXPECT_EQ(logic.form.embeddedApp.caption, QString("Enable"));
}

TEST_F(BasicPageTest, TimeoutEndsTheReadAtOnceAndDisablesThePage)
{
    AnswerVerbose();
    modem.Answer("AT%C?", QByteArray()); // no answer
    logic.Create();
    EXPECT_FALSE(logic.Command(BasicCommand::Read));
    EXPECT_EQ(Commands(), (QList<QByteArray>{"AT", "ATS0?", "AT%C?"}));
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: No answer from modem..."});
    for (const ControlState *c : std::initializer_list<const ControlState *>{&logic.form.write, &logic.form.factory,
                                  &logic.form.resetNow, &logic.form.rings, &logic.form.bearerSpeed,
                                  &logic.form.statusLed, &logic.form.enterPin, &logic.form.changePin,
                                  &logic.form.activatePin, &logic.form.resetDelay, &logic.form.dtrTest})
        EXPECT_FALSE(c->enabled);
    EXPECT_TRUE(logic.form.read.enabled);
    EXPECT_FALSE(session.Busy());
    EXPECT_EQ(host.openWindows, 0);

    // While the pages are visited after a connect nobody is told.
    prompts.Clear();
    session.SetReReading(true);
    EXPECT_FALSE(logic.Command(BasicCommand::Read));
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(BasicPageTest, LostLinkFailsTheRead)
{
    logic.Create();
    const BasicSettingsRecord before = session.basicRecord;
    // The modem goes away right after the rings were read.
    port.SetResponder([this](const QByteArray &w) {
        if (w == "AT\r")
            pump.FeedAfter(&port, 1, "\r\nOK\r\n");
        else if (w == "ATS0?\r")
            pump.FeedAfter(&port, 1, "\r\n005\r\n\r\nOK\r\n");
        else if (w == "AT%C?\r")
            pump.After(1, [this] { port.Unplug(); });
    });
    EXPECT_FALSE(logic.Command(BasicCommand::Read));
    EXPECT_EQ(Commands(), (QList<QByteArray>{"AT", "ATS0?", "AT%C?"}));
    // "Modem disconnected during process!" is not read as settings.
    EXPECT_EQ(ConstBasicRecordView(session.basicRecord).Compression(), ConstBasicRecordView(before).Compression());
    EXPECT_EQ(ConstBasicRecordView(session.basicRecord).BearerSpeed(), ConstBasicRecordView(before).BearerSpeed());
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: No answer from modem..."});
    EXPECT_FALSE(session.Busy());
    EXPECT_EQ(host.openWindows, 0);
}

TEST_F(BasicPageTest, LostLinkFailsTheWrite)
{
    AnswerVerbose();
    logic.Create();
    ASSERT_TRUE(logic.Command(BasicCommand::Read));
    port.SetResponder([this](const QByteArray &w) {
        if (w == "AT\r")
            pump.FeedAfter(&port, 1, "\r\nOK\r\n");
        else if (w == "ATS0=2\r")
            pump.After(1, [this] { port.Unplug(); });
    });
    EXPECT_FALSE(logic.Command(BasicCommand::Write));
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: Unable to save settings..."});
    EXPECT_TRUE(session.Flags(PageId::Basic).mustRead == false);
}

TEST_F(BasicPageTest, SimStatusDecidesThePinButtons)
{
    struct Case {
        int sim;
        bool enterBefore;
        bool enterAfter;
    } cases[] = {{2, true, true}, {2, false, false}, {0, true, false}, {3, true, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sim);
        AnswerVerbose();
        session.SetSimStatus(c.sim);
        logic.Create();
        const int from = int(Commands().size());
        logic.form.enterPin.enabled = c.enterBefore;
        EXPECT_TRUE(logic.ReadFromModem());
        EXPECT_EQ(logic.form.enterPin.enabled, c.enterAfter);
        EXPECT_FALSE(logic.form.changePin.enabled);
        EXPECT_FALSE(logic.form.activatePin.enabled);
        EXPECT_FALSE(logic.form.dtrTest.enabled);
        EXPECT_FALSE(CommandsFrom(from).contains("AT+CLCK?"));
    }
}

TEST_F(BasicPageTest, RefusedAutoPinQueryDisablesItsControls)
{
    AnswerVerbose();
    modem.Answer("AT*WPIN?", "\r\nERROR\r\n");
    logic.Create();
    EXPECT_TRUE(logic.ReadFromModem());
    EXPECT_FALSE(logic.form.autoPin.enabled);
    EXPECT_FALSE(logic.form.autoPinCode.enabled);
    EXPECT_TRUE(Sent("AT*WSTATLED?")); // the read goes on
}

TEST_F(BasicPageTest, NumericModemIsSwitchedBackOnEveryPath)
{
    // Numeric: the probe's AT gets "0"; the page runs verbose in between.
    modem.SetEcho(true);
    AnswerVerbose();
    modem.Answer("AT", "0\r");
    modem.Answer("ATV1", "\r\nOK\r\n");
    modem.Answer("ATV0", "0\r");
    logic.Create();
    EXPECT_TRUE(logic.ReadFromModem());
    QList<QByteArray> expected = {"AT", "ATV1"};
    expected += kPike3Read.mid(1);
    expected += {"AT", "ATV0"};
    EXPECT_EQ(Commands(), expected);

    // A failing step restores too.
    const int from = int(Commands().size());
    modem.Answer("AT+WRST?", QByteArray());
    EXPECT_FALSE(logic.ReadFromModem());
    EXPECT_EQ(CommandsFrom(from).mid(CommandsFrom(from).size() - 3),
              (QList<QByteArray>{"AT+WRST?", "AT", "ATV0"}));
}

TEST_F(BasicPageTest, WriteSendsRecordAndListsThenStores)
{
    AnswerVerbose();
    AcceptWrites(kPike3Write);
    logic.Create();
    ASSERT_TRUE(logic.Command(BasicCommand::Read));
    const int from = int(Commands().size());
    EXPECT_TRUE(logic.Command(BasicCommand::Write));
    QList<QByteArray> expected = {"AT"};
    expected += kPike3Write;
    EXPECT_EQ(CommandsFrom(from), expected);
    EXPECT_FALSE(session.Flags(PageId::Basic).modified);
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(BasicPageTest, WriteSendsWhatTheListsShow)
{
    AnswerVerbose();
    logic.Create();
    ASSERT_TRUE(logic.Command(BasicCommand::Read));
    logic.form.bearerSpeed.current = 8; // "12 -  9600 bps (V.34)"
    logic.form.bearerCe.current = 3;
    logic.form.errorCorrection.current = 0;
    logic.form.compression.current = 0;
    logic.form.autoPin.checked = false;
    logic.Command(BasicCommand::AutoPinToggled);
    AcceptWrites({"ATS0=2", "AT*WPIN=0", "AT*WSTATLED=1", "AT+WRST=1,\"024:00\"", "AT+CBST=12,0,3", "AT\\N0",
                  "AT%C0", "AT&W"});
    EXPECT_TRUE(logic.Command(BasicCommand::Write));
    EXPECT_TRUE(Sent("AT+CBST=12,0,3"));
    EXPECT_TRUE(Sent("AT*WPIN=0"));
    EXPECT_TRUE(Sent("AT%C0"));
}

TEST_F(BasicPageTest, WriteFailureStopsAndSays)
{
    AnswerVerbose();
    AcceptWrites(kPike3Write);
    modem.Answer("AT+WRST=1,\"024:00\"", "\r\nERROR\r\n"); // success-only: runs into the timeout
    logic.Create();
    ASSERT_TRUE(logic.Command(BasicCommand::Read));
    const int from = int(Commands().size());
    EXPECT_FALSE(logic.Command(BasicCommand::Write));
    EXPECT_EQ(CommandsFrom(from).last(), QByteArray("AT+WRST=1,\"024:00\""));
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: Unable to save settings..."});
}

TEST_F(BasicPageTest, NumericWriteRestoresAndStoresTheModeButOnlyACompleteWriteSucceeds)
{
    modem.SetEcho(true);
    AnswerVerbose();
    AcceptWrites(kPike3Write);
    logic.Create();
    ASSERT_TRUE(logic.Command(BasicCommand::Read));
    modem.Answer("AT", "0\r");
    modem.Answer("ATV1", "\r\nOK\r\n");
    modem.Answer("ATV0", "0\r");
    modem.Answer("AT&W", "\r\nOK\r\n");

    int from = int(Commands().size());
    EXPECT_TRUE(logic.WriteToModem());
    QList<QByteArray> expected = {"AT", "ATV1"};
    expected += kPike3Write;
    expected += {"ATV0", "AT&W"};
    EXPECT_EQ(CommandsFrom(from), expected);

    // A refused step: numeric codes are restored and stored all the same,
    // and the write reports the failure.
    modem.Answer("AT\\N5", QByteArray());
    from = int(Commands().size());
    EXPECT_FALSE(logic.WriteToModem());
    const QList<QByteArray> sent = CommandsFrom(from);
    EXPECT_FALSE(sent.contains("AT%C2"));
    EXPECT_EQ(sent.mid(sent.size() - 3), (QList<QByteArray>{"AT\\N5", "ATV0", "AT&W"}));
}

TEST_F(BasicPageTest, StoreTimeoutReturnsAtOnceWithoutTheRestore)
{
    modem.SetEcho(true);
    AnswerVerbose();
    // The defaults' commands, all answered but the store.
    AcceptWrites({"ATS0=2", "AT*WPIN=0", "AT*WSTATLED=0", "AT+WRST=0,\"024:00\"", "AT+CBST=0,0,1", "AT\\N0",
                  "AT%C0"});
    modem.Answer("AT", "0\r");
    modem.Answer("ATV1", "\r\nOK\r\n");
    logic.Create();
    session.Flags(PageId::Basic).mustRead = false;
    logic.RecordToControls(session.basicRecord);
    EXPECT_FALSE(logic.WriteToModem());
    EXPECT_EQ(Commands().last(), QByteArray("AT&W"));
    EXPECT_FALSE(Sent("ATV0"));
    EXPECT_FALSE(session.Busy());
    EXPECT_EQ(host.openWindows, 0);
}

struct ValidationCase {
    const char *name;
    QString rings;
    bool resetOn;
    QString delay;
    QString message; // empty: accepted
};

void PrintTo(const ValidationCase &c, std::ostream *os)
{
    *os << c.name;
}

class BasicValidation : public BasicPageTest, public testing::WithParamInterface<ValidationCase> {};

TEST_P(BasicValidation, RefusedBeforeAnythingIsSent)
{
    const ValidationCase &c = GetParam();
    logic.Create();
    session.Flags(PageId::Basic).mustRead = false;
    logic.RecordToControls(session.basicRecord);
    logic.form.rings.text = c.rings;
    logic.form.reset.checked = c.resetOn;
    logic.form.resetDelay.text = c.delay;
    logic.ChangeHook();
    EXPECT_EQ(logic.ValidateSettings(), c.message);
    if (!c.message.isEmpty()) {
        EXPECT_FALSE(logic.Command(BasicCommand::Write));
        EXPECT_EQ(prompts.Texts(), QStringList{c.message});
        EXPECT_TRUE(port.Writes().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, BasicValidation,
    testing::Values(ValidationCase{"rings 256", "256", false, "024:00", "Rings to auto-answer: \"256\" is not valid."},
                    ValidationCase{"rings 255", "255", true, "024:00", ""},
                    ValidationCase{"reset off, any delay", "2", false, "x", ""},
                    ValidationCase{"reset on, short hours", "2", true, "24:00",
                                   "Reset - Delay: \"24:00\" is not valid."},
                    ValidationCase{"rings checked first", "999", true, "24:00",
                                   "Rings to auto-answer: \"999\" is not valid."}),
    [](const testing::TestParamInfo<ValidationCase> &info) {
        QString name = QString::fromLatin1(info.param.name);
        name.replace(QRegularExpression("[^A-Za-z0-9]"), "_");
        return name.toStdString();
    });

TEST_F(BasicPageTest, ChangeHookKeepsRecordAndModifiedInStep)
{
    AnswerVerbose();
    logic.Create();
    // Before the first read the controls do not reach the record.
    logic.form.rings.text = "009";
    logic.Command(BasicCommand::RingsEdited);
    EXPECT_EQ(ConstBasicRecordView(session.basicRecord).Rings(), 2);
    EXPECT_FALSE(session.Flags(PageId::Basic).modified);

    ASSERT_TRUE(logic.Command(BasicCommand::Read));
    const int updates = host.barUpdates;
    logic.form.rings.text = "005";
    logic.Command(BasicCommand::RingsEdited);
    EXPECT_EQ(ConstBasicRecordView(session.basicRecord).Rings(), 5);
    EXPECT_TRUE(session.Flags(PageId::Basic).modified);
    EXPECT_FALSE(logic.Unchanged());
    EXPECT_EQ(host.barUpdates, updates + 1);
    // No change of `modified`, no update.
    logic.Command(BasicCommand::RingsEdited);
    EXPECT_EQ(host.barUpdates, updates + 1);
    // Back to what was read: unchanged again.
    logic.form.rings.text = "002";
    logic.Command(BasicCommand::RingsEdited);
    EXPECT_FALSE(session.Flags(PageId::Basic).modified);
    EXPECT_EQ(host.barUpdates, updates + 2);

    // Offline the status bar is not told.
    session.SetOffline(true);
    logic.form.rings.text = "003";
    logic.Command(BasicCommand::RingsEdited);
    EXPECT_TRUE(session.Flags(PageId::Basic).modified);
    EXPECT_EQ(host.barUpdates, updates + 2);
}

TEST_F(BasicPageTest, ControlsAndRecordRoundTrip)
{
    logic.Create();
    BasicSettingsRecord record;
    BasicRecordView r(record);
    r.SetRings(7);
    r.SetCompression(-1); // no item matched: shows V42bis
    r.SetErrorCorrection(9);
    r.SetBearerSpeed(8);
    r.SetBearerCe(2);
    r.SetAutoPinEnabled(1);
    r.SetAutoPinCode("4321");
    r.SetResetEnabled(0);
    r.SetResetDelay("010:00");
    record.SetInt(48, 0x7F000002); // only the low byte counts
    logic.RecordToControls(record);
    EXPECT_EQ(logic.form.rings.text, QString("007"));
    EXPECT_EQ(logic.form.compression.current, 1);
    EXPECT_EQ(logic.form.errorCorrection.current, -1);
    EXPECT_EQ(logic.form.bearerSpeed.current, 8);
    EXPECT_EQ(logic.form.bearerCe.current, 2);
    EXPECT_TRUE(logic.form.autoPin.checked);
    EXPECT_TRUE(logic.form.autoPinCode.enabled);
    EXPECT_EQ(logic.form.autoPinCode.text, QString("4321"));
    EXPECT_FALSE(logic.form.reset.checked);
    EXPECT_FALSE(logic.form.resetDelay.enabled);
    EXPECT_EQ(logic.form.resetDelay.text, QString("010:00"));
    EXPECT_EQ(logic.form.statusLed.current, 2);

    BasicSettingsRecord back = record;
    logic.form.statusLed.current = -1; // nothing selected: the field stays
    logic.form.autoPin.checked = false;
    logic.ControlsToRecord(back);
    EXPECT_FALSE(logic.form.autoPinCode.enabled);
    EXPECT_EQ(back.Int(48), 0x7F000002);
    EXPECT_EQ(ConstBasicRecordView(back).Compression(), 1);
    EXPECT_EQ(ConstBasicRecordView(back).Rings(), 7);
    EXPECT_EQ(ConstBasicRecordView(back).AutoPinEnabled(), 0);
    // The reserved bytes are never touched.
    record.SetInt(60, 12345);
    back = record;
    logic.ControlsToRecord(back);
    EXPECT_EQ(back.Int(60), 12345);
}

TEST_F(BasicPageTest, ProfileShownCountsAsModifiedUntilWritten)
{
    AnswerVerbose();
    AcceptWrites(kPike3Write);
    BasicRecordView(session.basicRecord).SetRings(9);
    session.Flags(PageId::Basic).profilePending = true;
    session.Flags(PageId::Basic).modified = true;
    logic.Activate();
    EXPECT_TRUE(port.Writes().isEmpty()); // shown, not read
    EXPECT_EQ(logic.form.rings.text, QString("009"));
    EXPECT_FALSE(session.Flags(PageId::Basic).profilePending);
    EXPECT_FALSE(session.Flags(PageId::Basic).mustRead);
    EXPECT_TRUE(session.Flags(PageId::Basic).modified);
    // Leaving and coming back keeps it so.
    session.Flags(PageId::Basic).modified = false;
    logic.Activate();
    EXPECT_TRUE(session.Flags(PageId::Basic).modified);
    AcceptWrites({"ATS0=9", "AT*WPIN=0", "AT*WSTATLED=0", "AT+WRST=0,\"024:00\"", "AT+CBST=71,0,1", "AT\\N5",
                  "AT%C2", "AT&W"});
    logic.form.bearerSpeed.current = 14;
    logic.form.bearerCe.current = 1;
    logic.form.errorCorrection.current = 1;
    logic.form.compression.current = 1;
    EXPECT_TRUE(logic.Command(BasicCommand::Write));
    EXPECT_FALSE(session.Flags(PageId::Basic).modified);
    logic.Activate();
    EXPECT_FALSE(session.Flags(PageId::Basic).modified);
}

TEST_F(BasicPageTest, FirstActivationReadsAndTooltipsFollowTheOption)
{
    AnswerVerbose();
    session.options.tooltip = 0;
    logic.Activate();
    EXPECT_TRUE(logic.Created());
    EXPECT_EQ(Commands(), kPike3Read);
    EXPECT_FALSE(logic.form.tooltips);
    // Shown again: no second read.
    session.options.tooltip = 1;
    logic.Activate();
    EXPECT_EQ(Commands(), kPike3Read);
    EXPECT_TRUE(logic.form.tooltips);
}

TEST_F(BasicPageTest, OfflinePageHasNoModemButtons)
{
    session.SetConnected(false);
    session.SetOffline(true);
    session.Flags(PageId::Basic).profilePending = true;
    logic.Activate();
    for (const ControlState *c : std::initializer_list<const ControlState *>{
             &logic.form.enterPin, &logic.form.changePin, &logic.form.activatePin,
          &logic.form.write, &logic.form.read, &logic.form.resetNow, &logic.form.dtrActivate,
          &logic.form.dtrDeactivate, &logic.form.dtrTest, &logic.form.dtrEvent, &logic.form.factory,
          &logic.form.embeddedApp})
        EXPECT_FALSE(c->enabled);
    EXPECT_TRUE(logic.form.rings.enabled); // the record can still be edited
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(BasicPageTest, ResetCheckBoxSteersTheDelay)
{
    AnswerVerbose();
    logic.Activate();
    logic.form.reset.checked = false;
    logic.Command(BasicCommand::ResetToggled);
    EXPECT_FALSE(logic.form.resetDelay.enabled);
    EXPECT_TRUE(logic.form.timeToReset.text.isEmpty());
    EXPECT_EQ(ConstBasicRecordView(session.basicRecord).ResetEnabled(), 0);
    logic.form.reset.checked = true;
    logic.Command(BasicCommand::ResetToggled);
    EXPECT_TRUE(logic.form.resetDelay.enabled);
}

TEST_F(BasicPageTest, EnableControlsLeavesReadAndThePinButtons)
{
    logic.Create();
    logic.form.enterPin.enabled = false;
    logic.form.resetDelay.enabled = false;
    logic.EnableControls(true);
    EXPECT_TRUE(logic.form.write.enabled);
    EXPECT_TRUE(logic.form.dtrTest.enabled);
    EXPECT_TRUE(logic.form.timeToReset.enabled);
    EXPECT_FALSE(logic.form.enterPin.enabled);
    EXPECT_FALSE(logic.form.resetDelay.enabled);
    logic.form.read.enabled = false;
    logic.EnableControls(false);
    logic.form.read.enabled = true;
    EXPECT_FALSE(logic.form.write.enabled);
    EXPECT_FALSE(logic.form.enterPin.enabled);
    EXPECT_TRUE(logic.form.embeddedApp.enabled); // not one of them
}

TEST_F(BasicPageTest, ResetNowAsksAndAlwaysClosesTheLink)
{
    logic.Create();
    prompts.AnswerQuestion(false);
    logic.Command(BasicCommand::ResetNow);
    EXPECT_TRUE(port.Writes().isEmpty());
    EXPECT_TRUE(session.Connected());
    EXPECT_EQ(prompts.Texts(),
              QStringList{"Warning: all unsaved changes will be lost.\n\rThe modem will reset and the connection will "
                          "be closed.\n\rDo you wish to continue?"});

    prompts.AnswerQuestion(true);
    logic.Command(BasicCommand::ResetNow); // the modem does not even answer
    EXPECT_EQ(Commands(), QList<QByteArray>{"AT+CFUN=1"});
    EXPECT_FALSE(session.LinkUp());
    EXPECT_FALSE(port.PortOpen());
    EXPECT_EQ(host.windows, QStringList{"Resetting modem."});
    EXPECT_EQ(host.openWindows, 0);
    EXPECT_FALSE(session.Busy());
}

TEST_F(BasicPageTest, EmbeddedAppSwitchesByTheFirmware)
{
    for (const int maker : {1, 0}) {
        port.SetPortOpen(true);
        session.SetConnected(true);
        session.SetIdentity(Model::Pike3, maker == 1, false);
        logic.Create();
        prompts.AnswerQuestion(true);
        const int from = int(Commands().size());
        modem.Answer(maker ? "AT+WOPEN=0" : "AT+WOPEN=1", "\r\nOK\r\n");
        logic.Command(BasicCommand::EmbeddedApp);
        EXPECT_EQ(CommandsFrom(from), QList<QByteArray>{maker ? "AT+WOPEN=0" : "AT+WOPEN=1"});
        EXPECT_FALSE(session.LinkUp());
    }
}

TEST_F(BasicPageTest, BusyOrClosedLinkSendsNothing)
{
    AnswerVerbose();
    logic.Create();
    session.SetBusy(true);
    EXPECT_FALSE(logic.ReadFromModem());
    EXPECT_FALSE(logic.WriteToModem());
    logic.Factory();
    prompts.AnswerQuestion(true);
    logic.ResetNow();
    EXPECT_TRUE(port.Writes().isEmpty());
    EXPECT_TRUE(session.Busy());
    session.SetBusy(false);
    session.SetConnected(false);
    EXPECT_FALSE(logic.ReadFromModem());
    EXPECT_TRUE(port.Writes().isEmpty());
}

TEST_F(BasicPageTest, FactoryFollowsThePortsFactoryRateAndFramingAndReadsAgain)
{
    session.SetLine(PortSettings{115200, 'E', 7, 2});
    port.SetSettings("115200,E,7,2");
    AnswerVerbose();
    modem.Answer("AT&F", "\r\nOK\r\n");
    modem.Answer("AT&W", "\r\nOK\r\n");
    logic.Create();
    session.Flags(PageId::Basic).mustRead = false;
    logic.Command(BasicCommand::Factory);
    EXPECT_EQ(port.Settings(), QString("9600,N,8,1"));
    EXPECT_EQ(host.portShown, QString("9600,N,8,1"));
    EXPECT_EQ(session.PollUnit(), 40);
    QList<QByteArray> expected = {"AT&F", "AT&W"};
    expected += kPike3Read;
    EXPECT_EQ(Commands(), expected);
    EXPECT_TRUE(session.Flags(PageId::Serial).mustRead);
    EXPECT_TRUE(session.Flags(PageId::Gprs).mustRead);
    EXPECT_FALSE(session.Flags(PageId::Basic).mustRead); // read again
    EXPECT_EQ(host.openWindows, 0);
    EXPECT_FALSE(session.Busy());
}

TEST_F(BasicPageTest, FactoryOnOlderModelsKeepsThePort)
{
    session.SetIdentity(Model::Orca1, false, false);
    session.SetLine(PortSettings{19200, 'N', 8, 1});
    port.SetSettings("19200,N,8,1");
    AnswerVerbose();
    modem.Answer("AT&F", "\r\nOK\r\n");
    modem.Answer("AT&W", "\r\nOK\r\n");
    logic.Create();
    logic.Command(BasicCommand::Factory);
    EXPECT_EQ(port.Settings(), QString("19200,N,8,1"));
    EXPECT_TRUE(Sent("AT&W"));

    // An unanswered AT&F stores nothing but still reads the page again.
    const int from = int(Commands().size());
    modem.Answer("AT&F", QByteArray());
    logic.Command(BasicCommand::Factory);
    EXPECT_EQ(CommandsFrom(from).mid(0, 2), (QList<QByteArray>{"AT&F", "AT"}));
}

} // namespace
