#include "monitor/core/signalhistory.h"

#include <QIODevice>

#include <algorithm>

namespace telvio {

namespace {

QByteArray CsvField(const QByteArray &text)
{
    // Cell ids come off the line as they are; one with a comma, quote or
    // line end must not shift the columns.
    if (!text.contains(',') && !text.contains('"') && !text.contains('\r') && !text.contains('\n'))
        return text;
    QByteArray quoted = text;
    quoted.replace("\"", "\"\"");
    return '"' + quoted + '"';
}

qint16 Clamp16(int value)
{
    return qint16(std::clamp(value, -32768, 32767));
}

} // namespace

SignalHistory::SignalHistory(int capacity)
    : m_capacity(std::max(1, capacity))
{
}

quint32 SignalHistory::Intern(const QByteArray &id)
{
    const auto it = m_idIndex.constFind(id);
    if (it != m_idIndex.constEnd())
        return it.value();
    const quint32 index = quint32(m_ids.size());
    m_ids.append(id);
    m_idIndex.insert(id, index);
    return index;
}

void SignalHistory::Append(const SignalSample &sample)
{
    Stored s;
    s.msecs = sample.time.toMSecsSinceEpoch();
    for (int c = 0; c < 7; ++c) {
        s.id[c] = Intern(sample.cellId[c]);
        s.rxlev[c] = Clamp16(sample.rxlev[c]);
        if (sample.present[c])
            s.present |= quint8(1u << c);
    }
    s.berCode = Clamp16(sample.berCode);
    Summarise(s);
    if (int(m_samples.size()) < m_capacity) {
        m_samples.push_back(s);
    } else {
        m_samples[m_first] = s;
        m_first = (m_first + 1) % m_samples.size();
    }
    ++m_appended;
    // Blocks whose every sample has been pushed out go.
    while (!m_blocks.empty() && (m_firstBlock + 1) * kBlock <= FirstAbsolute()) {
        m_blocks.pop_front();
        ++m_firstBlock;
    }
}

void SignalHistory::Clear()
{
    m_samples.clear();
    m_first = 0;
    m_appended = 0;
    m_blocks.clear();
    m_firstBlock = 0;
    m_ids.clear();
    m_idIndex.clear();
}

SignalSample SignalHistory::At(int index) const
{
    const Stored &s = Slot(index);
    SignalSample sample;
    sample.time = QDateTime::fromMSecsSinceEpoch(s.msecs, Qt::UTC);
    for (int c = 0; c < 7; ++c) {
        sample.cellId[c] = m_ids.at(int(s.id[c]));
        sample.rxlev[c] = s.rxlev[c];
        sample.present[c] = s.present & (1u << c);
    }
    sample.berCode = s.berCode;
    return sample;
}

QByteArray SignalHistory::CsvHeader()
{
    QByteArray header = "time,main_cell_id,main_rxlev,ber";
    for (int n = 1; n <= 6; ++n)
        header += QByteArray(",n") + QByteArray::number(n) + "_cell_id,n" + QByteArray::number(n) + "_rxlev";
    return header + "\r\n";
}

QByteArray SignalHistory::CsvRow(const SignalSample &sample)
{
    QByteArray row = sample.time.toUTC().toString(Qt::ISODate).toLatin1();
    row += ',' + CsvField(sample.cellId[0]) + ',' + QByteArray::number(sample.rxlev[0]) + ','
        + QByteArray::number(sample.berCode);
    for (int c = 1; c < 7; ++c) {
        if (sample.present[c])
            row += ',' + CsvField(sample.cellId[c]) + ',' + QByteArray::number(sample.rxlev[c]);
        else
            row += ",,";
    }
    return row + "\r\n";
}

bool SignalHistory::WriteCsv(QIODevice *device) const
{
    if (device->write(CsvHeader()) < 0)
        return false;
    for (int i = 0; i < Size(); ++i) {
        if (device->write(CsvRow(At(i))) < 0)
            return false;
    }
    return true;
}

void SignalHistory::Summarise(const Stored &s)
{
    const quint64 at = m_appended;
    const quint64 block = at / kBlock;
    if (m_blocks.empty())
        m_firstBlock = block;
    if (block >= m_firstBlock + m_blocks.size())
        m_blocks.emplace_back();
    Block &b = m_blocks.back();
    for (int c = 0; c < 7; ++c) {
        if (!(s.present & (1u << c)))
            continue;
        Range &r = b[c];
        if (!r.any || s.rxlev[c] < r.low) {
            r.low = s.rxlev[c];
            r.lowAt = at;
        }
        if (!r.any || s.rxlev[c] > r.high) {
            r.high = s.rxlev[c];
            r.highAt = at;
        }
        r.any = true;
    }
}

void SignalHistory::Scan(int cell, quint64 from, quint64 to, Range *range) const
{
    const quint64 first = FirstAbsolute();
    for (quint64 at = from; at < to; ++at) {
        const int i = int(at - first);
        if (!PresentAt(i, cell))
            continue;
        const int level = RxlevAt(i, cell);
        if (!range->any || level < range->low) {
            range->low = qint16(level);
            range->lowAt = at;
        }
        if (!range->any || level > range->high) {
            range->high = qint16(level);
            range->highAt = at;
        }
        range->any = true;
    }
}

QVector<PlotPoint> SignalHistory::Reduce(int cell, int buckets) const
{
    QVector<PlotPoint> points;
    const int n = Size();
    buckets = std::max(1, buckets);
    if (n <= 2 * buckets) {
        points.reserve(n);
        for (int i = 0; i < n; ++i) {
            if (PresentAt(i, cell))
                points.append({MsecsAt(i), RxlevAt(i, cell)});
        }
        return points;
    }
    const quint64 first = FirstAbsolute();
    const quint64 end = m_appended;
    quint64 run = (quint64(n) + quint64(buckets) - 1) / quint64(buckets);
    run = (run + kBlock - 1) / kBlock * kBlock;
    points.reserve(2 * (int(quint64(n) / run) + 2));
    for (quint64 start = first / run * run; start < end; start += run) {
        Range range;
        const quint64 stop = std::min(start + run, end);
        for (quint64 block = start / kBlock; block * kBlock < stop; ++block) {
            const quint64 blockStart = block * kBlock;
            if (blockStart < first) {
                // Partly pushed out: its summary may name a sample gone.
                Scan(cell, first, std::min(blockStart + kBlock, stop), &range);
                continue;
            }
            const Range &r = m_blocks[block - m_firstBlock][cell];
            if (!r.any)
                continue;
            if (!range.any || r.low < range.low) {
                range.low = r.low;
                range.lowAt = r.lowAt;
            }
            if (!range.any || r.high > range.high) {
                range.high = r.high;
                range.highAt = r.highAt;
            }
            range.any = true;
        }
        if (!range.any)
            continue;
        const quint64 a = std::min(range.lowAt, range.highAt);
        const quint64 b = std::max(range.lowAt, range.highAt);
        points.append({MsecsAt(int(a - first)), RxlevAt(int(a - first), cell)});
        if (b != a)
            points.append({MsecsAt(int(b - first)), RxlevAt(int(b - first), cell)});
    }
    return points;
}

} // namespace telvio
