#include "pages/serialsettingsfixture.h"
#include "support/fakemodem.h"
#include "support/fixtures.h"

using namespace telvio;
using namespace telvio::test;

namespace {

QByteArray Dump(const char *name)
{
    return ReadFixture(QStringLiteral("serial-dumps/") + QLatin1String(name));
}

// The lists in record order, for comparing whole pages at once.
QList<int> Positions(const SerialSettingsForm &form)
{
    QList<int> p;
    for (SerialField f : kSerialFields)
        p << form.List(f).current;
    return p;
}

QList<int> RecordPositions(const SerialSettingsRecord &record)
{
    QList<int> p;
    for (SerialField f : kSerialFields)
        p << SerialValue(record, f);
    return p;
}

//                                echo stop V  DSR DTR DCD DTEbyDCE DCEbyDTE parity data rate Q
const QList<int> kVerboseEchoDump = {1, 0, 1, 0, 1, 0, 0, 1, 1, 1, 10, 1};

class SerialRead : public SerialPageTest {
protected:
    FakeModem modem{&port, &pump};
};

TEST_F(SerialRead, FillsTheListsFromTheDumpTheLineAndTheProbe)
{
    modem.Answer("at&v", Dump("verbose-echo.txt"));
    modem.Answer("AT", "AT\r\r\nOK\r\n");
    port.SetDsr(true);
    session.SetQuiet(1);
    const SerialSettingsRecord before = session.serialRecord;

    ASSERT_TRUE(logic.ReadFromModem());
    EXPECT_EQ(Sent(), (QList<QByteArray>{"at&v", "AT"}));
    EXPECT_EQ(Positions(logic.form), kVerboseEchoDump);
    EXPECT_EQ(session.serialRecord, before); // the read fills the lists only
    EXPECT_FALSE(session.Busy());
    EXPECT_EQ(host.windows, QStringList{"Transfering data"});
    EXPECT_EQ(host.openWindows, 0);
}

TEST_F(SerialRead, PcPortTakesTheModemsParityOnly)
{
    modem.Answer("at&v", Dump("verbose-echo.txt")); // +IPR:115200 +ICF:5,1 (7E1)
    modem.Answer("AT", "\r\nOK\r\n");
    ASSERT_TRUE(logic.ReadFromModem());
    EXPECT_EQ(session.Parity(), QLatin1Char('E'));
    // Rate, data bits and stop bits of the PC stay as they were.
    EXPECT_EQ(port.Settings(), "9600,E,8,1");
    EXPECT_EQ(host.portShown, "9600,E,8,1");

    // Reading again with the letters equal leaves the port alone.
    host.portShown.clear();
    ASSERT_TRUE(logic.ReadFromModem());
    EXPECT_TRUE(host.portShown.isEmpty());
}

TEST_F(SerialRead, EchoIsWhatTheProbeShowsNotWhatTheDumpSays)
{
    modem.Answer("at&v", Dump("verbose-echo.txt")); // says E:1
    modem.Answer("AT", "\r\nOK\r\n");
    ASSERT_TRUE(logic.ReadFromModem());
    EXPECT_EQ(Selected(SerialField::Echo), 0);
    EXPECT_EQ(logic.form.List(SerialField::Echo).CurrentText(), "0 - Echo off");
    // No DSR on the line: the modem holds it off in command mode.
    EXPECT_EQ(Selected(SerialField::Dsr), 1);
}

TEST_F(SerialRead, NumericModemAutobauding)
{
    modem.Answer("at&v", Dump("numeric-no-echo.txt"));
    modem.Answer("AT", "0\r");
    ASSERT_TRUE(logic.ReadFromModem());
    EXPECT_EQ(logic.form.List(SerialField::DteRate).CurrentText(), "Auto");
    EXPECT_EQ(logic.form.List(SerialField::DataBits).CurrentText(), "7");
    EXPECT_EQ(logic.form.List(SerialField::StopBits).CurrentText(), "2");
    EXPECT_EQ(logic.form.List(SerialField::Parity).CurrentText(), "None");
    EXPECT_EQ(Selected(SerialField::ResponseFormat), 0);
    EXPECT_EQ(port.Settings(), "9600,N,8,1");
}

struct ReadFailure {
    const char *name;
    const char *dumpAnswer;  // nullptr: silence
    const char *probeAnswer; // nullptr: silence
    QList<QByteArray> sent;
    int responseFormat; // what the lists kept
};

void PrintTo(const ReadFailure &c, std::ostream *os)
{
    *os << c.name;
}

class SerialReadFailure : public SerialRead, public ::testing::WithParamInterface<ReadFailure> {};

TEST_P(SerialReadFailure, EndsAtOnceAndCleansUp)
{
    const ReadFailure &c = GetParam();
    if (c.dumpAnswer)
        modem.Answer("at&v", c.dumpAnswer);
    if (c.probeAnswer)
        modem.Answer("AT", c.probeAnswer);
    EXPECT_FALSE(logic.ReadFromModem());
    EXPECT_EQ(Sent(), c.sent);
    EXPECT_EQ(Selected(SerialField::ResponseFormat), c.responseFormat);
    EXPECT_EQ(Selected(SerialField::Echo), -1);
    EXPECT_FALSE(session.Busy());
    EXPECT_EQ(host.openWindows, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Exchanges, SerialReadFailure,
    ::testing::Values(ReadFailure{"no answer to the dump", nullptr, "\r\nOK\r\n", {"at&v"}, -1},
                      // "ERROR" is neither result the line-anchored exchange takes
                      ReadFailure{"error to the dump", "\r\nERROR\r\n", "\r\nOK\r\n", {"at&v"}, -1},
                      ReadFailure{"no answer to the probe", "V:1 &C:1 &D:2\r\nOK\r\n", nullptr, {"at&v", "AT"}, 1},
                      ReadFailure{"an OK inside a line is no end", "V:1 &C:1 xOK\r\n", "\r\nOK\r\n", {"at&v"}, -1}));

TEST_F(SerialRead, NothingIsSentWhileBusyOrUnconnected)
{
    modem.Answer("at&v", Dump("verbose-echo.txt"));
    session.SetBusy(true);
    EXPECT_FALSE(logic.ReadFromModem());
    EXPECT_TRUE(session.Busy());
    session.SetBusy(false);
    session.SetConnected(false);
    EXPECT_FALSE(logic.ReadFromModem());
    EXPECT_TRUE(port.Writes().isEmpty());
    EXPECT_TRUE(host.windows.isEmpty());
}

// ---------------------------------------------------------------------------
// The page window: creation, activation, the Read button

class SerialPageWindow : public SerialRead {
protected:
    void AnswerEverything()
    {
        modem.Answer("at&v", Dump("verbose-echo.txt"));
        modem.Answer("AT", "AT\r\r\nOK\r\n");
        port.SetDsr(true);
        session.SetQuiet(1);
    }
};

TEST_F(SerialPageWindow, FirstShowingReadsAndTakesTheSnapshot)
{
    AnswerEverything();
    Flags().modified = true;
    logic.Create();
    EXPECT_TRUE(Flags().mustRead);
    EXPECT_FALSE(Flags().modified);
    logic.Activate();
    EXPECT_FALSE(Flags().mustRead);
    EXPECT_FALSE(Flags().modified);
    EXPECT_EQ(RecordPositions(session.serialRecord), kVerboseEchoDump);
    EXPECT_EQ(logic.Snapshot(), session.serialRecord);
    EXPECT_TRUE(prompts.Log().isEmpty());
    // Shown again, the page does not read again.
    logic.Activate();
    EXPECT_EQ(port.Writes().size(), 2);
}

TEST_F(SerialPageWindow, FailedFirstReadDisablesAllButRead)
{
    logic.Create();
    logic.Activate();
    for (const ListState &list : logic.form.lists)
        EXPECT_FALSE(list.enabled);
    EXPECT_FALSE(logic.form.write.enabled);
    EXPECT_TRUE(logic.form.read.enabled);
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: No answer from modem..."});
    EXPECT_FALSE(Flags().mustRead);

    // A later Read that succeeds brings them back.
    AnswerEverything();
    prompts.Clear();
    EXPECT_TRUE(logic.Command(SerialCommand::Read));
    EXPECT_TRUE(logic.form.write.enabled);
    EXPECT_TRUE(logic.form.List(SerialField::DteRate).enabled);
    EXPECT_EQ(RecordPositions(session.serialRecord), kVerboseEchoDump);
    EXPECT_FALSE(Flags().modified);
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(SerialPageWindow, ReReadingAfterConnectStaysQuiet)
{
    session.SetReReading(true);
    logic.Create();
    logic.Activate();
    EXPECT_TRUE(prompts.Log().isEmpty());
    EXPECT_FALSE(logic.form.write.enabled);
}

TEST_F(SerialPageWindow, ReadButtonFailureTellsTheUser)
{
    logic.Create();
    Flags().mustRead = false;
    EXPECT_FALSE(logic.Command(SerialCommand::Read));
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: No answer from modem..."});
    EXPECT_FALSE(logic.form.List(SerialField::Echo).enabled);
}

TEST_F(SerialPageWindow, ButtonsPressedDuringATransferDoNothing)
{
    logic.Create();
    Flags().mustRead = false;
    session.SetBusy(true);
    EXPECT_FALSE(logic.Command(SerialCommand::Read));
    EXPECT_FALSE(logic.Command(SerialCommand::Write));
    EXPECT_TRUE(prompts.Log().isEmpty());
    EXPECT_TRUE(logic.form.write.enabled);
    EXPECT_TRUE(port.Writes().isEmpty());
}

TEST_F(SerialPageWindow, TooltipsFollowTheOption)
{
    session.options.tooltip = 0;
    session.SetConnected(false);
    logic.Activate();
    EXPECT_FALSE(logic.form.tooltips);
    session.options.tooltip = 1;
    logic.Activate();
    EXPECT_TRUE(logic.form.tooltips);
}

// ---------------------------------------------------------------------------
// The change hook

class SerialChangeHook : public SerialPageWindow {
protected:
    void SetUp() override
    {
        AnswerEverything();
        logic.Create();
        logic.Activate();
        host.barUpdates = 0;
    }
};

TEST_F(SerialChangeHook, ChoosingTheOldItemAgainClearsModified)
{
    Choose(SerialField::DteRate, 6);
    EXPECT_TRUE(Flags().modified);
    EXPECT_EQ(SerialValue(session.serialRecord, SerialField::DteRate), 6);
    EXPECT_EQ(host.barUpdates, 1);
    Choose(SerialField::DteRate, 6); // no change of the flag: no update
    EXPECT_EQ(host.barUpdates, 1);
    Choose(SerialField::DteRate, 10);
    EXPECT_FALSE(Flags().modified);
    EXPECT_EQ(host.barUpdates, 2);
}

TEST_F(SerialChangeHook, TwoStopBitsTurnParityToNone)
{
    ASSERT_EQ(logic.form.List(SerialField::Parity).CurrentText(), "Even");
    Choose(SerialField::StopBits, 1);
    EXPECT_EQ(logic.form.List(SerialField::Parity).CurrentText(), "None");
    EXPECT_EQ(SerialValue(session.serialRecord, SerialField::Parity), 4);
    EXPECT_EQ(SerialValue(session.serialRecord, SerialField::StopBits), 1);
    // One stop bit again: parity stays where the user left it.
    Choose(SerialField::StopBits, 0);
    Choose(SerialField::Parity, 2);
    EXPECT_EQ(SerialValue(session.serialRecord, SerialField::Parity), 2);
}

TEST_F(SerialChangeHook, RecordIsNotTouchedBeforeTheFirstRead)
{
    Flags().mustRead = true;
    const SerialSettingsRecord before = session.serialRecord;
    Choose(SerialField::Dtr, 0);
    EXPECT_EQ(session.serialRecord, before);
    EXPECT_FALSE(Flags().modified);
}

// ---------------------------------------------------------------------------
// Profiles and offline editing

TEST_F(SerialPageTest, ProfileShowsEachFieldInItsOwnList)
{
    session.SetDefaults();
    SetSerialValue(session.serialRecord, SerialField::DteByDce, 1);
    session.serialRecord.SetInt(60, 77); // reserved words ride along untouched
    Flags().profilePending = true;
    logic.Activate();
    EXPECT_EQ(logic.form.List(SerialField::DteByDce).CurrentText(), "2 - CTS");
    EXPECT_EQ(logic.form.List(SerialField::DceByDte).CurrentText(), "0 - None");
    EXPECT_EQ(logic.form.List(SerialField::DteRate).CurrentText(), "115200");
    EXPECT_EQ(logic.form.List(SerialField::Parity).CurrentText(), "None");
    EXPECT_FALSE(Flags().profilePending);
    EXPECT_FALSE(Flags().mustRead);
    EXPECT_TRUE(port.Writes().isEmpty());
    // Against the zeroed snapshot the profile counts as modified.
    logic.Command(SerialCommand::ListChosen);
    EXPECT_TRUE(Flags().modified);
    EXPECT_EQ(session.serialRecord.Int(60), 77);
}

TEST_F(SerialPageTest, OfflineTheListsEditTheRecordOnly)
{
    session.SetConnected(false);
    session.SetOffline(true);
    session.SetDefaults();
    Flags().profilePending = true;
    logic.Activate();
    EXPECT_FALSE(logic.form.read.enabled);
    EXPECT_FALSE(logic.form.write.enabled);
    EXPECT_TRUE(logic.form.List(SerialField::Echo).enabled);
    Choose(SerialField::Echo, 0);
    EXPECT_EQ(SerialValue(session.serialRecord, SerialField::Echo), 0);
    EXPECT_EQ(host.barUpdates, 0);
    EXPECT_TRUE(port.Writes().isEmpty());
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(SerialPageTest, RemovedPageIsMadeAnewWhenShownAgain)
{
    session.SetConnected(false);
    session.SetOffline(true);
    logic.Activate();
    EXPECT_FALSE(logic.form.write.enabled);
    logic.Reset();
    EXPECT_FALSE(logic.Created());
    session.SetOffline(false);
    session.SetConnected(true);
    FakeModem modem{&port, &pump};
    modem.Answer("at&v", Dump("verbose-echo.txt"));
    modem.Answer("AT", "\r\nOK\r\n");
    logic.Activate();
    EXPECT_TRUE(logic.form.write.enabled);
    EXPECT_EQ(logic.form.List(SerialField::DteRate).CurrentText(), "115200");
}

} // namespace
