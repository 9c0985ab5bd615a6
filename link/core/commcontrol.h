#pragma once

#include "link/core/linklayer.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace telvio {

// The serial communications control as the rest of the program sees it: a
// port with a few properties and one event. `CMSComm` drives a real serial
// device; tests hand the session an in-memory control with the same face.
class CommControl : public QObject {
    Q_OBJECT
public:
    // CommEvent codes the program reacts to.
    enum Event { EvReceive = 2, EvCts = 3 };
    // Handshaking values, numbered as the stored FlowControl option.
    enum Handshake { NoHandshaking = 0, XonXoff = 1, RtsCts = 2, RtsCtsXonXoff = 3 };

    using QObject::QObject;
    ~CommControl() override = default;

    // Port to open: a device path on this platform.
    virtual void SetCommPort(const QString &port) = 0;
    virtual QString CommPort() const = 0;
    // "9600,N,8,1": baud, parity letter, data bits, stop bits. Applied at
    // once when the port is open. False when the text is malformed or an
    // open real port refuses it.
    virtual bool SetSettings(const QString &settings) = 0;
    virtual QString Settings() const = 0;
    // Opening may fail; ErrorText() then says why. Closing never fails.
    virtual bool SetPortOpen(bool open) = 0;
    virtual bool PortOpen() const = 0;
    virtual QString ErrorText() const = 0;

    virtual void SetDTREnable(bool on) = 0;
    virtual void SetRTSEnable(bool on) = 0;
    virtual void SetHandshaking(int mode) = 0;
    // 0: no receive events; 1: an event as soon as input is waiting.
    virtual void SetRThreshold(int threshold) = 0;
    virtual int RThreshold() const = 0;

    virtual int OutBufferCount() const = 0;
    virtual void SetOutput(const QByteArray &data) = 0;
    // Hands over and removes everything received so far.
    virtual QByteArray Input() = 0;
    virtual bool DSRHolding() const = 0;
    virtual int CommEvent() const = 0;

signals:
    // Receive (EvReceive) or CTS change (EvCts); CommEvent() tells which.
    void OnComm();
    // The device went away (unplugged, hang-up, read error). Raised once;
    // the port is already closed when it arrives.
    void LinkLost(const QString &reason);
};

} // namespace telvio
