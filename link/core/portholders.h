#pragma once

#include <QList>
#include <QString>

namespace telvio {

struct PortHolder {
    qint64 pid = 0;
    QString name; // the program's name as the kernel keeps it ("picocom")
};

// The processes that have the device open, found among the open
// descriptors under /proc (a symbolic link such as the simulator's --link
// is followed first). Processes this user may not look into are missed,
// so an empty list does not prove the port free.
QList<PortHolder> ProcessesHolding(const QString &devicePath, const QString &procRoot = QStringLiteral("/proc"));

// "picocom (process 4711)", several joined with ", ".
QString DescribeHolders(const QList<PortHolder> &holders);

} // namespace telvio
