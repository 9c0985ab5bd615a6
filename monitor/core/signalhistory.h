#pragma once

#include "pages/core/pageslayer.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QVector>

#include <array>
#include <deque>
#include <vector>

class QIODevice;

namespace telvio {

// What one completed measurement cycle leaves for the history: cell 0 is
// the main cell, 1 to 6 the neighbours; a neighbour the modem did not
// report is not present.
struct SignalSample {
    QDateTime time; // UTC
    std::array<QByteArray, 7> cellId;
    std::array<int, 7> rxlev{};
    std::array<bool, 7> present{};
    int berCode = 99;
};

// A point of a plotted level.
struct PlotPoint {
    qint64 msecs;
    int rxlev;
};

// The levels of the last cycles, oldest first, bounded: once full, each new
// sample pushes out the oldest. The default holds a day at one cycle a
// second. Cell ids are kept once each, as a site rarely shows more than a
// few dozen, so a full day costs a few megabytes.
class SignalHistory {
public:
    static constexpr int kDefaultCapacity = 86400;

    explicit SignalHistory(int capacity = kDefaultCapacity);

    void Append(const SignalSample &sample);
    void Clear();
    int Size() const { return int(m_samples.size()); }
    int Capacity() const { return m_capacity; }
    bool IsEmpty() const { return m_samples.empty(); }
    // Samples appended since the history was made or cleared, pushed-out
    // ones included: a plot compares it to know what it has not drawn.
    quint64 Appended() const { return m_appended; }

    // 0 is the oldest sample kept.
    SignalSample At(int index) const;
    qint64 MsecsAt(int index) const { return Slot(index).msecs; }
    int RxlevAt(int index, int cell) const { return Slot(index).rxlev[cell]; }
    bool PresentAt(int index, int cell) const { return Slot(index).present & (1u << cell); }

    // One row per cycle: time (ISO 8601, UTC), the main cell's id, RxLev and
    // BER code, then each neighbour's id and RxLev (both empty for a
    // neighbour not reported).
    static QByteArray CsvHeader();
    static QByteArray CsvRow(const SignalSample &sample);
    // The header and every sample; false when the device refuses a write.
    bool WriteCsv(QIODevice *device) const;

    // See ReduceForPlot below.
    QVector<PlotPoint> Reduce(int cell, int buckets) const;

private:
    // The lowest and highest level of a cell over a block of samples, and
    // where they are (counted over every sample ever appended): a plot of a
    // full day reads a few thousand of these instead of every sample.
    static constexpr int kBlock = 16;
    struct Range {
        qint16 low = 0;
        qint16 high = 0;
        quint64 lowAt = 0;
        quint64 highAt = 0;
        bool any = false;
    };
    using Block = std::array<Range, 7>;

    struct Stored {
        qint64 msecs = 0;
        std::array<quint32, 7> id{};
        std::array<qint16, 7> rxlev{};
        qint16 berCode = 99;
        quint8 present = 0;
    };
    const Stored &Slot(int index) const { return m_samples[(m_first + index) % m_samples.size()]; }
    quint32 Intern(const QByteArray &id);
    quint64 FirstAbsolute() const { return m_appended - quint64(m_samples.size()); }
    void Summarise(const Stored &s);
    // Adds samples [from, to) (absolute) of a cell to a range one by one.
    void Scan(int cell, quint64 from, quint64 to, Range *range) const;

    int m_capacity;
    std::vector<Stored> m_samples;
    size_t m_first = 0;
    quint64 m_appended = 0;
    std::deque<Block> m_blocks;
    quint64 m_firstBlock = 0;
    QList<QByteArray> m_ids;
    QHash<QByteArray, quint32> m_idIndex;
};

// A cell's level over the whole history thinned for a plot `buckets`
// points wide: the lowest and the highest level of each run of samples, in
// the order they came, so that a fade or a peak survives at any zoom.
// Samples where the cell is not present leave no point. With few samples
// every one is a point. Runs start at fixed places of the sample count, so
// a plot does not jitter as samples come in, and are whole blocks: there
// may be fewer of them than asked for.
inline QVector<PlotPoint> ReduceForPlot(const SignalHistory &history, int cell, int buckets)
{
    return history.Reduce(cell, buckets);
}

} // namespace telvio
