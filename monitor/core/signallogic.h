#pragma once

#include "pages/core/pageslayer.h"

#include "monitor/core/signalhistory.h"
#include "monitor/core/signalparsers.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace telvio {

class ModemSession;

namespace signalpagetext {
inline const QString kTitle = QStringLiteral("Signal");
inline const QString kMainCell = QStringLiteral("Main cell");
// "Neighbour 1" to "Neighbour 6".
QString NeighbourTitle(int neighbour);
inline const QString kCellId = QStringLiteral("Cell ID:");
inline const QString kRxLev = QStringLiteral("RxLev:");
inline const QString kBer = QStringLiteral("BER:");
inline const QString kSettings = QStringLiteral("Settings");
inline const QString kUpdateInterval = QStringLiteral("Update interval:");
inline const QString kRedBefore = QStringLiteral("If RxLev <");
inline const QString kRedAfter = QStringLiteral("RED signal indicator");
inline const QString kGreenBefore = QStringLiteral("If RxLev >");
inline const QString kGreenAfter = QStringLiteral("GREEN signal indicator");
// Two blanks: the label's own text until the first cycle, not a line of
// the BER table.
inline const QString kBerBeforeFirstCycle = QStringLiteral("99  (BER Unknown)");
// Three n: the activation's failure text, as it always was.
inline const QString kConnectionBroken = QStringLiteral("connnection broken");
inline const QString kHistoryButton = QStringLiteral("History...");
} // namespace signalpagetext

// One cell as the page shows it.
struct CellInfo {
    QByteArray operatorName;
    QByteArray cellId;
    int rxlev = 0;
    QString berText; // main cell only
    SignalColour colour = SignalColour::Red;
    // The modem reported this cell (always so for the main cell).
    bool present = false;
};

// What one cycle measured: cell 0 is the main cell.
struct SignalReading {
    std::array<CellInfo, 7> cells;
    int berCode = 99;
    QDateTime time; // UTC, when the cycle completed
};

// The sample the history keeps of a reading.
SignalSample SampleOf(const SignalReading &reading);

// One measurement cycle on the session: the probe, "ATV1" when the modem
// answers in numbers, the main cell ("at+cced=0,1", "at+csq"), the
// neighbours ("at+cced=0,2"), one "at+wopn=0,..." per reported cell, and
// the field walk. `completed` runs once everything is measured, before
// numeric codes are switched back with "ATV0"; that switch comes on every
// way out once "ATV1" went out. False when the modem failed to answer a
// step: then nothing is measured and `completed` does not run.
bool RunSignalCycle(ModemSession &session, int redThreshold, int greenThreshold,
                    const std::function<void(const SignalReading &)> &completed);

// The main window's signal timer, as the page reaches it.
class SignalTimerControl {
public:
    virtual ~SignalTimerControl() = default;
    virtual void StartSignalTimer(int intervalMs) = 0;
    virtual void StopSignalTimer() = 0;
};

// The Signal page's lists and their initial selections.
struct SignalForm {
    static const QStringList &IntervalItems(); // "1 second" ... "30 seconds", "Disabled"
    static const QStringList &RedItems();      // "20" down to "10"
    static const QStringList &GreenItems();    // "20" up to "40"
    static constexpr int kInitialInterval = 2; // "3 seconds"
    static constexpr int kInitialRed = 4;      // "16"
    static constexpr int kInitialGreen = 8;    // "28"
    static constexpr int kDisabled = 7;
    // "Disabled" leaves the timer running, but so slowly that it never
    // comes round in a session.
    static constexpr int kDisabledMs = 999999999;
    // The timer period of an interval item; 5000 ms for an index outside
    // the list.
    static int IntervalMs(int index);

    int interval = kInitialInterval;
    int red = kInitialRed;
    int green = kInitialGreen;
};

// Where the page's polling stands.
enum class PollingState {
    Idle,     // not shown: timer stopped, update-running flag clear
    Polling,  // shown and connected: timer running, flag set
    Stalled,  // a cycle failed (or shown without a link): timer stopped, flag set
    Disabled, // "Disabled" chosen: timer running very slowly, flag clear
};

// The Signal page's logic: the polling states around the main window's
// timer and the session's update-running flag (which locks the terminal's
// input line, so no typed command lands between the cycle's), the lists,
// what the cells show and the history of completed cycles.
class SignalLogic {
public:
    // `timer` may be null: a page tried on its own polls nothing.
    SignalLogic(ModemSession &session, SignalTimerControl *timer);

    // The page's window made anew: initial selections, interval 3000 ms,
    // cells as before any cycle. The history stays: it is the program's,
    // not the window's.
    void Initialise();

    // The page comes to the front. False with `failure` set
    // ("connnection broken") when the modem is not connected: the flag is
    // set but the timer is not started.
    bool Activate(QString *failure = nullptr);
    // The page leaves the front.
    void Deactivate();
    void ChooseInterval(int index);
    void ChooseRed(int index) { form.red = index; }
    void ChooseGreen(int index) { form.green = index; }

    // One cycle, as the timer runs it: true when the cells show new values.
    bool RunMeasurement();

    SignalForm form;
    const std::array<CellInfo, 7> &Cells() const { return m_cells; }
    // The "BER:" label.
    const QString &BerLabel() const { return m_berLabel; }
    int IntervalMs() const { return m_interval; }
    PollingState State() const { return m_state; }
    SignalHistory &History() { return m_history; }
    const SignalHistory &History() const { return m_history; }

    int RedThreshold() const;
    int GreenThreshold() const;

private:
    void StartTimer();
    void StopTimer();
    void RefreshPanel();

    ModemSession &m_session;
    SignalTimerControl *m_timer;
    std::array<CellInfo, 7> m_cells;
    QString m_berLabel;
    int m_interval = 3000;
    PollingState m_state = PollingState::Idle;
    SignalHistory m_history;
};

} // namespace telvio
