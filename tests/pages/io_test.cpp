// The I/O page and its entry dialog: parsers, the entry command, read and
// writes on the in-memory line, and the dialog's captions and storing.
#include "link/core/modemsession.h"
#include "pages/core/commandargument.h"
#include "pages/core/ioentrylogic.h"
#include "pages/core/iologic.h"
#include "pages/core/ioparsers.h"
#include "pages/core/iorecord.h"
#include "pages/pagehost.h"
#include "support/fakemodem.h"
#include "support/memoryport.h"
#include "support/scriptedprompter.h"
#include "support/scriptedpump.h"

#include <gtest/gtest.h>

using namespace telvio;
using namespace telvio::test;

namespace {

std::string TestName(const char *name)
{
    std::string s = name;
    for (char &c : s)
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return s;
}

// ---------------------------------------------------------------------------
// Parsers

QByteArray EntryAnswer(const QByteArray &service, const QByteArray &flag, const QByteArray &data2 = "")
{
    return "\r\nIO4_Service=" + service + "\r\n\r\nIO4_Flag=" + flag
        + "\r\n\r\nIO4_Timeout=12\r\n\r\nIO4_Priority=YES\r\n\r\nIO4_Data1=+4670\r\n\r\nIO4_Data2=" + data2
        + "\r\n\r\nIO4_Data3=\r\n\r\nIO4_Data4=1\r\n\r\nIO4_Data5=\r\n\r\nIO4_Data6=\r\n\r\nOK\r\n";
}

struct ListMatchCase {
    const char *name;
    QByteArray service;
    QByteArray flag;
    int serviceIndex;
    int retryIndex;
};

void PrintTo(const ListMatchCase &c, std::ostream *os)
{
    *os << c.name;
}

class IoEntryListMatch : public ::testing::TestWithParam<ListMatchCase> {};

TEST_P(IoEntryListMatch, ValueSelectsTheItemItBegins)
{
    const ListMatchCase &c = GetParam();
    const IoEntryAnswer e = ParseIoEntryAnswer(EntryAnswer(c.service, c.flag), iopagetext::kServices,
                                               iopagetext::kRetries);
    EXPECT_EQ(e.service, c.serviceIndex);
    EXPECT_EQ(e.retry, c.retryIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Io, IoEntryListMatch,
    ::testing::Values(ListMatchCase{"SMS and RETRY_3 not RETRY", "SMS", "RETRY_3", 2, 2},
                      ListMatchCase{"TRANS and plain RETRY", "TRANS", "RETRY", 7, 1},
                      ListMatchCase{"NONE and NO wrap to the first item", "NONE", "NO", 0, 0},
                      ListMatchCase{"letter case ignored", "cmd", "next_err", 6, 4},
                      ListMatchCase{"unknown values select nothing", "FAX", "ALWAYS", -1, -1},
                      ListMatchCase{"empty values select nothing", "", "", -1, -1}),
    [](const ::testing::TestParamInfo<ListMatchCase> &info) { return TestName(info.param.name); });

TEST(IoParsers, EntryFieldsAreTheirLinesCutToTheirLimits)
{
    const QByteArray longText(200, 'x');
    const IoEntryAnswer e = ParseIoEntryAnswer(EntryAnswer("SMS", "NO", "Door open, now" + longText),
                                               iopagetext::kServices, iopagetext::kRetries);
    EXPECT_EQ(e.time, "12");
    EXPECT_EQ(e.priority, 1);
    EXPECT_EQ(e.data[0], "+4670");
    EXPECT_EQ(e.data[1], ("Door open, now" + longText).left(160));
    EXPECT_EQ(e.data[3], "1");
    EXPECT_EQ(e.data[5], "");
    // Priority is YES or not; a missing key is an empty value.
    const IoEntryAnswer none = ParseIoEntryAnswer("\r\nIO1_Priority=NO\r\n", iopagetext::kServices,
                                                  iopagetext::kRetries);
    EXPECT_EQ(none.priority, 0);
    EXPECT_EQ(none.time, "");
    EXPECT_EQ(none.service, -1);
}

TEST(IoParsers, ParametersMatchTheirListsByValue)
{
    const IoForm f = IoForm::Initial();
    const IoParametersAnswer p = ParseIoParametersAnswer("\r\n*WIOP: TMIN=7,TMAX=2000,TYPE=2,TRIG=4,NORM=3\r\n\r\nOK\r\n",
                                                         f.trigType.items, f.trigLevel.items, f.outputCtrl.items);
    EXPECT_EQ(p.tp, "7");
    EXPECT_EQ(p.tc, "200"); // cut to the field's three digits
    EXPECT_EQ(f.trigType.items.value(p.trigType), "2 - PULSE");
    EXPECT_EQ(f.trigLevel.items.value(p.trigLevel), "4 - NEG");
    EXPECT_EQ(f.outputCtrl.items.value(p.outputCtrl), "3 - DCD");
    const IoParametersAnswer dtr =
        ParseIoParametersAnswer("*WIOP: TMIN=1,TMAX=1,TYPE=0,TRIG=0,NORM=4\r\n", f.trigType.items,
                                f.trigLevel.items, f.outputCtrl.items);
    EXPECT_EQ(f.outputCtrl.items.value(dtr.outputCtrl), "4 - DTR");
    // There is no output control 2.
    EXPECT_EQ(ParseIoParametersAnswer("NORM=2\r\n", f.trigType.items, f.trigLevel.items, f.outputCtrl.items).outputCtrl,
              -1);
}

TEST(IoParsers, EnableIsOnOnlyForALeadingOne)
{
    EXPECT_EQ(ParseIoEnableAnswer("\r\n*WIOE=1\r\n\r\nOK\r\n"), 1);
    EXPECT_EQ(ParseIoEnableAnswer("\r\n*WIOE=0\r\n\r\nOK\r\n"), 0);
    EXPECT_EQ(ParseIoEnableAnswer("\r\n*WIOE=\r\n"), 0);
    EXPECT_EQ(ParseIoEnableAnswer("AT*WIOE?\r\r\nOK\r\n"), 0);
}

struct TimeCase {
    const char *name;
    QByteArray typed;
    QByteArray stored;
};

void PrintTo(const TimeCase &c, std::ostream *os)
{
    *os << c.name;
}

class IoTimeNormalisation : public ::testing::TestWithParam<TimeCase> {};

TEST_P(IoTimeNormalisation, Stored)
{
    EXPECT_EQ(NormaliseIoTime(GetParam().typed), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Io, IoTimeNormalisation,
                         ::testing::Values(TimeCase{"above 255", "300", "255"}, TimeCase{"255 stays", "255", "255"},
                                           TimeCase{"256", "256", "255"}, TimeCase{"zero", "0", "0"},
                                           TimeCase{"empty", "", "0"}, TimeCase{"no number", "abc", "0"},
                                           TimeCase{"negative", "-5", "0"}, TimeCase{"in range stays", "12", "12"},
                                           TimeCase{"leading zeros stay", "007", "007"},
                                           TimeCase{"too long to convert", "99999999999999", "255"},
                                           TimeCase{"text after the number dropped", "7a", "7"},
                                           TimeCase{"blanks and sign dropped", " +12", "12"},
                                           TimeCase{"control character after the number dropped", "06\x0e", "06"}),
                         [](const ::testing::TestParamInfo<TimeCase> &info) { return TestName(info.param.name); });

struct ArgumentCase {
    const char *name;
    QByteArray text;
    bool sendable;
    QByteArray sent;
};

void PrintTo(const ArgumentCase &c, std::ostream *os)
{
    *os << c.name;
}

class CommandArguments : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(CommandArguments, QuotedOrRefused)
{
    QByteArray sent = "unchanged";
    EXPECT_EQ(CommandArgument(GetParam().text, &sent), GetParam().sendable);
    EXPECT_EQ(sent, GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(
    Io, CommandArguments,
    ::testing::Values(ArgumentCase{"plain number", "+46701234", true, "+46701234"},
                      ArgumentCase{"empty", "", true, ""},
                      ArgumentCase{"blank is quoted", "Door open", true, "\"Door open\""},
                      ArgumentCase{"comma is quoted", "a,b", true, "\"a,b\""},
                      ArgumentCase{"semicolon is quoted", "AT+CFUN=1;Z", true, "\"AT+CFUN=1;Z\""},
                      ArgumentCase{"double quote refused", "say \"hi\"", false, "unchanged"},
                      ArgumentCase{"CR refused", "a\rb", false, "unchanged"},
                      ArgumentCase{"LF refused", "a\nb", false, "unchanged"},
                      ArgumentCase{"Ctrl Z refused", "a\x1a", false, "unchanged"}),
    [](const ::testing::TestParamInfo<ArgumentCase> &info) { return TestName(info.param.name); });

// ---------------------------------------------------------------------------
// The page on the in-memory line

class IoPage : public ::testing::Test {
protected:
    IoPage()
    {
        pump.Attach(&session);
        port.SetSettings(QStringLiteral("9600,N,8,1"));
        port.SetPortOpen(true);
        session.SetConnected(true);
        session.SetPollUnit(9600);
        session.SetPrompter(&prompts);
        session.SetDefaults();
        modem.Answer("AT", "\r\nOK\r\n");
    }

    // Every entry NONE but entry 4 (row 4), an SMS one.
    void AnswerReads()
    {
        for (int n = 1; n <= 10; ++n) {
            const QByteArray p = "IO" + QByteArray::number(n) + '_';
            QByteArray a = "\r\n" + p + (n == 4 ? "Service=SMS" : "Service=NONE") + "\r\n\r\n" + p
                + (n == 4 ? "Flag=RETRY_3" : "Flag=NO") + "\r\n\r\n" + p + (n == 4 ? "Timeout=12" : "Timeout=0")
                + "\r\n\r\n" + p + (n == 4 ? "Priority=YES" : "Priority=NO") + "\r\n";
            for (int d = 1; d <= 6; ++d)
                a += "\r\n" + p + "Data" + QByteArray::number(d) + '=' + (n == 4 && d == 2 ? "Door open" : "")
                    + "\r\n";
            modem.Answer("AT*WIOL=" + QByteArray::number(n) + '?', a + "\r\nOK\r\n");
        }
        modem.Answer("AT*WIOP?", "\r\n*WIOP: TMIN=7,TMAX=20,TYPE=2,TRIG=3,NORM=4\r\n\r\nOK\r\n");
        modem.Answer("AT*WIOE?", "\r\n*WIOE=1\r\n\r\nOK\r\n");
    }
    void ReadPage()
    {
        AnswerReads();
        logic.Activate();
        ASSERT_FALSE(Flags().mustRead);
        ASSERT_TRUE(prompts.Texts().isEmpty());
    }
    void AnswerOk(const QList<QByteArray> &commands)
    {
        for (const QByteArray &c : commands)
            modem.Answer(c, "\r\nOK\r\n");
    }
    QList<QByteArray> SentSince(int from) const { return port.CommandLines().mid(from); }
    int Sent() const { return int(port.CommandLines().size()); }
    PageFlags &Flags() { return session.Flags(PageId::Io); }
    IoRecord &Record() { return session.ioRecord; }
    QByteArray Data(int d, int k) { return Record().Text(iofield::DataAt(d, k), iofield::kData[d].width); }

    MemoryPort port;
    ScriptedPump pump;
    PageHost host;
    ScriptedPrompter prompts;
    ModemSession session{&port, &host, &pump};
    FakeModem modem{&port, &pump};
    IoLogic logic{session, prompts};
};

const QByteArray kEmptyEntryTail = ",0,0 0,0,,,,,,";

TEST_F(IoPage, FirstShowingAsksForEntriesOneToTenThenParametersAndEnable)
{
    ReadPage();
    QList<QByteArray> expected = {"AT"};
    for (int n = 1; n <= 10; ++n)
        expected << "AT*WIOL=" + QByteArray::number(n) + '?';
    expected << "AT*WIOP?" << "AT*WIOE?";
    EXPECT_EQ(port.CommandLines(), expected);
    const IoRowForm &row4 = logic.form.rows[3];
    EXPECT_EQ(row4.service.CurrentText(), "SMS");
    EXPECT_EQ(row4.retry.CurrentText(), "RETRY_3");
    EXPECT_EQ(row4.time.text, "12");
    EXPECT_EQ(row4.priority.CurrentText(), "1");
    EXPECT_EQ(Data(1, 3), "Door open");
    EXPECT_EQ(logic.form.rows[0].service.CurrentText(), "NONE");
    EXPECT_EQ(logic.form.tp.text, "7");
    EXPECT_EQ(logic.form.tc.text, "20");
    EXPECT_EQ(logic.form.trigType.CurrentText(), "2 - PULSE");
    EXPECT_EQ(logic.form.trigLevel.CurrentText(), "3 - POS");
    EXPECT_EQ(logic.form.outputCtrl.CurrentText(), "4 - DTR");
    EXPECT_EQ(logic.form.enable.CurrentText(), "1 - Enable");
    EXPECT_FALSE(session.Busy());
    EXPECT_EQ(host.openWindows, 0);
    EXPECT_EQ(host.windows, QStringList{"Transfering data"});
}

TEST_F(IoPage, FailedReadDisablesAllButReadUntilAReadSucceeds)
{
    modem.Answer("AT*WIOL=1?", "\r\nERROR\r\n");
    logic.Activate();
    EXPECT_EQ(port.CommandLines(), (QList<QByteArray>{"AT", "AT*WIOL=1?"}));
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: Unable to retrieve settings..."});
    EXPECT_TRUE(logic.form.read.enabled);
    EXPECT_FALSE(logic.form.write.enabled);
    EXPECT_FALSE(logic.form.rows[9].edit.enabled);
    EXPECT_FALSE(logic.form.clearAll.enabled);
    EXPECT_FALSE(logic.form.saveEnable.enabled);
    EXPECT_FALSE(Flags().mustRead);
    AnswerReads();
    EXPECT_TRUE(logic.Command(IoCommand::Read));
    EXPECT_TRUE(logic.form.write.enabled);
    EXPECT_TRUE(logic.form.rows[9].edit.enabled);
    EXPECT_TRUE(logic.form.tp.enabled);
    EXPECT_EQ(prompts.Texts().size(), 1);
}

TEST_F(IoPage, NumericModemIsReadInVerboseCodesAndSwitchedBack)
{
    AnswerReads();
    modem.Answer("AT", "0\r");
    modem.Answer("ATV1", "\r\nOK\r\n");
    modem.Answer("ATV0", "0\r");
    logic.Create();
    ASSERT_TRUE(logic.Command(IoCommand::Read));
    const QList<QByteArray> sent = port.CommandLines();
    EXPECT_EQ(sent.mid(0, 2), (QList<QByteArray>{"AT", "ATV1"}));
    EXPECT_EQ(sent.mid(sent.size() - 2), (QList<QByteArray>{"AT", "ATV0"}));
    EXPECT_EQ(logic.form.rows[3].service.CurrentText(), "SMS");
}

TEST_F(IoPage, ReadRefusedWhileBusySendsNothing)
{
    logic.Create();
    session.SetBusy(true);
    EXPECT_FALSE(logic.ReadFromModem());
    EXPECT_EQ(Sent(), 0);
}

TEST_F(IoPage, TimesAreNormalisedWhenTheControlsGoIntoTheRecord)
{
    ReadPage();
    logic.form.rows[2].time.text = "300";
    logic.form.rows[3].time.text = "";
    logic.form.tp.text = "999";
    logic.Command(IoCommand::Edited);
    EXPECT_EQ(Record().Text(iofield::TimeAt(2), 4), "255");
    EXPECT_EQ(Record().Text(iofield::TimeAt(3), 4), "0");
    EXPECT_EQ(Record().Text(iofield::Tp, 4), "255");
    EXPECT_TRUE(Flags().modified);
    // The data fields are not on the page and are left alone.
    EXPECT_EQ(Data(1, 3), "Door open");
}

TEST_F(IoPage, ClearingRow4SendsNothingAndSavingItSendsTheClearedEntry)
{
    ReadPage();
    const int from = Sent();
    logic.Command(IoCommand::ClearEntry, 3);
    EXPECT_EQ(Sent(), from);
    EXPECT_EQ(logic.form.rows[3].service.CurrentText(), "NONE");
    EXPECT_EQ(logic.form.rows[3].time.text, "0");
    EXPECT_EQ(Data(1, 3), "");
    EXPECT_EQ(logic.form.tp.text, "7");
    AnswerOk({"AT*WIOL=4" + kEmptyEntryTail});
    EXPECT_TRUE(logic.Command(IoCommand::SaveEntry, 3));
    EXPECT_EQ(SentSince(from), (QList<QByteArray>{"AT", "AT*WIOL=4" + kEmptyEntryTail}));
    EXPECT_EQ(host.windows.last(), "Transfering data...");
}

TEST_F(IoPage, ClearAllEmptiesEveryEntryButNotTheParameters)
{
    ReadPage();
    const int from = Sent();
    logic.Command(IoCommand::ClearAll);
    EXPECT_EQ(Sent(), from);
    for (const IoRowForm &r : logic.form.rows)
        EXPECT_EQ(r.service.current, 0);
    EXPECT_EQ(logic.form.enable.current, 1);
}

struct SaveCase {
    const char *name;
    IoCommand command;
    int row;
    QList<QByteArray> sent;
};

void PrintTo(const SaveCase &c, std::ostream *os)
{
    *os << c.name;
}

class IoPageSaves : public IoPage, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(IoPageSaves, SendWhatTheButtonCovers)
{
    ReadPage();
    logic.form.outputCtrl.Select(2); // "3 - DCD"
    logic.Command(IoCommand::Edited);
    AnswerOk(GetParam().sent);
    const int from = Sent();
    EXPECT_TRUE(logic.Command(GetParam().command, GetParam().row));
    EXPECT_EQ(SentSince(from), QList<QByteArray>{"AT"} + GetParam().sent);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

QList<QByteArray> AllWrites()
{
    QList<QByteArray> all = {"AT*WIOP=7,20,2,3,3", "AT*WIOE=1"};
    for (int n = 1; n <= 10; ++n)
        all << (n == 4 ? QByteArray("AT*WIOL=4,2,2 12,1,,\"Door open\",,,,") : "AT*WIOL=" + QByteArray::number(n) + kEmptyEntryTail);
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    Io, IoPageSaves,
    ::testing::Values(SaveCase{"parameters with entry 1", IoCommand::SaveParameters, 0,
                               {"AT*WIOP=7,20,2,3,3", "AT*WIOL=1" + kEmptyEntryTail}},
                      SaveCase{"enable with entry 1", IoCommand::SaveEnable, 0,
                               {"AT*WIOE=1", "AT*WIOL=1" + kEmptyEntryTail}},
                      SaveCase{"row 4 quotes its text with a blank", IoCommand::SaveEntry, 3,
                               {"AT*WIOL=4,2,2 12,1,,\"Door open\",,,,"}},
                      SaveCase{"row 10", IoCommand::SaveEntry, 9, {"AT*WIOL=10" + kEmptyEntryTail}},
                      SaveCase{"write sends everything", IoCommand::Write, 0, AllWrites()}),
    [](const ::testing::TestParamInfo<SaveCase> &info) { return TestName(info.param.name); });

TEST_F(IoPage, WriteStopsAtTheFirstRefusalAndSaysSo)
{
    ReadPage();
    AnswerOk({"AT*WIOP=7,20,2,3,4", "AT*WIOE=1", "AT*WIOL=1" + kEmptyEntryTail});
    modem.Answer("AT*WIOL=2" + kEmptyEntryTail, "\r\nERROR\r\n");
    const int from = Sent();
    EXPECT_FALSE(logic.Command(IoCommand::Write));
    EXPECT_EQ(SentSince(from).size(), 5);
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: Unable to save settings..."});
    EXPECT_FALSE(session.Busy());
}

TEST_F(IoPage, DataThatWouldBreakTheCommandIsRefusedBeforeAnythingIsSent)
{
    ReadPage();
    Record().SetText(iofield::DataAt(5, 6), iofield::kData[5].width, "AT\r+CFUN=0");
    const int from = Sent();
    EXPECT_FALSE(logic.Command(IoCommand::Write));
    EXPECT_FALSE(logic.Command(IoCommand::SaveEntry, 6));
    EXPECT_EQ(Sent(), from);
    const QString message = "I/O Entry 7: Data 6 holds a double quote or a control character, which the modem "
                            "cannot take.";
    EXPECT_EQ(prompts.Texts(), (QStringList{message, message}));
    // Another row is still saved.
    AnswerOk({"AT*WIOL=1" + kEmptyEntryTail});
    EXPECT_TRUE(logic.Command(IoCommand::SaveEntry, 0));
}

TEST(IoEntryCommand, TimeThatIsNoNumberMakesNoCommand)
{
    // The page's controls normalise the time; the command is the last guard
    // for a record that never passed them.
    IoRecord record;
    record.SetText(iofield::TimeAt(2), iofield::NumberWidth, "1\r");
    QString problem;
    EXPECT_TRUE(IoLogic::EntryCommand(record, 2, &problem).isEmpty());
    EXPECT_EQ(problem, "I/O Entry 3: Time must be a number from 0 to 255.");
    record.SetText(iofield::TimeAt(2), iofield::NumberWidth, "007");
    EXPECT_EQ(IoLogic::EntryCommand(record, 2, &problem).left(16), "AT*WIOL=3,0,0 00");
}

TEST_F(IoPage, LongValuesFromTheModemAreCutToTheirFields)
{
    AnswerReads();
    modem.Answer("AT*WIOL=2?", "\r\nIO2_Service=CMD\r\n\r\nIO2_Timeout=12345\r\n\r\nIO2_Data1=" + QByteArray(40, '1')
                                   + "\r\n\r\nIO2_Data4=ABCDEF\r\n\r\nIO2_Data2=" + QByteArray(300, 'm') + "\r\n\r\nOK\r\n");
    logic.Activate();
    EXPECT_EQ(Data(0, 1), QByteArray(20, '1'));
    EXPECT_EQ(Data(1, 1), QByteArray(160, 'm'));
    EXPECT_EQ(Data(3, 1), "AB");
    EXPECT_EQ(Record().Text(iofield::TimeAt(1), 4), "123");
    // The neighbours are intact.
    EXPECT_EQ(Data(0, 2), "");
    EXPECT_EQ(Data(1, 0), "");
}

TEST_F(IoPage, EditOpensTheDialogOnTheEntryAndShowsTheRecordAfter)
{
    ReadPage();
    int opened = -1;
    logic.editEntry = [&](int k) {
        opened = k;
        Record().SetInt(iofield::ServiceAt(k), 6);
    };
    logic.Command(IoCommand::EditEntry, 5);
    EXPECT_EQ(opened, 5);
    EXPECT_EQ(logic.form.rows[5].service.CurrentText(), "CMD");
}

TEST_F(IoPage, ProfileIsShownInsteadOfAReadAndThePulseTimesStayAsTyped)
{
    logic.Create();
    Record().SetText(iofield::Tp, 4, "42");
    Record().SetInt(iofield::ServiceAt(9), 7);
    Flags().profilePending = true;
    logic.Activate();
    EXPECT_EQ(Sent(), 0);
    EXPECT_EQ(logic.form.tp.text, "42");
    EXPECT_EQ(logic.form.rows[9].service.CurrentText(), "TRANS");
    EXPECT_FALSE(Flags().mustRead);
    EXPECT_FALSE(Flags().profilePending);
}

TEST_F(IoPage, OfflineCreationGreysTheTransfers)
{
    session.SetOffline(true);
    logic.Create();
    EXPECT_FALSE(logic.form.read.enabled);
    EXPECT_FALSE(logic.form.write.enabled);
    EXPECT_FALSE(logic.form.saveParameters.enabled);
    EXPECT_FALSE(logic.form.rows[3].save.enabled);
    EXPECT_TRUE(logic.form.rows[3].edit.enabled);
}

TEST(IoForm, RowsAreMadeFromOneDescription)
{
    const IoForm f = IoForm::Initial();
    EXPECT_EQ(f.rows[0].label, "1:");
    EXPECT_EQ(f.rows[9].label, "10:");
    EXPECT_EQ(f.rows[9].service.tooltip, "Service for I/O Entry 10");
    EXPECT_EQ(f.rows[6].time.tooltip,
              "Timeout I/O Entry 7.\n\r0: The service will no be terminated.\n\r1-255: Timeout specified in units of "
              "10s.");
    EXPECT_EQ(f.rows[1].save.tooltip, "Save I/O Entry 2");
    EXPECT_EQ(f.rows[2].clear.tooltip, "Clear I/O Entry 3");
    EXPECT_EQ(f.rows[3].edit.tooltip, "Edit I/O Entry 4");
    EXPECT_EQ(f.rows[4].time.maxLength, 3);
    EXPECT_EQ(f.outputCtrl.items, (QStringList{"0 - NO", "1 - OPEN", "3 - DCD", "4 - DTR"}));
}

// ---------------------------------------------------------------------------
// The entry dialog

struct CaptionCase {
    const char *name;
    int service;
    std::array<const char *, 6> captions;
};

void PrintTo(const CaptionCase &c, std::ostream *os)
{
    *os << c.name;
}

class IoEntryCaptions : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(IoEntryCaptions, NameAndEnableTheDataFields)
{
    IoRecord record;
    record.SetInt(iofield::ServiceAt(2), GetParam().service);
    IoEntryLogic dialog(record, 2, true);
    for (int d = 0; d < 6; ++d) {
        const QString caption = QString::fromLatin1(GetParam().captions[size_t(d)]);
        EXPECT_EQ(dialog.form.dataLabels[size_t(d)].text, caption) << d;
        EXPECT_EQ(dialog.form.data[size_t(d)].enabled, !caption.isEmpty()) << d;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Io, IoEntryCaptions,
    ::testing::Values(
        CaptionCase{"none chosen", -1, {"", "", "", "", "", ""}}, CaptionCase{"NONE", 0, {"", "", "", "", "", ""}},
        CaptionCase{"DIAL", 1, {"Number", "", "", "", "", ""}},
        CaptionCase{"SMS",
                    2,
                    {"Number", "SMS-message", "SMS service provider number", "SMS protocol type", "Password", ""}},
        CaptionCase{"TEXT", 3, {"Number", "Transfer text", "", "", "", ""}},
        CaptionCase{"EMAIL", 4, {"", "", "", "", "", ""}}, CaptionCase{"OUT", 5, {"Number", "Pattern", "", "", "", ""}},
        CaptionCase{"CMD", 6, {"Command", "", "", "", "", ""}}, CaptionCase{"TRANS", 7, {"Number", "", "", "", "", ""}}),
    [](const ::testing::TestParamInfo<CaptionCase> &info) { return TestName(info.param.name); });

TEST(IoEntryDialog, SwitchingServiceKeepsTheTextsAndOkStoresThemWithoutCommas)
{
    IoRecord record;
    record.SetText(iofield::DataAt(1, 8), iofield::kData[1].width, "Alarm");
    IoEntryLogic dialog(record, 8, true);
    EXPECT_EQ(dialog.form.title, "I/O Entry 9");
    EXPECT_EQ(dialog.form.group.caption, "I/O Entry 9");
    EXPECT_EQ(dialog.form.data[1].text, "Alarm");
    dialog.form.service.Select(2);
    dialog.ApplyService();
    dialog.form.data[0].text = "1,2,3";
    dialog.form.service.Select(6);
    dialog.ApplyService();
    EXPECT_EQ(dialog.form.dataLabels[0].text, "Command");
    EXPECT_FALSE(dialog.form.data[1].enabled);
    EXPECT_EQ(dialog.form.data[1].text, "Alarm");
    dialog.form.time.text = "999";
    dialog.form.retry.Select(3);
    dialog.Store();
    EXPECT_EQ(record.Text(iofield::DataAt(0, 8), 24), "123");
    EXPECT_EQ(record.Text(iofield::DataAt(1, 8), 164), "Alarm"); // stored though switched off
    EXPECT_EQ(record.Text(iofield::TimeAt(8), 4), "255");
    EXPECT_EQ(record.Int(iofield::ServiceAt(8)), 6);
    EXPECT_EQ(record.Int(iofield::RetryAt(8)), 3);
    // Other entries are untouched.
    EXPECT_EQ(record.Int(iofield::ServiceAt(7)), 0);
}

TEST(IoEntryDialog, ZeroTimeIsStoredAsZeroAndNothingIsStoredWithoutOk)
{
    IoRecord record;
    record.SetText(iofield::TimeAt(0), 4, "9");
    {
        IoEntryLogic dialog(record, 0, false);
        dialog.form.time.text = "77";
        dialog.form.service.Select(5);
    } // cancelled
    EXPECT_EQ(record.Text(iofield::TimeAt(0), 4), "9");
    EXPECT_EQ(record.Int(iofield::ServiceAt(0)), 0);
    IoEntryLogic dialog(record, 0, false);
    dialog.form.time.text = "0";
    dialog.Store();
    EXPECT_EQ(record.Text(iofield::TimeAt(0), 4), "0");
}

} // namespace
