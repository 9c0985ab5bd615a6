#include "shellfixture.h"

#include "link/ui/connectionpage.h"
#include "shell/core/shelllayout.h"
#include "link/core/reconnectwatch.h"
#include "shell/ui/menucommands.h"
#include "shell/ui/propsheet.h"
#include "shell/ui/statusbar.h"
#include "shell/ui/statuspanel.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

namespace telvio::test {
namespace {

using MainWindow = ShellFixture;

TEST_F(MainWindow, MenuCaptionsIdsAndStartState)
{
    MainDialog &w = Window();
    const struct {
        int position;
        int id;
        const char *caption;
        bool enabled;
    } items[] = {
        {MenuFile, CmdCloseProfile, "&Close Profile", false},
        {MenuFile, CmdWriteProfile, "Write Profile to modem", false},
        {MenuFile, CmdExit, "&Exit", true},
        {MenuConnection, CmdDisconnect, "&Disconnect", false},
        {MenuConnection, CmdRemote, "&Remote", false},
        {MenuConnection, CmdOpenPort, "&Open com-port", true},
        {MenuTool, CmdClearTerminal, "&Clear Terminal", true},
        {MenuTool, CmdOptions, "&Options", true},
        {MenuHelp, CmdHelp, "&Help", true},
        {MenuHelp, CmdAbout, "&About", true},
        {MenuFile, CmdNewProfile, "&New Profile", true},
        {MenuFile, CmdOpenProfile, "&Open Profile", true},
        {MenuFile, CmdSaveProfile, "&Save Profile", true},
        {MenuConnection, CmdAutoconnect, "&Autoconnect", true},
        {MenuConnection, CmdConnect, "&Connect", true},
    };
    const QList<QAction *> menus = w.menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&Connection"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("&Tool"));
    EXPECT_EQ(menus[3]->text(), QStringLiteral("&Help"));
    for (const auto &item : items) {
        QAction *a = w.MenuAction(item.id);
        ASSERT_NE(a, nullptr) << item.caption;
        EXPECT_EQ(a->text(), QString::fromLatin1(item.caption));
        EXPECT_TRUE(menus[item.position]->menu()->actions().contains(a)) << item.caption;
        EXPECT_EQ(a->isEnabled(), item.enabled) << item.caption;
    }
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Telvio"));
    EXPECT_EQ(w.Sheet()->count(), 1);
    EXPECT_EQ(w.Sheet()->tabText(0), QStringLiteral("Connection"));
}

TEST_F(MainWindow, EnableMenuCommandActsOnlyInTheNamedMenu)
{
    MainDialog &w = Window();
    w.EnableMenuCommand(MenuFile, CmdDisconnect, true); // Disconnect is not in File
    EXPECT_FALSE(w.MenuAction(CmdDisconnect)->isEnabled());
    w.EnableMenuCommand(MenuConnection, CmdDisconnect, true);
    EXPECT_TRUE(w.MenuAction(CmdDisconnect)->isEnabled());
}

TEST_F(MainWindow, TimersRunWithTheirIntervals)
{
    MainDialog &w = Window();
    EXPECT_TRUE(w.TickTimer().isActive());
    EXPECT_EQ(w.TickTimer().interval(), 50);
    EXPECT_TRUE(w.PageGuardTimer().isActive());
    EXPECT_EQ(w.PageGuardTimer().interval(), 10);
    EXPECT_FALSE(w.SignalTimer().isActive());
    EXPECT_FALSE(w.DtrDropTimer().isActive());
}

TEST_F(MainWindow, TickCounterRestartsAfter1001)
{
    MainDialog &w = Window();
    QSignalSpy tick(&w.TickTimer(), &QTimer::timeout);
    Session().SetTickCount(1000);
    ASSERT_TRUE(tick.wait(2000));
    EXPECT_EQ(Session().TickCount(), 1001);
    ASSERT_TRUE(tick.wait(2000));
    EXPECT_EQ(Session().TickCount(), 1);
}

TEST_F(MainWindow, DtrDropTimerLowersDtrOnce)
{
    MainDialog &w = Window();
    EXPECT_TRUE(m_port.Dtr()); // DTREnable defaults to 1
    QSignalSpy drop(&w.DtrDropTimer(), &QTimer::timeout);
    w.StartDtrDropTimer();
    EXPECT_EQ(w.DtrDropTimer().interval(), 1000);
    ASSERT_TRUE(drop.wait(3000));
    EXPECT_FALSE(m_port.Dtr());
    EXPECT_FALSE(w.DtrDropTimer().isActive());
}

TEST_F(MainWindow, PageGuardBringsTheConnectionPageBackWhenNoLink)
{
    MainDialog &w = ShownWindow();
    Session().AddPage(PageId::Basic, false);
    ASSERT_EQ(w.Sheet()->count(), 2);
    w.Sheet()->setCurrentIndex(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.Sheet()->ActivePageId() == PageId::Connection; }, 1000));
    // The Connection page, active with no link, clears the page set.
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.Sheet()->count() == 1; }, 1000));
    EXPECT_FALSE(Session().Flags(PageId::Basic).added);
}

TEST_F(MainWindow, PageGuardLeavesOfflinePagesAlone)
{
    MainDialog &w = ShownWindow();
    Session().EnterOffline();
    ASSERT_EQ(w.Sheet()->count(), 5);
    EXPECT_EQ(w.Sheet()->tabText(1), QStringLiteral("Basic"));
    EXPECT_EQ(w.Sheet()->tabText(4), QStringLiteral("GPRS"));
    w.Sheet()->SetActivePage(PageId::Sms);
    QSignalSpy guard(&w.PageGuardTimer(), &QTimer::timeout);
    ASSERT_TRUE(guard.wait(1000));
    ASSERT_TRUE(guard.wait(1000));
    EXPECT_EQ(w.Sheet()->ActivePageId(), PageId::Sms);
}

TEST_F(MainWindow, ClicksOnTheSheetAreDiscardedWhileBusy)
{
    MainDialog &w = ShownWindow();
    Session().EnterOffline();
    w.Sheet()->SetActivePage(PageId::Connection);
    QTabBar *tabs = w.Sheet()->tabBar();
    const QPoint basicTab = tabs->tabRect(1).center();

    Session().SetBusy(true);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, basicTab);
    EXPECT_EQ(w.Sheet()->ActivePageId(), PageId::Connection);
    // The page's own controls are out of reach too.
    QPushButton *disconnect = w.Sheet()->ConnectionPage()->DisconnectButton();
    ASSERT_TRUE(disconnect->isEnabled()); // "Close" while offline
    QTest::mouseClick(disconnect, Qt::LeftButton);
    EXPECT_TRUE(Session().Offline());

    Session().SetBusy(false);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, basicTab);
    EXPECT_EQ(w.Sheet()->ActivePageId(), PageId::Basic);
}

struct CloseCase {
    const char *name;
    bool offline;
    bool connected;
    bool modified;
    int answer;        // -1: no question expected; 0 No; 1 Yes
    bool closes;
};

void PrintTo(const CloseCase &c, std::ostream *os)
{
    *os << c.name;
}

class CloseQuestion : public ShellFixture, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQuestion, AsksOnlyAboutUnsavedChangesOfALink)
{
    const CloseCase &c = GetParam();
    MainDialog &w = ShownWindow();
    if (c.connected)
        OpenTerminal();
    if (c.offline)
        Session().EnterOffline();
    Session().Flags(PageId::Gprs).modified = c.modified;
    Session().options.delayBeforeAT = 321;
    if (c.answer >= 0)
        m_prompts.AnswerQuestion(c.answer == 1);

    EXPECT_EQ(w.close(), c.closes);
    EXPECT_EQ(w.isVisible(), !c.closes);
    if (c.answer >= 0)
        EXPECT_EQ(m_prompts.Texts(), QStringList{QStringLiteral("All unsaved changes will be lost.\nDu you wish to contiune?")});
    else
        EXPECT_TRUE(m_prompts.Log().isEmpty());
    // The options are stored on the way out, and only then.
    QSettings store(QStringLiteral("Kestrava"), QStringLiteral("Telvio"));
    EXPECT_EQ(store.value(QStringLiteral("Settings/DelayBeforeAT")).toInt(), c.closes ? 321 : 0);
    // Nothing goes to the modem at close.
    EXPECT_TRUE(m_port.Writes().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CloseQuestion,
    ::testing::Values(CloseCase{"nothing_changed", false, true, false, -1, true},
                      CloseCase{"offline_changes_are_lost_silently", true, false, true, -1, true},
                      CloseCase{"connected_changes_no", false, true, true, 0, false},
                      CloseCase{"connected_changes_yes", false, true, true, 1, true}),
    [](const ::testing::TestParamInfo<CloseCase> &info) { return std::string(info.param.name); });

TEST_F(MainWindow, ExitTakesTheCloseRoad)
{
    MainDialog &w = ShownWindow();
    OpenTerminal();
    Session().Flags(PageId::Basic).modified = true;
    m_prompts.AnswerQuestion(false);
    w.MenuAction(CmdExit)->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_prompts.Log().isEmpty(); }, 1000));
    EXPECT_TRUE(w.isVisible());
    m_prompts.AnswerQuestion(true);
    w.MenuAction(CmdExit)->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 1000));
}

TEST_F(MainWindow, StoredOptionsAreReadClampedAndAppliedToThePort)
{
    WriteSettingsFile("[Settings]\nNumberOfPorts=99\nDelayBeforeAT=-5\nFlowControl=7\nDTREnable=0\n"
                      "RTSEnable=0\nTerminal=banana\nDebug=1\n");
    Window();
    const Options &o = Session().options;
    EXPECT_EQ(o.numberOfPorts, 15);
    EXPECT_EQ(o.delayBeforeAT, 0);
    EXPECT_EQ(o.flowControl, 3);
    EXPECT_EQ(o.terminal, 1); // unreadable: the default
    EXPECT_EQ(o.debug, 1);
    EXPECT_FALSE(m_port.Dtr());
    EXPECT_FALSE(m_port.Rts());
    EXPECT_EQ(m_port.Handshake(), 3);
}

TEST_F(MainWindow, MinimumSize)
{
    MainDialog &w = ShownWindow();
    w.resize(300, 200);
    EXPECT_EQ(w.size(), QSize(ShellLayout::kMinimumWidth, ShellLayout::kMinimumHeight));
    w.resize(759, 564);
    EXPECT_EQ(w.size(), QSize(759, 564));
}

TEST_F(MainWindow, ResizePlacesPanelAndBarButNotTheSheet)
{
    MainDialog &w = ShownWindow();
    const QRect sheet = w.Sheet()->geometry();
    w.resize(1100, 800);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.centralWidget()->width() == 1100; }, 1000));
    const QSize client = w.centralWidget()->size();
    EXPECT_EQ(w.Panel()->geometry(), ShellLayout::PanelRect(client));
    EXPECT_EQ(w.Bar()->geometry(), ShellLayout::BarRect(client));
    EXPECT_EQ(w.Sheet()->geometry(), sheet);
    // Nothing overlaps: sheet, panel and bar side by side and stacked.
    EXPECT_LE(sheet.right(), w.Panel()->geometry().left());
    EXPECT_LT(w.Panel()->geometry().bottom(), w.Bar()->geometry().top());
    EXPECT_LE(w.Bar()->geometry().bottom(), client.height());
}

struct CtsCase {
    const char *name;
    int autoDisconnect;
    bool open;
    bool disconnects;
};

void PrintTo(const CtsCase &c, std::ostream *os)
{
    *os << c.name;
}

class CtsEvent : public ShellFixture, public ::testing::WithParamInterface<CtsCase> {};

TEST_P(CtsEvent, DisconnectsOnlyWithTheOptionAndALink)
{
    const CtsCase &c = GetParam();
    Window();
    Session().options.autoDisconnect = c.autoDisconnect;
    if (c.open)
        OpenTerminal();
    m_port.RaiseCts();
    EXPECT_EQ(Session().Connected(), c.open && !c.disconnects);
    EXPECT_EQ(m_port.PortOpen(), c.open && !c.disconnects);
}

INSTANTIATE_TEST_SUITE_P(Cases, CtsEvent,
                         ::testing::Values(CtsCase{"option_off", 0, true, false}, CtsCase{"no_link", 1, false, false},
                                           CtsCase{"option_on", 1, true, true}),
                         [](const ::testing::TestParamInfo<CtsCase> &info) { return std::string(info.param.name); });

TEST_F(MainWindow, ReceivedDataGoesToTheTerminalOnlyWithALink)
{
    Window();
    m_port.SetRThreshold(1);
    m_port.Feed("RING\r\n");
    EXPECT_TRUE(Window().Panel()->TerminalContents().isEmpty());
    m_port.Input(); // a closed port would have nothing

    OpenTerminal();
    m_port.Feed("RING\r\n");
    m_port.Feed("+CMTI: \"SM\",3\n\r");
    EXPECT_EQ(Window().Panel()->TerminalContents(), QByteArray("RING\r\n+CMTI: \"SM\",3\r\n"));
}

TEST_F(MainWindow, CloseProfileDoesWhatDisconnectDoes)
{
    for (int command : {CmdDisconnect, CmdCloseProfile}) {
        m_window.reset();
        MainDialog &w = Window();
        OpenTerminal();
        // Both commands are reachable here only through the menu's state;
        // drive them the same way.
        w.EnableMenuCommand(MenuConnection, CmdDisconnect, true);
        w.EnableMenuCommand(MenuFile, CmdCloseProfile, true);
        w.MenuAction(command)->trigger();
        EXPECT_FALSE(Session().Connected()) << command;
        EXPECT_FALSE(m_port.PortOpen()) << command;

        Session().EnterOffline();
        w.Sheet()->SetActivePage(PageId::Connection);
        w.EnableMenuCommand(MenuConnection, CmdDisconnect, true);
        w.EnableMenuCommand(MenuFile, CmdCloseProfile, true);
        w.MenuAction(command)->trigger();
        EXPECT_FALSE(Session().Offline()) << command;
        EXPECT_EQ(w.Sheet()->count(), 1) << command;
        EXPECT_TRUE(m_prompts.Log().isEmpty()) << command;
    }
}

TEST_F(MainWindow, ClearTerminalKeepsTheHistory)
{
    MainDialog &w = Window();
    OpenTerminal();
    w.Panel()->CommandInput()->setText(QStringLiteral("ATI"));
    w.Panel()->SendLine();
    m_port.Feed("ATI\r\r\nKestrava Pike-3\r\n");
    w.MenuAction(CmdClearTerminal)->trigger();
    EXPECT_TRUE(w.Panel()->TerminalContents().isEmpty());
    w.Panel()->ShowPendingText();
    EXPECT_TRUE(w.Panel()->TerminalOutput()->toPlainText().isEmpty());
    EXPECT_EQ(w.Panel()->History().Count(), 1);
}

TEST_F(MainWindow, StatusBarShowsTheVersionUntilTheLinkChanges)
{
    MainDialog &w = Window();
    EXPECT_EQ(w.Bar()->Text(), QStringLiteral("Kestrava Telvio 1.5 (7310-0042 / 2007-08-16)"));
    OpenTerminal();
    EXPECT_EQ(w.Bar()->Text(), QStringLiteral("Connected... "));
    w.Sheet()->ConnectionPage()->ExecuteCommand(Cserial::CmdDisconnect);
    EXPECT_EQ(w.Bar()->Text(), QStringLiteral("Not Connected... "));
}

TEST_F(MainWindow, LostPortClosesTheLinkAndSaysSoInTheTerminal)
{
    MainDialog &w = Window();
    OpenTerminal();
    m_port.Unplug();
    EXPECT_FALSE(Session().Connected());
    EXPECT_TRUE(w.Panel()->TerminalContents().contains("Port closed: unplugged"));
    EXPECT_EQ(w.Panel()->Field(QStringLiteral("Status")), QStringLiteral("-"));
    EXPECT_TRUE(w.Sheet()->ConnectionPage()->OpenButton()->isEnabled());
}

} // namespace
} // namespace telvio::test

// --- Tool > Log Session to File… ----------------------------------------------

namespace telvio::test {
namespace {

TEST_F(MainWindow, LogSessionToFileRunsCheckedUntilChosenAgain)
{
    MainDialog &w = Window();
    QAction *entry = w.MenuAction(CmdLogSession);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text(), QStringLiteral("Log Session to File\u2026"));
    EXPECT_TRUE(w.menuBar()->actions()[MenuTool]->menu()->actions().contains(entry));
    EXPECT_FALSE(entry->isChecked());

    // Cancelled file choice: nothing runs.
    entry->trigger();
    EXPECT_FALSE(entry->isChecked());

    const QString path = m_settingsDir.filePath("session.log");
    m_prompts.AnswerFile(path);
    entry->trigger();
    EXPECT_TRUE(entry->isChecked());
    OpenTerminal();
    m_port.Feed("\r\nRING\r\n");
    Session().ReadInput(true);
    QByteArray command = "AT+CSQ";
    m_port.SetResponder([this](const QByteArray &) { m_port.Feed("AT+CSQ\r\r\n+CSQ: 20,0\r\n\r\nOK\r\n"); });
    Session().ExchangeFinal(command, 3);

    entry->trigger(); // off again
    EXPECT_FALSE(entry->isChecked());
    m_port.Feed("\r\nRING\r\n");
    Session().ReadInput(true);

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_EQ(text.count(QStringLiteral("<< unsolicited <CR><LF>RING<CR><LF>")), 1) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral(">> AT+CSQ<CR>\n"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("<< +CSQ: 20,0<CR><LF>\n"))) << qPrintable(text);
}

TEST_F(MainWindow, LogSessionToUnwritableFileSaysWhy)
{
    MainDialog &w = Window();
    m_prompts.AnswerFile(QStringLiteral("/nonexistent-dir/session.log"));
    w.MenuAction(CmdLogSession)->trigger();
    EXPECT_FALSE(w.MenuAction(CmdLogSession)->isChecked());
    ASSERT_FALSE(m_prompts.Texts().isEmpty());
    EXPECT_TRUE(m_prompts.Texts().last().startsWith(QStringLiteral("Cannot write the session log /nonexistent-dir/")));
}

} // namespace
} // namespace telvio::test

// --- an unplugged modem ---------------------------------------------------------

namespace telvio::test {
namespace {

TEST_F(MainWindow, UnpluggedPortShownAtOnceAndItsPathWatched)
{
    MainDialog &w = Window();
    OpenTerminal();
    ASSERT_NE(w.Reconnects(), nullptr);
    EXPECT_FALSE(w.Reconnects()->Automatic()) << "off unless the option says so";
    m_port.Unplug();
    EXPECT_FALSE(Session().LinkUp());
    EXPECT_TRUE(w.Reconnects()->Watching());
    EXPECT_EQ(w.Reconnects()->Port(), QStringLiteral("/dev/ttyTEST0"));
    EXPECT_TRUE(w.ReconnectTimer().isActive());
}

} // namespace
} // namespace telvio::test
