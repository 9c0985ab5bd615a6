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
    if (int(m_samples.size()) < m_capacity) {
        m_samples.push_back(s);
    } else {
        m_samples[m_first] = s;
        m_first = (m_first + 1) % m_samples.size();
    }
    ++m_appended;
}

void SignalHistory::Clear()
{
    m_samples.clear();
    m_first = 0;
    m_appended = 0;
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

QVector<PlotPoint> ReduceForPlot(const SignalHistory &history, int cell, int buckets)
{
    QVector<PlotPoint> points;
    const int n = history.Size();
    buckets = std::max(1, buckets);
    if (n <= 2 * buckets) {
        points.reserve(n);
        for (int i = 0; i < n; ++i) {
            if (history.PresentAt(i, cell))
                points.append({history.MsecsAt(i), history.RxlevAt(i, cell)});
        }
        return points;
    }
    points.reserve(2 * buckets);
    for (int b = 0; b < buckets; ++b) {
        const int from = int(qint64(n) * b / buckets);
        const int to = int(qint64(n) * (b + 1) / buckets);
        int low = -1;
        int high = -1;
        for (int i = from; i < to; ++i) {
            if (!history.PresentAt(i, cell))
                continue;
            const int level = history.RxlevAt(i, cell);
            if (low < 0 || level < history.RxlevAt(low, cell))
                low = i;
            if (high < 0 || level > history.RxlevAt(high, cell))
                high = i;
        }
        if (low < 0)
            continue;
        const int first = std::min(low, high);
        const int second = std::max(low, high);
        points.append({history.MsecsAt(first), history.RxlevAt(first, cell)});
        if (second != first)
            points.append({history.MsecsAt(second), history.RxlevAt(second, cell)});
    }
    return points;
}

} // namespace telvio
