#pragma once

#include "link/core/portholders.h"

#include <QJsonObject>
#include <QList>
#include <QSerialPort>
#include <QString>
#include <QStringList>

namespace telvio {

// Why a port cannot be opened, in plain words, and what to do about it.
struct PortDiagnosis {
    enum class Cause { Ok, Missing, Permission, Busy, Other };

    QString port;
    Cause cause = Cause::Ok;
    QString text;              // what is wrong ("" when the port opens)
    QString advice;            // what to do about it
    QStringList existing;      // Missing: the ports there are
    QString group;             // Permission: the group that owns the device
    QList<PortHolder> holders; // Busy: the processes that have it open
    bool modemManager = false; // Busy: one of them is the system's modem manager

    bool Ok() const { return cause == Cause::Ok; }
    // "<text> <advice>", or "" when the port opens.
    QString Message() const;
    QJsonObject ToJson() const;
    static QString CauseName(Cause cause); // ok, missing, permission, busy, other
};

// Opens the device as the serial control does (lock and exclusive mode
// included) and closes it again; when that fails, finds out why: is it
// there, may this user open it, which process holds it. `self` is left out
// of the holders (the caller's own process).
PortDiagnosis DiagnosePort(const QString &path, qint64 self);

// The diagnosis for an open that failed with `error`: for a caller that
// saw the failure itself. `errorText` is the driver's words for Other.
PortDiagnosis DiagnoseOpenError(const QString &path, QSerialPort::SerialPortError error, const QString &errorText,
                                qint64 self);

// A failed open's message with the diagnosis of `port` under it (this
// process left out of the holders); the message alone when the port opens
// by now.
QString WithDiagnosis(const QString &message, const QString &port);

// The candidate serial ports of this machine.
QStringList ExistingPorts();

} // namespace telvio
