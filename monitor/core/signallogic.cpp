#include "monitor/core/signallogic.h"

#include "link/core/modemsession.h"
#include "link/core/sessionhost.h"

namespace telvio {

QString signalpagetext::NeighbourTitle(int neighbour)
{
    return QStringLiteral("Neighbour %1").arg(neighbour);
}

namespace {

const QByteArray kOk = QByteArrayLiteral("OK\r\n");
const QByteArray kError = QByteArrayLiteral("ERROR");

// A pattern exchange of the cycle: the answer, or nothing when the modem
// refused, stayed silent or the link went.
bool Ask(ModemSession &session, const QByteArray &command, QByteArray *answer)
{
    *answer = command;
    return session.Exchange(*answer, 1, kOk, kError) == ExSuccess;
}

bool MeasureCells(ModemSession &session, int red, int green, SignalReading *reading)
{
    QByteArray answer;
    if (!Ask(session, QByteArrayLiteral("at+cced=0,1"), &answer))
        return false;
    const QByteArray cced = answer;
    if (!Ask(session, QByteArrayLiteral("at+csq"), &answer))
        return false;
    std::array<QByteArray, 7> texts;
    texts[0] = MainCellText(cced, answer);
    if (!Ask(session, QByteArrayLiteral("at+cced=0,2"), &answer))
        return false;
    const std::array<QByteArray, 6> neighbours = SplitNeighbours(answer);
    std::copy(neighbours.begin(), neighbours.end(), texts.begin() + 1);

    for (int c = 0; c < 7; ++c) {
        CellInfo &cell = reading->cells[c];
        if (texts[c].isEmpty())
            continue;
        cell.present = true;
        if (!Ask(session, OperatorQuery(&texts[c]), &answer))
            return false;
        cell.operatorName = OperatorName(answer);
    }
    const CellFields main = WalkMainCell(texts[0]);
    reading->cells[0].cellId = main.cellId;
    reading->cells[0].rxlev = main.rxlev;
    reading->berCode = main.berCode;
    reading->cells[0].berText = BerText(main.berCode);
    for (int c = 1; c < 7; ++c) {
        if (texts[c].isEmpty())
            continue;
        const CellFields f = WalkNeighbour(texts[c]);
        reading->cells[c].cellId = f.cellId;
        reading->cells[c].rxlev = f.rxlev;
    }
    for (CellInfo &cell : reading->cells)
        cell.colour = ColourOf(cell.rxlev, red, green);
    return true;
}

} // namespace

SignalSample SampleOf(const SignalReading &reading)
{
    SignalSample sample;
    sample.time = reading.time;
    for (int c = 0; c < 7; ++c) {
        sample.cellId[c] = reading.cells[c].cellId;
        sample.rxlev[c] = reading.cells[c].rxlev;
        sample.present[c] = reading.cells[c].present;
    }
    sample.berCode = reading.berCode;
    return sample;
}

bool RunSignalCycle(ModemSession &session, int redThreshold, int greenThreshold,
                    const std::function<void(const SignalReading &)> &completed)
{
    SignalReading reading;
    if (session.Probe() <= 0)
        return false;
    bool restoreNumeric = false;
    bool measured = false;
    if (!session.Verbose()) {
        QByteArray v1 = QByteArrayLiteral("ATV1");
        if (session.Exchange(v1, 3, kOk) == ExSuccess) {
            restoreNumeric = true;
            measured = MeasureCells(session, redThreshold, greenThreshold, &reading);
        }
    } else {
        measured = MeasureCells(session, redThreshold, greenThreshold, &reading);
    }
    if (measured) {
        reading.time = QDateTime::currentDateTimeUtc();
        if (completed)
            completed(reading);
    }
    if (restoreNumeric) {
        // Only "0" is looked for, and the result does not matter: a modem
        // that missed it answers in words until the next probe finds out.
        QByteArray v0 = QByteArrayLiteral("ATV0");
        session.Exchange(v0, 1, QByteArrayLiteral("0\r"));
    }
    return measured;
}

// ---------------------------------------------------------------------------

const QStringList &SignalForm::IntervalItems()
{
    static const QStringList items = {
        QStringLiteral("1 second"),   QStringLiteral("2 seconds"),  QStringLiteral("3 seconds"),
        QStringLiteral("4 seconds"),  QStringLiteral("5 seconds"),  QStringLiteral("10 seconds"),
        QStringLiteral("30 seconds"), QStringLiteral("Disabled"),
    };
    return items;
}

const QStringList &SignalForm::RedItems()
{
    static const QStringList items = [] {
        QStringList list;
        for (int v = 20; v >= 10; --v)
            list << QString::number(v);
        return list;
    }();
    return items;
}

const QStringList &SignalForm::GreenItems()
{
    static const QStringList items = [] {
        QStringList list;
        for (int v = 20; v <= 30; ++v)
            list << QString::number(v);
        list << QStringLiteral("35") << QStringLiteral("40");
        return list;
    }();
    return items;
}

int SignalForm::IntervalMs(int index)
{
    static const int kMs[] = {1000, 2000, 3000, 4000, 5000, 10000, 30000, kDisabledMs};
    if (index < 0 || index > kDisabled)
        return 5000;
    return kMs[index];
}

SignalLogic::SignalLogic(ModemSession &session, SignalTimerControl *timer)
    : m_session(session), m_timer(timer)
{
    Initialise();
}

void SignalLogic::Initialise()
{
    form = SignalForm();
    m_interval = 3000;
    m_cells = {};
    m_berLabel = signalpagetext::kBerBeforeFirstCycle;
}

int SignalLogic::RedThreshold() const
{
    return IntegerValue(SignalForm::RedItems().value(form.red).toLatin1());
}

int SignalLogic::GreenThreshold() const
{
    return IntegerValue(SignalForm::GreenItems().value(form.green).toLatin1());
}

void SignalLogic::StartTimer()
{
    if (m_timer)
        m_timer->StartSignalTimer(m_interval);
}

void SignalLogic::StopTimer()
{
    if (m_timer)
        m_timer->StopSignalTimer();
}

void SignalLogic::RefreshPanel()
{
    if (m_session.Host())
        m_session.Host()->RefreshStatusPanel();
}

bool SignalLogic::Activate(QString *failure)
{
    m_session.SetUpdateRunning(true);
    RefreshPanel();
    if (!m_session.Connected()) {
        // Nothing handles this failure on the way up: the page just stays
        // without polling, and tells no one.
        m_state = PollingState::Stalled;
        if (failure)
            *failure = signalpagetext::kConnectionBroken;
        return false;
    }
    StartTimer();
    m_state = PollingState::Polling;
    return true;
}

void SignalLogic::Deactivate()
{
    StopTimer();
    m_session.SetUpdateRunning(false);
    RefreshPanel();
    m_state = PollingState::Idle;
}

void SignalLogic::ChooseInterval(int index)
{
    form.interval = index;
    StopTimer();
    m_session.SetUpdateRunning(true);
    m_interval = SignalForm::IntervalMs(index);
    m_state = PollingState::Polling;
    if (index == SignalForm::kDisabled) {
        m_session.SetUpdateRunning(false);
        m_state = PollingState::Disabled;
    }
    StartTimer();
}

bool SignalLogic::RunMeasurement()
{
    StopTimer();
    const bool done = RunSignalCycle(m_session, RedThreshold(), GreenThreshold(), [this](const SignalReading &r) {
        m_cells = r.cells;
        m_berLabel = r.cells[0].berText;
        m_history.Append(SampleOf(r));
        StartTimer();
    });
    if (!done)
        m_state = PollingState::Stalled;
    return done;
}

} // namespace telvio
