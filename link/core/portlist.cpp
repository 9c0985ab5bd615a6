#include "link/core/portlist.h"

#include "link/core/modemsession.h"

#include <QSerialPortInfo>
#include <QSysInfo>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace telvio {

QString PortEntry::Label() const
{
    QString name = path;
    if (name.startsWith(QLatin1String("/dev/")))
        name.remove(0, 5);
    return name;
}

QList<PortEntry> CandidatePorts(bool askSystem, int count, const QStringList &extra, QString *osDescription)
{
    QList<PortEntry> ports;
    for (const QString &path : extra) {
        if (!path.isEmpty())
            ports.append(PortEntry{path});
    }
    auto present = [&ports](const QString &path) {
        for (const PortEntry &p : ports) {
            if (p.path == path)
                return true;
        }
        return false;
    };
    if (!askSystem) {
        for (int n = 0; n < count; ++n) {
            const QString path = QStringLiteral("/dev/ttyS%1").arg(n);
            if (!present(path))
                ports.append(PortEntry{path});
        }
        return ports;
    }
    if (osDescription)
        *osDescription = QStringLiteral("%1 %2").arg(QSysInfo::kernelType(), QSysInfo::kernelVersion());
    int added = 0;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        if (added >= count)
            break;
        const QString path = info.systemLocation();
        if (present(path))
            continue;
        ports.append(PortEntry{path});
        ++added;
    }
    return ports;
}

bool IsPseudoTerminal(const QString &path)
{
    struct stat st {};
    if (::stat(path.toLocal8Bit().constData(), &st) != 0 || !S_ISCHR(st.st_mode))
        return path.startsWith(QLatin1String("/dev/pts/"));
    // UNIX 98 pty slaves use majors 136..143.
    const unsigned m = major(st.st_rdev);
    return m >= 136 && m <= 143;
}

} // namespace telvio
