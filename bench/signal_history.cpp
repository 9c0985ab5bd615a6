// What one completed measurement cycle costs the Signal History window
// when a day of samples is kept: appending the sample and redrawing the
// plot (thinning the history to the plot's width, handing the series their
// points, and painting the chart into the window), with 86,400 samples.
//
//   bench-signal-history [ROUNDS [SAMPLES]]     (default 200 rounds, 86,400 samples)
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
// Prints the median, 95th percentile and worst time of the whole step and
// of its parts. The target is under 5 ms for the whole step.

#include "monitor/core/signalhistory.h"
#include "monitor/ui/signalhistorywindow.h"

#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QLineSeries>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

using namespace telvio;

namespace {

SignalSample SampleAt(int i, const QDateTime &start)
{
    SignalSample s;
    s.time = start.addSecs(i);
    for (int c = 0; c < 7; ++c) {
        s.cellId[c] = QByteArray("3c4") + char('a' + c);
        // Slow fades with some noise, so thinning has extremes to keep.
        s.rxlev[c] = std::clamp(int(35 - 3 * c + 8 * std::sin((i + 400 * c) / 900.0) + (i * 7 + c) % 5), 0, 63);
        // Neighbours come and go.
        s.present[c] = c == 0 || ((i / 3600 + c) % 5) != 0;
    }
    s.berCode = (i / 60) % 9;
    return s;
}

struct Figures {
    std::vector<double> ms;
    void Print(const char *what)
    {
        std::sort(ms.begin(), ms.end());
        const double median = ms[ms.size() / 2];
        const double p95 = ms[std::min(ms.size() - 1, ms.size() * 95 / 100)];
        std::printf("  %-34s median %6.3f ms   p95 %6.3f ms   worst %6.3f ms\n", what, median, p95, ms.back());
    }
};

double Ms(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

// On a busy machine the wall clock also counts the time other programs had
// the core; the thread's own CPU time is what the step costs.
double ThreadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    // A second argument fills fewer samples, to compare with a near-empty plot.
    const int fillCount = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, SignalHistory::kDefaultCapacity)
                                   : SignalHistory::kDefaultCapacity;

    const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-1);
    SignalHistory history;
    QElapsedTimer fill;
    fill.start();
    for (int i = 0; i < fillCount; ++i)
        history.Append(SampleAt(i, start));
    std::printf("signal history: %d samples (capacity %d), filled in %.1f ms\n", history.Size(), history.Capacity(),
                Ms(fill));

    SignalHistoryWindow window(history, nullptr);
    window.resize(760, 460);
    window.show();
    app.processEvents();
    window.SetThresholds(16, 28);
    window.Refresh();
    window.View()->viewport()->repaint();

    Figures reduce, append, thin, paint, whole, wholeCpu;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        for (int c = 0; c < 7; ++c)
            ReduceForPlot(history, c, 320);
        reduce.ms.push_back(Ms(t));
    }
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        const double cpu = ThreadCpuMs();
        t.start();
        history.Append(SampleAt(fillCount + r, start));
        append.ms.push_back(Ms(t));
        QElapsedTimer t2;
        t2.start();
        window.Refresh();
        thin.ms.push_back(Ms(t2));
        QElapsedTimer t3;
        t3.start();
        // What the next pass of the event loop would do: lay out the chart
        // items and paint the view.
        app.processEvents();
        window.View()->viewport()->repaint();
        paint.ms.push_back(Ms(t3));
        whole.ms.push_back(Ms(t));
        wholeCpu.ms.push_back(ThreadCpuMs() - cpu);
    }
    int points = 0;
    for (int c = 0; c < 7; ++c)
        points += window.Series(c)->count();
    std::printf("%d rounds, %d points drawn over 7 series, plot %d px wide\n", rounds, points,
                int(window.View()->chart()->plotArea().width()));
    reduce.Print("thin 7 cells to 320 runs (core)");
    append.Print("append a sample");
    thin.Print("thin and hand over the points");
    paint.Print("lay out and paint the chart");
    whole.Print("whole step, wall clock");
    wholeCpu.Print("whole step, CPU (target < 5 ms)");
    return 0;
}
