#pragma once

#include "link/core/linklayer.h"

#include "link/core/commcontrol.h"
#include "link/core/portsettings.h"

#include <QSerialPort>
#include <QTimer>

namespace telvio {

// The serial communications control over QSerialPort.
//
// A Linux pseudo-terminal refuses the modem-line ioctls (DTR, RTS, CTS,
// DSR), parity and 7 data bits; on a pty those refusals are harmless and
// ignored, so the simulator is reached through this very class. On a real
// port any refused setting makes the open fail.
class CMSComm : public CommControl {
    Q_OBJECT
public:
    explicit CMSComm(QObject *parent = nullptr);
    ~CMSComm() override;

    void SetCommPort(const QString &port) override;
    QString CommPort() const override { return m_path; }
    bool SetSettings(const QString &settings) override;
    QString Settings() const override { return m_settings.ToString(); }
    bool SetPortOpen(bool open) override;
    bool PortOpen() const override { return m_port.isOpen(); }
    QString ErrorText() const override { return m_errorText; }

    void SetDTREnable(bool on) override;
    void SetRTSEnable(bool on) override;
    void SetHandshaking(int mode) override;
    void SetRThreshold(int threshold) override;
    int RThreshold() const override { return m_rThreshold; }

    int OutBufferCount() const override;
    void SetOutput(const QByteArray &data) override;
    QByteArray Input() override;
    bool DSRHolding() const override;
    int CommEvent() const override { return m_commEvent; }

    bool IsPseudoTerminal() const { return m_pty; }
    // Why the last open failed: a device held by another program fails
    // with PermissionError (its lock or its exclusive mode).
    QSerialPort::SerialPortError OpenError() const { return m_openError; }

private:
    bool ApplyLineSettings();
    void ApplyLines();
    void OnReadyRead();
    void OnError(QSerialPort::SerialPortError error);
    void PollCts();
    void RaiseReceiveIfWaiting();

    mutable QSerialPort m_port;
    QTimer m_ctsPoll;
    QString m_path;
    PortSettings m_settings;
    QString m_errorText;
    QSerialPort::SerialPortError m_openError = QSerialPort::NoError;
    bool m_dtr = true;
    bool m_rts = true;
    int m_handshake = NoHandshaking;
    int m_rThreshold = 0;
    int m_commEvent = 0;
    bool m_pty = false;
    bool m_lastCts = false;
    bool m_ctsKnown = false;
    bool m_receivePosted = false;
};

} // namespace telvio
