// The File menu's profile commands on the session, with scripted answers:
// which questions they ask, what they load and save, and how they leave the
// pages' flags.
#include "link/core/modemsession.h"
#include "pages/core/basiclogic.h"
#include "pages/core/basicrecord.h"
#include "pages/core/profilepagewrites.h"
#include "pages/core/smslogic.h"
#include "pages/core/smsrecord.h"
#include "pages/basicfixture.h"
#include "pages/pagehost.h"
#include "shell/core/profilefile.h"
#include "shell/core/profileflows.h"
#include "support/linerate.h"
#include "support/memoryport.h"
#include "support/scriptedprompter.h"

#include <QDir>
#include <QFile>
#include <QQueue>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace telvio::test {
namespace {

const PageId kProfilePages[] = {PageId::Basic, PageId::Serial, PageId::Sms,
                                PageId::Gprs,  PageId::Io,     PageId::Callback};

// The Create Profile dialog and the page writes, scripted.
class ScriptedProfileHost : public ProfileHost {
public:
    std::optional<int> ChooseModel(int modelCode) override
    {
        shownWith << modelCode;
        return choices.isEmpty() ? std::nullopt : choices.dequeue();
    }
    bool Writes(PageId page) const override { return writable.contains(page); }
    bool WriteToModem(PageId page) override
    {
        calls << QStringLiteral("write %1").arg(int(page));
        return true;
    }
    void MarkWritten(PageId page) override { calls << QStringLiteral("mark %1").arg(int(page)); }

    QQueue<std::optional<int>> choices;
    QList<int> shownWith;
    QList<PageId> writable{PageId::Basic, PageId::Serial, PageId::Sms, PageId::Gprs};
    QStringList calls;
};

// Remembers the order of page activations among the writes.
class RecordingHost : public PageHost {
public:
    void SetActivePage(PageId page) override
    {
        PageHost::SetActivePage(page);
        if (calls)
            *calls << QStringLiteral("show %1").arg(int(page));
    }
    QStringList *calls = nullptr;
};

class ProfileCommandsTest : public ::testing::Test {
protected:
    ProfileCommandsTest() { windows.calls = &host.calls; }

    // A modem identified on an open port.
    void ConnectAs(Model model)
    {
        port.SetPortOpen(true);
        session.SetConnected(true);
        session.SetIdentity(model, true, true);
    }

    QString Path(const QString &name) const { return dir.filePath(name); }

    // A profile file of `model` whose Basic record asks for `rings` rings.
    QString WriteProfile(const QString &name, int model, int rings, int length = profilefile::kSize)
    {
        MemoryPort p;
        ModemSession source(&p, nullptr);
        source.SetDefaults();
        BasicRecordView(source.basicRecord).SetRings(rings);
        QFile f(Path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(profilefile::Encode(source, model).left(length));
        return Path(name);
    }

    // Fills every record with a byte no default has.
    void Scribble()
    {
        for (const profilefile::Block &b : profilefile::Blocks())
            profilefile::OverlayRecord(session, b.page, QByteArray(b.size, '\xee'));
    }

    QByteArray Defaults()
    {
        MemoryPort p;
        ModemSession d(&p, nullptr);
        d.SetDefaults();
        return profilefile::Encode(d, 0).mid(profilefile::kRecordsOffset);
    }
    QByteArray Records() { return profilefile::Encode(session, 0).mid(profilefile::kRecordsOffset); }

    QTemporaryDir dir;
    MemoryPort port;
    RecordingHost windows;
    ModemSession session{&port, &windows};
    ScriptedPrompter prompts;
    ScriptedProfileHost host;
    ProfileCommands commands{session, prompts, host};
};

// --- New -----------------------------------------------------------------

struct NewCase {
    const char *name;
    int code;
    const char *modelName;
    const char *prefix;
    bool extended;
};

void PrintTo(const NewCase &c, std::ostream *os)
{
    *os << c.name;
}

class NewProfile : public ProfileCommandsTest, public ::testing::WithParamInterface<NewCase> {};

TEST_P(NewProfile, StartsOfflineEditingOnDefaultsForTheChosenModel)
{
    const NewCase &c = GetParam();
    Scribble();
    host.choices.enqueue(c.code);
    commands.New();

    EXPECT_EQ(host.shownWith, QList<int>{0}); // the disconnect left no model
    EXPECT_EQ(int(session.Traits().model), c.code);
    EXPECT_EQ(session.ModelName(), QLatin1String(c.modelName));
    EXPECT_EQ(session.ImeiPrefix(), QLatin1String(c.prefix));
    EXPECT_EQ(session.Traits().extendedFirmware, c.extended);
    EXPECT_TRUE(session.Offline());
    EXPECT_EQ(session.StatusText(), QStringLiteral("Offline"));
    EXPECT_EQ(Records(), Defaults());
    for (PageId page : kProfilePages)
        EXPECT_TRUE(session.Flags(page).profilePending) << int(page);
    for (PageId page : {PageId::Basic, PageId::Serial, PageId::Sms, PageId::Gprs})
        EXPECT_TRUE(session.Flags(page).added) << int(page);
    EXPECT_FALSE(session.Flags(PageId::Io).added);
    EXPECT_EQ(windows.active.last(), PageId::Connection);
    EXPECT_TRUE(prompts.Log().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Models, NewProfile,
                         ::testing::Values(NewCase{"Orca-1", 1, "Orca-1", "35107943", false},
                                           NewCase{"Orca-1 TCP/IP", 2, "Orca-1 US", "01042400", true},
                                           NewCase{"Pike-2", 3, "Pike-2", "35107900999", true}),
                         [](const auto &info) { return WordName(info.param.name); });

TEST_F(ProfileCommandsTest, NewWithAModemAsksBeforeDisconnecting)
{
    ConnectAs(Model::Pike3);
    prompts.AnswerQuestion(false);
    commands.New();
    EXPECT_EQ(prompts.Texts(),
              QStringList{"Creating an empty profile will disconnect the modem.\n\rDo you wish to continue?"});
    EXPECT_TRUE(session.Connected());
    EXPECT_TRUE(host.shownWith.isEmpty());

    // Yes, then Cancel in the dialog: the modem stays disconnected.
    prompts.AnswerQuestion(true);
    commands.New();
    EXPECT_EQ(host.shownWith, QList<int>{0});
    EXPECT_FALSE(session.Connected());
    EXPECT_FALSE(port.PortOpen());
    EXPECT_FALSE(session.Offline());
}

TEST_F(ProfileCommandsTest, NewOnAPortOpenForTheTerminalAsksNothing)
{
    port.SetPortOpen(true);
    session.SetConnected(true);
    session.SetTerminalOnly(true);
    host.choices.enqueue(1);
    commands.New();
    EXPECT_TRUE(prompts.Log().isEmpty());
    EXPECT_TRUE(session.Offline());
    EXPECT_FALSE(port.PortOpen());
}

TEST(CreateProfileList, ModelCodesAndItems)
{
    EXPECT_EQ(createprofile::Items(), (QStringList{"Kestrava Orca-1", "Kestrava Orca-1 (TCP/IP)", "Kestrava Pike-2"}));
    const int itemOfCode[][2] = {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 0}, {-1, 0}};
    for (const auto &r : itemOfCode)
        EXPECT_EQ(createprofile::ItemOf(r[0]), r[1]) << r[0];
    const int codeOfItem[][2] = {{0, 1}, {1, 2}, {2, 3}, {-1, 1}, {3, 1}};
    for (const auto &r : codeOfItem)
        EXPECT_EQ(createprofile::CodeOf(r[0]), r[1]) << r[0];
}

// --- Open ----------------------------------------------------------------

TEST_F(ProfileCommandsTest, OpenWithoutAModemEditsTheFileOffline)
{
    const QString path = WriteProfile(QStringLiteral("p.dat"), 3, 7);
    prompts.AnswerFile(path);
    commands.Open();

    EXPECT_EQ(prompts.Log().first().text, QStringLiteral("Config files (*.dat);;All files (*)"));
    EXPECT_EQ(prompts.Texts(), QStringList());
    EXPECT_TRUE(session.Offline());
    EXPECT_EQ(int(session.Traits().model), 3);
    EXPECT_EQ(ConstBasicRecordView(session.basicRecord).Rings(), 7);
    for (PageId page : kProfilePages)
        EXPECT_TRUE(session.Flags(page).profilePending) << int(page);
    EXPECT_EQ(windows.active.last(), PageId::Connection);
}

TEST_F(ProfileCommandsTest, OpenWithTheModemsModelMarksWhatItWillWrite)
{
    ConnectAs(Model::Pike3);
    // No SIM: the SMS page is not there.
    for (PageId page : {PageId::Basic, PageId::Serial, PageId::Gprs, PageId::Io, PageId::Callback})
        session.Flags(page).added = true;
    commands.OpenPath(WriteProfile(QStringLiteral("p.dat"), 4, 9));

    EXPECT_TRUE(session.Connected());
    EXPECT_FALSE(session.Offline());
    EXPECT_EQ(ConstBasicRecordView(session.basicRecord).Rings(), 9);
    const struct {
        PageId page;
        bool modified;
    } expected[] = {{PageId::Basic, true}, {PageId::Serial, true}, {PageId::Sms, false},
                    {PageId::Gprs, true},  {PageId::Io, false},    {PageId::Callback, false}};
    for (const auto &e : expected) {
        EXPECT_TRUE(session.Flags(e.page).profilePending) << int(e.page);
        EXPECT_EQ(session.Flags(e.page).modified, e.modified) << int(e.page);
    }
}

TEST_F(ProfileCommandsTest, OpenOfAnotherModelsProfileChangesNothing)
{
    ConnectAs(Model::Pike3);
    Scribble();
    const QByteArray before = Records();
    const QString path = WriteProfile(QStringLiteral("pike2.dat"), 3, 7);
    EXPECT_FALSE(commands.OpenPath(path));
    ASSERT_EQ(prompts.Log().size(), 1);
    EXPECT_EQ(prompts.Log().first().text,
              QDir::toNativeSeparators(path) + QStringLiteral("\r\nThe profile do not match the connected modem..."));
    EXPECT_EQ(prompts.Log().first().icon, Prompter::Icon::Information);
    EXPECT_EQ(Records(), before);
    EXPECT_EQ(int(session.Traits().model), 4);
    for (PageId page : kProfilePages)
        EXPECT_FALSE(session.Flags(page).profilePending) << int(page);
    EXPECT_TRUE(session.Connected());
}

TEST_F(ProfileCommandsTest, InvalidFileWithoutAModemEndsOfflineEditing)
{
    const QString path = Path(QStringLiteral("bad.dat"));
    QByteArray bytes = profilefile::Encode(session, 1);
    bytes[33] = 'X'; // the signature's text goes on
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    EXPECT_FALSE(commands.OpenPath(path));
    EXPECT_EQ(prompts.Texts(), QStringList{QDir::toNativeSeparators(path) + "\r\nis not a valid profile."});
    EXPECT_FALSE(session.Offline());
}

TEST_F(ProfileCommandsTest, InvalidFileWithAModemKeepsTheLink)
{
    ConnectAs(Model::Pike3);
    const QString path = Path(QStringLiteral("text.dat"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("just some text\n");
    f.close();
    EXPECT_FALSE(commands.OpenPath(path));
    EXPECT_TRUE(session.Connected());
    EXPECT_FALSE(session.Flags(PageId::Basic).profilePending);
}

TEST_F(ProfileCommandsTest, OpenOnAPortOpenForTheTerminalClosesItAndEditsOffline)
{
    port.SetPortOpen(true);
    session.SetConnected(true);
    session.SetTerminalOnly(true);
    EXPECT_TRUE(commands.OpenPath(WriteProfile(QStringLiteral("p.dat"), 4, 2)));
    EXPECT_FALSE(port.PortOpen());
    EXPECT_FALSE(session.Connected());
    EXPECT_TRUE(session.Offline());
    EXPECT_EQ(int(session.Traits().model), 4);
}

// A short file is loaded onto the defaults and the user is told: never a
// mix of the file and whatever the records held before.
TEST_F(ProfileCommandsTest, ShortFileLoadsOntoDefaultsAndSaysSo)
{
    ConnectAs(Model::Pike2);
    Scribble();
    const QString path = WriteProfile(QStringLiteral("short.dat"), 3, 6, 200);
    EXPECT_TRUE(commands.OpenPath(path));
    ASSERT_EQ(prompts.Log().size(), 1);
    EXPECT_EQ(prompts.Log().first().text, QDir::toNativeSeparators(path)
                                              + "\r\nThe profile is incomplete: the settings it lacks are the defaults.");
    EXPECT_EQ(prompts.Log().first().icon, Prompter::Icon::Warning);
    EXPECT_EQ(ConstBasicRecordView(session.basicRecord).Rings(), 6);
    EXPECT_EQ(Records().mid(200 - profilefile::kRecordsOffset), Defaults().mid(200 - profilefile::kRecordsOffset));
}

TEST_F(ProfileCommandsTest, FileThatCannotBeOpenedIsToldAndOfflineEditingHolds)
{
    prompts.AnswerFile(Path(QStringLiteral("gone.dat")));
    commands.Open();
    EXPECT_EQ(prompts.Texts(), QStringList{"Unable to open file..."});
    EXPECT_TRUE(session.Offline());
}

TEST_F(ProfileCommandsTest, CancelledOpenChangesNothing)
{
    ConnectAs(Model::Pike3);
    commands.Open();
    EXPECT_TRUE(session.Connected());
    EXPECT_FALSE(session.Offline());
}

// --- Save ----------------------------------------------------------------

TEST_F(ProfileCommandsTest, SaveAsksWhenAPageWasNotReadYet)
{
    ConnectAs(Model::Pike3);
    session.Flags(PageId::Serial).mustRead = true;
    prompts.AnswerQuestion(false);
    commands.Save();
    ASSERT_EQ(prompts.Log().size(), 1);
    EXPECT_EQ(prompts.Log().first().text,
              QStringLiteral("The current profile has not been completely updated.\n\rTo update the profile please "
                             "visit each tab to verify current configuration.\n\rDo you wish to save the profile "
                             "anyway?"));

    prompts.Clear();
    prompts.AnswerQuestion(true);
    prompts.AnswerFile(Path(QStringLiteral("saved.dat")));
    commands.Save();
    QFile f(Path(QStringLiteral("saved.dat")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray saved = f.readAll();
    EXPECT_EQ(saved.size(), 3931);
    EXPECT_EQ(profilefile::ModelOf(saved), 4);
}

TEST_F(ProfileCommandsTest, SaveWithEveryPageReadAsksOnlyForTheFile)
{
    ConnectAs(Model::Pike3);
    session.Flags(PageId::Io).mustRead = true; // not among the pages that ask
    prompts.AnswerFile(Path(QStringLiteral("saved.dat")));
    commands.Save();
    ASSERT_EQ(prompts.Log().size(), 1);
    EXPECT_EQ(prompts.Log().first().kind, ScriptedPrompter::Kind::SaveFile);
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("saved.dat"))));
}

TEST_F(ProfileCommandsTest, SaveThatCannotCreateTheFileSaysWhy)
{
    EXPECT_FALSE(commands.SavePath(Path(QStringLiteral("no/folder/p.dat"))));
    ASSERT_EQ(prompts.Texts().size(), 1);
    EXPECT_TRUE(prompts.Texts().first().startsWith("Unable to open file...\r\n"));
    EXPECT_GT(prompts.Texts().first().size(), QStringLiteral("Unable to open file...\r\n").size());
}

// Saving right after opening must not lose the loaded values: a page shown
// afterwards still shows the profile's record, and its change hook keeps it.
TEST_F(ProfileCommandsTest, PageShownAfterASaveStillShowsTheOpenedProfile)
{
    ASSERT_TRUE(commands.OpenPath(WriteProfile(QStringLiteral("p.dat"), 4, 5)));
    ASSERT_TRUE(commands.SavePath(Path(QStringLiteral("copy.dat"))));
    ScriptedBasicDialogs dialogs;
    BasicLogic basic(session, prompts, dialogs, dialogs, dialogs);
    basic.Activate();
    EXPECT_EQ(basic.form.rings.text, QStringLiteral("005"));
    basic.ChangeHook();
    EXPECT_EQ(ConstBasicRecordView(session.basicRecord).Rings(), 5);

    QFile copy(Path(QStringLiteral("copy.dat")));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    QFile original(Path(QStringLiteral("p.dat")));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), original.readAll());
}

// --- Write to modem --------------------------------------------------------

TEST_F(ProfileCommandsTest, WriteAsksForEachPresentPageAndWritesTheChosenOnes)
{
    ConnectAs(Model::Pike3);
    for (PageId page : {PageId::Basic, PageId::Serial, PageId::Gprs, PageId::Io, PageId::Callback})
        session.Flags(page).added = true;
    host.writable = {PageId::Basic, PageId::Serial, PageId::Sms, PageId::Io, PageId::Callback};
    prompts.AnswerQuestion(true);  // the profile
    prompts.AnswerQuestion(true);  // Basic
    prompts.AnswerQuestion(false); // Serial
    commands.WriteToModem();
    EXPECT_EQ(prompts.Texts(),
              (QStringList{"Write current profile to modem?", "Write Basic settings?", "Write v24v25 settings?"}));
    EXPECT_EQ(host.calls, (QStringList{"show 1", "write 1", "mark 1", "show 0"}));
}

TEST_F(ProfileCommandsTest, WriteAsksInPageOrderWithEveryPagePresent)
{
    ConnectAs(Model::Pike3);
    for (PageId page : {PageId::Basic, PageId::Serial, PageId::Sms, PageId::Gprs})
        session.Flags(page).added = true;
    for (int i = 0; i < 5; ++i)
        prompts.AnswerQuestion(true);
    commands.WriteToModem();
    EXPECT_EQ(prompts.Texts(), (QStringList{"Write current profile to modem?", "Write Basic settings?",
                                            "Write v24v25 settings?", "Write SMS settings?", "Write GPRS settings?"}));
    EXPECT_EQ(host.calls.size(), 4 * 3 + 1);
}

TEST_F(ProfileCommandsTest, WriteWithoutAModemDoesNothing)
{
    host.choices.enqueue(3);
    commands.New();
    host.calls.clear();
    commands.WriteToModem();
    port.SetPortOpen(true);
    session.SetConnected(true);
    session.SetTerminalOnly(true);
    commands.WriteToModem();
    EXPECT_TRUE(prompts.Log().isEmpty());
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST_F(ProfileCommandsTest, WriteRefusedAtTheFirstQuestionWritesNothing)
{
    ConnectAs(Model::Pike3);
    session.Flags(PageId::Basic).added = true;
    commands.WriteToModem();
    EXPECT_EQ(prompts.Texts(), QStringList{"Write current profile to modem?"});
    EXPECT_TRUE(host.calls.isEmpty());
}

} // namespace
} // namespace telvio::test


namespace telvio::test {
namespace {

// Texts in a file are bounded by their fields only: one holding a quote, a
// line end, Ctrl-Z or another control character is refused by the page's
// write with the field named, before anything is sent.
struct SpoiledText {
    const char *name;
    PageId page;
    void (*spoil)(ModemSession &);
    const char *message;
};

void PrintTo(const SpoiledText &c, std::ostream *os)
{
    *os << c.name;
}

class SpoiledProfileText : public ::testing::TestWithParam<SpoiledText> {};

TEST_P(SpoiledProfileText, PageWriteRefusesItNamingTheField)
{
    MemoryPort port;
    ModemSession session(&port, nullptr);
    port.SetPortOpen(true);
    session.SetConnected(true);
    session.SetIdentity(Model::Pike3, true, true);
    session.SetDefaults();
    GetParam().spoil(session);
    ScriptedPrompter prompts;
    ScriptedBasicDialogs dialogs;
    BasicLogic basic(session, prompts, dialogs, dialogs, dialogs);
    SmsLogic sms(session, prompts);
    PageLogic &logic = GetParam().page == PageId::Sms ? static_cast<PageLogic &>(sms) : basic;
    session.Flags(GetParam().page).profilePending = true;
    logic.Activate();

    EXPECT_FALSE(WriteProfilePage(logic, prompts));
    EXPECT_EQ(prompts.Texts(), QStringList{QString::fromLatin1(GetParam().message)});
    EXPECT_TRUE(port.CommandLines().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SpoiledProfileText,
    ::testing::Values(
        SpoiledText{"quote in the service centre", PageId::Sms,
                    [](ModemSession &s) {
                        s.smsRecord.SetText(smsfield::ServiceCentre, smsfield::ServiceCentreWidth, "12\";+CFUN=0");
                    },
                    "Service Center Address: \"12\";+CFUN=0\" is not valid."},
        SpoiledText{"Ctrl-Z in the service centre", PageId::Sms,
                    [](ModemSession &s) {
                        s.smsRecord.SetText(smsfield::ServiceCentre, smsfield::ServiceCentreWidth, "123\x1a");
                    },
                    "Service Center Address: \"123\x1a\" is not valid."},
        SpoiledText{"line end in the Auto PIN code", PageId::Basic,
                    [](ModemSession &s) {
                        BasicRecordView r(s.basicRecord);
                        r.SetAutoPinEnabled(1);
                        r.SetAutoPinCode("12\r\nAT");
                    },
                    "Auto PIN - Code: \"12\r\nAT\" is not valid."},
        SpoiledText{"quote in the reset delay with the reset off", PageId::Basic,
                    [](ModemSession &s) { BasicRecordView(s.basicRecord).SetResetDelay("024\":00"); },
                    "Reset - Delay: \"024\":00\" is not valid."}),
    [](const auto &info) { return WordName(info.param.name); });

} // namespace
} // namespace telvio::test
