// The Signal page's window: its controls, the main window's signal timer
// and the terminal lock through show, leave, interval changes and a
// stalled cycle, against the simulator; and the history plot offscreen.
#include "link/ui/connectionpage.h"
#include "monitor/ui/signalhistorywindow.h"
#include "monitor/ui/signalpage.h"
#include "shell/ui/maindialog.h"
#include "shell/ui/mainwindowhost.h"
#include "shell/ui/menucommands.h"
#include "shell/ui/propsheet.h"
#include "sim/simmodem.h"
#include "sim/simthread.h"
#include "support/memoryport.h"
#include "support/scriptedprompter.h"

#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace telvio {
namespace {


class NoMainWindow : public MainWindowHost {
public:
    void EnableMenuCommand(int, int, bool) override {}
    void StartSignalTimer(int intervalMs) override { starts << intervalMs; }
    void StopSignalTimer() override { ++stops; }
    void StartDtrDropTimer() override {}
    QList<int> starts;
    int stops = 0;
};

TEST(SignalPageAlone, CaptionsListsAndStartValues)
{
    test::MemoryPort port;
    ModemSession session(&port, nullptr);
    ScriptedPrompter prompts;
    NoMainWindow main;
    Csignal page(PageContext{&session, &prompts, &main});
    EXPECT_EQ(page.Title(), "Signal");
    QStringList titles;
    for (QGroupBox *box : page.findChildren<QGroupBox *>())
        titles << box->title();
    EXPECT_EQ(titles, (QStringList{"Main cell", "Neighbour 1", "Neighbour 2", "Neighbour 3", "Neighbour 4",
                                   "Neighbour 5", "Neighbour 6", "Settings"}));
    QStringList captions;
    for (QLabel *label : page.findChildren<QLabel *>())
        captions << label->text();
    for (const char *caption : {"Cell ID:", "RxLev:", "BER:", "Update interval:", "If RxLev <", "RED signal indicator",
                                "If RxLev >", "GREEN signal indicator"})
        EXPECT_TRUE(captions.contains(caption)) << caption;
    EXPECT_EQ(page.IntervalList()->currentText(), "3 seconds");
    EXPECT_EQ(page.IntervalList()->count(), 8);
    EXPECT_EQ(page.IntervalList()->itemText(7), "Disabled");
    EXPECT_EQ(page.RedList()->currentText(), "16");
    EXPECT_EQ(page.GreenList()->currentText(), "28");
    EXPECT_EQ(page.BerLabel()->text(), "99  (BER Unknown)");
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(page.Cell(c).rxlev->text(), "0");
        EXPECT_EQ(page.Cell(c).bar->minimum(), 0);
        EXPECT_EQ(page.Cell(c).bar->maximum(), 63);
    }

    // Shown without a link: locked, but no timer, and nothing said.
    page.OnSetActive();
    EXPECT_TRUE(session.UpdateRunning());
    EXPECT_TRUE(main.starts.isEmpty());
    EXPECT_TRUE(prompts.Log().isEmpty());
    page.OnKillActive();
    EXPECT_FALSE(session.UpdateRunning());
}

// The main window on a simulated modem's pty, connected, Signal page shown.
class SignalWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        m_path = m_modem.start(sim::SimConfig());
        ASSERT_FALSE(m_path.isEmpty());
        MainDialog::Setup setup;
        setup.extraPorts = {m_path};
        setup.prompter = &m_prompts;
        m_window = std::make_unique<MainDialog>(setup);
        m_window->Session()->options.autoLoad = 0;
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->Sheet()->ConnectionPage()->ExecuteCommand(Cserial::CmdConnect);
        ASSERT_TRUE(m_window->Session()->Connected()) << m_prompts.Texts().join('|').toStdString();
    }
    void TearDown() override
    {
        m_window.reset();
        m_modem.stop();
    }
    Csignal *Page() { return m_window->Sheet()->SignalPage(); }
    const QTimer &Timer() { return m_window->SignalTimer(); }
    bool Locked() { return m_window->Session()->UpdateRunning(); }
    void Choose(QComboBox *list, int index)
    {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void SetVariable(const QByteArray &name, const QByteArray &value)
    {
        m_modem.withModem([&](sim::SimModem &m) { m.state().setVariable(name, value); });
    }

    QTemporaryDir m_settings;
    sim::SimThread m_modem;
    QString m_path;
    ScriptedPrompter m_prompts;
    std::unique_ptr<MainDialog> m_window;
};

TEST_F(SignalWindow, PollsWhileShownAndStopsOnLeaving)
{
    m_window->Sheet()->SetActivePage(PageId::Signal);
    EXPECT_TRUE(Timer().isActive());
    EXPECT_EQ(Timer().interval(), 3000);
    EXPECT_TRUE(Locked());

    Choose(Page()->IntervalList(), 0);
    EXPECT_EQ(Timer().interval(), 1000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Page()->Cell(0).rxlev->text() == "40"; }, 5000));
    EXPECT_EQ(Page()->Cell(0).operatorName->text(), "Nordvik Mobil");
    EXPECT_EQ(Page()->Cell(0).cellId->text(), "3c4d");
    EXPECT_EQ(Page()->Cell(0).bar->value(), 40);
    EXPECT_TRUE(Page()->Cell(0).bar->styleSheet().contains("00d200")); // green above 28
    EXPECT_EQ(Page()->BerLabel()->text(), "99 (BER Unknown)");
    EXPECT_EQ(Page()->Cell(3).operatorName->text(), "Kestnet");
    EXPECT_EQ(Page()->Cell(6).rxlev->text(), "11");
    EXPECT_TRUE(Page()->Cell(6).bar->styleSheet().contains("ff0000"));
    EXPECT_TRUE(Timer().isActive());
    EXPECT_TRUE(Locked());
    EXPECT_FALSE(m_window->Session()->Busy());

    Choose(Page()->IntervalList(), 7);
    EXPECT_FALSE(Locked());
    EXPECT_EQ(Timer().interval(), 999999999);
    EXPECT_TRUE(Timer().isActive());

    m_window->Sheet()->SetActivePage(PageId::Connection);
    EXPECT_FALSE(Timer().isActive());
    EXPECT_FALSE(Locked());
    m_window->Sheet()->SetActivePage(PageId::Signal);
    EXPECT_TRUE(Timer().isActive());
    EXPECT_TRUE(Locked());

    // A disconnect takes the page away; the next connect shows it afresh.
    m_window->Sheet()->ConnectionPage()->ExecuteCommand(Cserial::CmdDisconnect);
    EXPECT_FALSE(Timer().isActive());
    EXPECT_FALSE(Locked());
    EXPECT_EQ(Page()->IntervalList()->currentText(), "3 seconds");
    EXPECT_EQ(Page()->Cell(0).rxlev->text(), "0");
    EXPECT_EQ(Page()->BerLabel()->text(), "99  (BER Unknown)");
    EXPECT_EQ(Page()->Logic().History().Size() > 0, true); // the history outlives the link
}

TEST_F(SignalWindow, RefusedOperatorStallsWithTheLastValuesShown)
{
    m_window->Sheet()->SetActivePage(PageId::Signal);
    Choose(Page()->IntervalList(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Page()->Cell(0).rxlev->text() == "40"; }, 5000));
    SetVariable("CELL_0", "240,01,1a2b,3c4d,35,62,12");
    SetVariable("OPERATOR_24002", "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Timer().isActive(); }, 5000));
    EXPECT_EQ(Page()->Logic().State(), PollingState::Stalled);
    EXPECT_TRUE(Locked());
    EXPECT_EQ(Page()->Cell(0).rxlev->text(), "40");
    EXPECT_TRUE(m_prompts.Log().isEmpty());

    // Choosing an interval polls again.
    SetVariable("OPERATOR_24002", "Kestnet");
    Choose(Page()->IntervalList(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Page()->Cell(0).rxlev->text() == "12"; }, 5000));
    EXPECT_TRUE(Page()->Cell(0).bar->styleSheet().contains("ff0000"));
}

TEST_F(SignalWindow, ToolMenuOpensTheHistoryWithTheCyclesSoFar)
{
    m_window->Sheet()->SetActivePage(PageId::Signal);
    Choose(Page()->IntervalList(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Page()->Logic().History().Size() >= 1; }, 5000));
    m_window->MenuAction(CmdSignalHistory)->trigger();
    SignalHistoryWindow *history = Page()->HistoryWindow();
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(history->isVisible());
    EXPECT_EQ(history->windowTitle(), "Signal History");
    const int before = Page()->Logic().History().Size();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Page()->Logic().History().Size() > before; }, 5000));
    EXPECT_EQ(history->Series(0)->count(), Page()->Logic().History().Size());
    EXPECT_EQ(history->Series(0)->at(0).y(), 40);
}

TEST(SignalHistoryPlot, FewHundredSamplesThresholdLinesAndCsv)
{
    SignalHistory history;
    const QDateTime start(QDate(2026, 12, 10), QTime(6, 0), Qt::UTC);
    for (int i = 0; i < 400; ++i) {
        SignalSample s;
        s.time = start.addSecs(i);
        s.cellId = {"3c4d", "3c4e", "", "", "", "", ""};
        s.rxlev = {20 + i % 30, 15, 0, 0, 0, 0, 0};
        s.present = {true, i < 200, false, false, false, false, false};
        history.Append(s);
    }
    ScriptedPrompter prompts;
    SignalHistoryWindow window(history, &prompts);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.SetThresholds(18, 30);
    window.Refresh();
    const int width = int(window.View()->chart()->plotArea().width());
    ASSERT_GT(width, 100);
    // Thinned to the plot's width, but every extreme still there.
    EXPECT_LE(window.Series(0)->count(), 2 * std::max(50, width / 4));
    qreal low = 99, high = -1;
    for (const QPointF &p : window.Series(0)->points()) {
        low = std::min(low, p.y());
        high = std::max(high, p.y());
    }
    EXPECT_EQ(low, 20);
    EXPECT_EQ(high, 49);
    EXPECT_GT(window.Series(1)->count(), 0);
    EXPECT_EQ(window.Series(2)->count(), 0);
    ASSERT_EQ(window.RedLine()->count(), 2);
    EXPECT_EQ(window.RedLine()->at(0).y(), 18);
    EXPECT_EQ(window.GreenLine()->at(1).y(), 30);
    EXPECT_EQ(window.RedLine()->at(0).x(), qreal(start.toMSecsSinceEpoch()));

    QTemporaryDir dir;
    const QString path = dir.filePath("signal.csv");
    prompts.AnswerFile(path);
    window.ExportButton()->click();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 402);
    EXPECT_TRUE(lines[0].startsWith("time,main_cell_id,main_rxlev,ber"));
    EXPECT_EQ(lines[1], "2026-12-10T06:00:00Z,3c4d,20,99,3c4e,15,,,,,,,,,,\r");
}

} // namespace
} // namespace telvio
