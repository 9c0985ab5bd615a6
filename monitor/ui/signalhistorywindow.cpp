#include "monitor/ui/signalhistorywindow.h"

#include "monitor/core/signalhistory.h"
#include "shell/core/prompter.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFile>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QPushButton>
#include <QSaveFile>
#include <QValueAxis>
#include <QVBoxLayout>

namespace telvio {

const QString SignalHistoryWindow::kTitle = QStringLiteral("Signal History");

namespace {

// The main cell bold and dark; the neighbours thin, each its own hue and
// none near the thresholds' red and green. (A legend label is rich text:
// no "<" in it.)
const char *const kCellColours[7] = {"#1f2d8a", "#2a9df4", "#9b59b6", "#16a085", "#e67e22", "#7f8c8d", "#b8860b"};

} // namespace

SignalHistoryWindow::SignalHistoryWindow(const SignalHistory &history, Prompter *prompter, QWidget *parent)
    : QWidget(parent, Qt::Window), m_history(history), m_prompter(prompter)
{
    setWindowTitle(kTitle);
    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignRight);
    m_chart->setMargins(QMargins(4, 4, 4, 4));
    // Animations would replay on every cycle.
    m_chart->setAnimationOptions(QChart::NoAnimation);

    m_time = new QDateTimeAxis;
    m_time->setFormat(QStringLiteral("HH:mm:ss"));
    m_time->setTitleText(QStringLiteral("Time (UTC)"));
    m_level = new QValueAxis;
    m_level->setRange(0, 63);
    m_level->setTickCount(8);
    m_level->setLabelFormat(QStringLiteral("%d"));
    m_level->setTitleText(QStringLiteral("RxLev"));
    m_chart->addAxis(m_time, Qt::AlignBottom);
    m_chart->addAxis(m_level, Qt::AlignLeft);

    auto addSeries = [this](const QString &name, const QPen &pen) {
        auto *series = new QLineSeries;
        series->setName(name);
        series->setPen(pen);
        m_chart->addSeries(series);
        series->attachAxis(m_time);
        series->attachAxis(m_level);
        return series;
    };
    for (int c = 0; c < 7; ++c) {
        const QString name = c == 0 ? QStringLiteral("Main cell") : QStringLiteral("Neighbour %1").arg(c);
        // Whole-pixel widths: the raster engine strokes fractional widths
        // through its slow path, which a day of points makes felt.
        m_series[c] = addSeries(name, QPen(QColor(QLatin1String(kCellColours[c])), c == 0 ? 2 : 1));
    }
    QPen red(QColor(255, 0, 0), 1.0, Qt::DashLine);
    QPen green(QColor(0, 210, 0), 1.0, Qt::DashLine);
    m_red = addSeries(QStringLiteral("Red below"), red);
    m_green = addSeries(QStringLiteral("Green above"), green);

    m_view = new QChartView(m_chart, this);
    m_view->setRenderHint(QPainter::Antialiasing, false);
    m_view->setMinimumSize(640, 360);

    m_export = new QPushButton(QStringLiteral("Export CSV..."), this);
    connect(m_export, &QPushButton::clicked, this, &SignalHistoryWindow::Export);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_export);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    resize(760, 460);
}

SignalHistoryWindow::~SignalHistoryWindow() = default;

void SignalHistoryWindow::SetThresholds(int red, int green)
{
    m_redLevel = red;
    m_greenLevel = green;
    m_red->setName(QStringLiteral("Red below %1").arg(red));
    m_green->setName(QStringLiteral("Green above %1").arg(green));
    PlaceThresholds();
}

void SignalHistoryWindow::PlaceThresholds()
{
    m_red->replace(QList<QPointF>{QPointF(m_from, m_redLevel), QPointF(m_to, m_redLevel)});
    m_green->replace(QList<QPointF>{QPointF(m_from, m_greenLevel), QPointF(m_to, m_greenLevel)});
}

void SignalHistoryWindow::Refresh()
{
    // The time axis moves in steps of a tenth of its span, not with every
    // sample: laying out its labels again is most of a redraw's cost.
    qint64 first = QDateTime::currentMSecsSinceEpoch() - 60000;
    qint64 last = first + 60000;
    if (!m_history.IsEmpty()) {
        first = m_history.MsecsAt(0);
        last = m_history.MsecsAt(m_history.Size() - 1);
    }
    const qint64 span = std::max<qint64>(last - first, 10000);
    if (m_to <= m_from || last > m_to || first < m_from || first - m_from > span / 10 || m_to - last > span / 5) {
        m_from = first;
        m_to = first + span + span / 10;
        m_time->setRange(QDateTime::fromMSecsSinceEpoch(m_from, Qt::UTC),
                         QDateTime::fromMSecsSinceEpoch(m_to, Qt::UTC));
        const QString format = m_to - m_from > 24LL * 3600 * 1000 ? QStringLiteral("dd HH:mm")
                                                                  : QStringLiteral("HH:mm:ss");
        if (m_time->format() != format)
            m_time->setFormat(format);
        PlaceThresholds();
    }
    // A low and a high point per four pixels: a fade or a spike still
    // shows, and the chart's own cost, which grows with its points, stays
    // small with a day of samples.
    const int buckets = std::max(50, int(m_chart->plotArea().width()) / 4);
    for (int c = 0; c < 7; ++c) {
        const QVector<PlotPoint> points = ReduceForPlot(m_history, c, buckets);
        QList<QPointF> line;
        line.reserve(points.size());
        for (const PlotPoint &p : points)
            line.append(QPointF(qreal(p.msecs), p.rxlev));
        m_series[c]->replace(line);
    }
}

bool SignalHistoryWindow::ExportTo(const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !m_history.WriteCsv(&file) || !file.commit()) {
        if (m_prompter)
            m_prompter->Message(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()), QString(),
                                Prompter::Icon::Warning);
        return false;
    }
    return true;
}

void SignalHistoryWindow::Export()
{
    if (!m_prompter)
        return;
    const QString path = m_prompter->SaveFile(QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv"));
    if (!path.isEmpty())
        ExportTo(path);
}

} // namespace telvio
