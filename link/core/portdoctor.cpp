#include "link/core/portdoctor.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QSerialPortInfo>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace telvio {

namespace {

// The kernel's name of the system service that probes every new serial
// device for a modem of its own.
bool IsModemManager(const PortHolder &h)
{
    return h.name.compare(QLatin1String("ModemManager"), Qt::CaseInsensitive) == 0;
}

QString GroupOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QString();
    if (const group *g = ::getgrgid(st.st_gid))
        return QString::fromLocal8Bit(g->gr_name);
    return QString::number(st.st_gid);
}

void Missing(PortDiagnosis &d)
{
    d.cause = PortDiagnosis::Cause::Missing;
    d.existing = ExistingPorts();
    d.text = QStringLiteral("%1 does not exist (a USB adapter unplugged, or a mistyped name).").arg(d.port);
    d.advice = d.existing.isEmpty() ? QStringLiteral("No serial port is there now: plug the modem or its adapter in.")
                                    : QStringLiteral("The ports there are: %1.").arg(d.existing.join(QLatin1String(", ")));
}

void Permission(PortDiagnosis &d)
{
    d.cause = PortDiagnosis::Cause::Permission;
    d.group = GroupOf(d.port);
    d.text = QStringLiteral("Permission denied: this user may not open %1.").arg(d.port);
    if (d.group.isEmpty() || d.group == QLatin1String("root"))
        d.advice = QStringLiteral("Ask the administrator for read and write access to %1.").arg(d.port);
    else
        d.advice = QStringLiteral("The device belongs to the group %1: join it with \"sudo usermod -aG %1 $USER\", "
                                  "then log out and in again.")
                       .arg(d.group);
}

void Busy(PortDiagnosis &d)
{
    d.cause = PortDiagnosis::Cause::Busy;
    for (const PortHolder &h : d.holders)
        d.modemManager = d.modemManager || IsModemManager(h);
    if (d.holders.isEmpty()) {
        d.text = QStringLiteral("%1 is busy: another program has it open (one this user may not see).").arg(d.port);
        d.advice = QStringLiteral("Close the other terminal or modem program, then try again.");
        return;
    }
    d.text = QStringLiteral("%1 is in use by %2.").arg(d.port, DescribeHolders(d.holders));
    if (d.modemManager)
        d.advice = QStringLiteral("That is the system's modem manager, which probes new serial devices: keep it off "
                                  "this device with a udev rule setting ENV{ID_MM_DEVICE_IGNORE}=\"1\" for it (in "
                                  "/etc/udev/rules.d/), or stop it with \"sudo systemctl stop ModemManager\".");
    else
        d.advice = QStringLiteral("Close that program (or end it: \"kill %1\"), then try again.").arg(d.holders.first().pid);
}

void Other(PortDiagnosis &d, const QString &errorText)
{
    d.cause = PortDiagnosis::Cause::Other;
    d.text = QStringLiteral("%1 cannot be opened: %2.").arg(d.port, errorText);
    d.advice = QStringLiteral("Check that it is a serial device and that its driver is loaded.");
}

QList<PortHolder> Others(const QString &path, qint64 self)
{
    QList<PortHolder> others;
    for (const PortHolder &h : ProcessesHolding(path)) {
        if (h.pid != self)
            others << h;
    }
    return others;
}

} // namespace

QString PortDiagnosis::CauseName(Cause cause)
{
    switch (cause) {
    case Cause::Ok: return QStringLiteral("ok");
    case Cause::Missing: return QStringLiteral("missing");
    case Cause::Permission: return QStringLiteral("permission");
    case Cause::Busy: return QStringLiteral("busy");
    case Cause::Other: break;
    }
    return QStringLiteral("other");
}

QString PortDiagnosis::Message() const
{
    if (Ok())
        return QString();
    return text + QLatin1Char(' ') + advice;
}

QJsonObject PortDiagnosis::ToJson() const
{
    QJsonObject o{{QStringLiteral("port"), port},
                  {QStringLiteral("cause"), CauseName(cause)},
                  {QStringLiteral("text"), text},
                  {QStringLiteral("advice"), advice}};
    if (cause == Cause::Missing)
        o.insert(QStringLiteral("existing"), QJsonArray::fromStringList(existing));
    if (cause == Cause::Permission)
        o.insert(QStringLiteral("group"), group);
    if (cause == Cause::Busy) {
        QJsonArray list;
        for (const PortHolder &h : holders)
            list.append(QJsonObject{{QStringLiteral("pid"), h.pid}, {QStringLiteral("name"), h.name}});
        o.insert(QStringLiteral("holders"), list);
        o.insert(QStringLiteral("modemManager"), modemManager);
    }
    return o;
}

PortDiagnosis DiagnoseOpenError(const QString &path, QSerialPort::SerialPortError error, const QString &errorText,
                                qint64 self)
{
    PortDiagnosis d;
    d.port = path;
    // exists() follows a symbolic link: a dangling one is a missing device.
    if (error == QSerialPort::DeviceNotFoundError || !QFileInfo::exists(path)) {
        Missing(d);
        return d;
    }
    if (error == QSerialPort::NoError)
        return d;
    if (error == QSerialPort::PermissionError) {
        // The driver says "permission" for a device another program has
        // locked or opened exclusively, too: the file's own rights tell.
        if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0) {
            Permission(d);
            return d;
        }
        d.holders = Others(path, self);
        Busy(d);
        return d;
    }
    Other(d, errorText);
    return d;
}

PortDiagnosis DiagnosePort(const QString &path, qint64 self)
{
    if (!QFileInfo::exists(path))
        return DiagnoseOpenError(path, QSerialPort::DeviceNotFoundError, QString(), self);
    QSerialPort port(path);
    if (port.open(QIODevice::ReadWrite)) {
        port.close();
        return DiagnoseOpenError(path, QSerialPort::NoError, QString(), self);
    }
    return DiagnoseOpenError(path, port.error(), port.errorString(), self);
}

QString WithDiagnosis(const QString &message, const QString &port)
{
    const PortDiagnosis d = DiagnosePort(port, QCoreApplication::applicationPid());
    return d.Ok() ? message : QStringLiteral("%1\n\n%2\n%3").arg(message, d.text, d.advice);
}

QStringList ExistingPorts()
{
    QStringList ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports << info.systemLocation();
    ports.sort();
    return ports;
}

} // namespace telvio
