#pragma once

#include "shell/ui/uilayer.h"

#include <QWidget>

#include <array>

class QChart;
class QChartView;
class QDateTimeAxis;
class QLineSeries;
class QPushButton;
class QValueAxis;

namespace telvio {

class Prompter;
class SignalHistory;

// "Signal History": RxLev over time of the main cell and the six neighbour
// places, with the page's red and green thresholds as lines, and the
// history exported as CSV. It draws the history thinned to its width, so a
// redraw costs the same with a day of samples as with a minute.
class SignalHistoryWindow : public QWidget {
    Q_OBJECT
public:
    static const QString kTitle; // "Signal History"

    SignalHistoryWindow(const SignalHistory &history, Prompter *prompter, QWidget *parent = nullptr);
    ~SignalHistoryWindow() override;

    void SetThresholds(int red, int green);
    // Redraws from the history as it is now.
    void Refresh();
    // Writes the CSV to `path`; false (and a message) when it cannot.
    bool ExportTo(const QString &path);

    QChartView *View() const { return m_view; }
    QLineSeries *Series(int cell) const { return m_series[cell]; }
    QLineSeries *RedLine() const { return m_red; }
    QLineSeries *GreenLine() const { return m_green; }
    QPushButton *ExportButton() const { return m_export; }

private:
    void Export();
    void PlaceThresholds();

    const SignalHistory &m_history;
    Prompter *m_prompter;
    QChart *m_chart = nullptr;
    QChartView *m_view = nullptr;
    QDateTimeAxis *m_time = nullptr;
    QValueAxis *m_level = nullptr;
    std::array<QLineSeries *, 7> m_series{};
    QLineSeries *m_red = nullptr;
    QLineSeries *m_green = nullptr;
    QPushButton *m_export = nullptr;
    int m_redLevel = 16;
    int m_greenLevel = 28;
    qint64 m_from = 0;
    qint64 m_to = 0;
};

} // namespace telvio
