#include "link/core/portholders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace telvio {

QList<PortHolder> ProcessesHolding(const QString &devicePath, const QString &procRoot)
{
    QList<PortHolder> holders;
    const QString canonical = QFileInfo(devicePath).canonicalFilePath();
    const QString target = canonical.isEmpty() ? devicePath : canonical;
    const QDir proc(procRoot);
    for (const QString &entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        const QDir fds(proc.filePath(entry + QLatin1String("/fd")));
        // Descriptors are links to what they have open; a process that ends
        // while it is being looked at simply lists nothing.
        for (const QFileInfo &fd : fds.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            if (fd.symLinkTarget() != target)
                continue;
            QFile comm(proc.filePath(entry + QLatin1String("/comm")));
            QString name;
            if (comm.open(QIODevice::ReadOnly))
                name = QString::fromLocal8Bit(comm.readAll()).trimmed();
            holders.append({pid, name});
            break;
        }
    }
    return holders;
}

QString DescribeHolders(const QList<PortHolder> &holders)
{
    QStringList parts;
    for (const PortHolder &h : holders) {
        parts << (h.name.isEmpty() ? QStringLiteral("process %1").arg(h.pid)
                                   : QStringLiteral("%1 (process %2)").arg(h.name).arg(h.pid));
    }
    return parts.join(QLatin1String(", "));
}

} // namespace telvio
