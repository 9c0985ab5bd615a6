#pragma once

#include "link/core/commcontrol.h"

#include <QByteArray>
#include <QList>

#include <functional>

namespace telvio::test {

// An in-memory serial control. What the session writes is recorded in
// Written(); what the "modem" says is queued with Feed() and handed out by
// Input(). A responder, when set, is told of every write and may answer.
class MemoryPort : public CommControl {
    Q_OBJECT
public:
    using Responder = std::function<void(const QByteArray &written)>;

    void SetCommPort(const QString &port) override { m_port = port; }
    QString CommPort() const override { return m_port; }
    bool SetSettings(const QString &settings) override;
    QString Settings() const override { return m_settings; }
    bool SetPortOpen(bool open) override;
    bool PortOpen() const override { return m_open; }
    QString ErrorText() const override { return m_refuseOpen ? QStringLiteral("refused") : QString(); }

    void SetDTREnable(bool on) override { m_dtr = on; }
    void SetRTSEnable(bool on) override { m_rts = on; }
    void SetHandshaking(int mode) override { m_handshake = mode; }
    void SetRThreshold(int threshold) override;
    int RThreshold() const override { return m_rThreshold; }

    int OutBufferCount() const override { return m_pendingOut; }
    void SetOutput(const QByteArray &data) override;
    QByteArray Input() override;
    bool DSRHolding() const override { return m_dsr; }
    int CommEvent() const override { return m_event; }

    // --- test side ---
    void Feed(const QByteArray &bytes);
    void SetResponder(Responder r) { m_responder = std::move(r); }
    Responder CurrentResponder() const { return m_responder; }
    void SetPendingOutput(int count) { m_pendingOut = count; }
    void SetRefuseOpen(bool refuse) { m_refuseOpen = refuse; }
    void SetDsr(bool on) { m_dsr = on; }
    void RaiseCts();
    // Pulls the plug: the port closes and LinkLost is raised.
    void Unplug();

    QList<QByteArray> Writes() const { return m_writes; }
    // The command lines written, without their CR; a bare CR (the probe's)
    // left out.
    QList<QByteArray> CommandLines() const
    {
        QList<QByteArray> lines;
        for (QByteArray w : m_writes) {
            if (w.endsWith('\r'))
                w.chop(1);
            if (!w.isEmpty())
                lines << w;
        }
        return lines;
    }
    QByteArray Written() const;
    int Waiting() const { return int(m_input.size()); }
    QList<int> RThresholdHistory() const { return m_thresholds; }
    int ReceiveEvents() const { return m_receiveEvents; }
    bool Dtr() const { return m_dtr; }
    bool Rts() const { return m_rts; }
    int Handshake() const { return m_handshake; }

private:
    QString m_port;
    QString m_settings = QStringLiteral("9600,N,8,1");
    QByteArray m_input;
    QList<QByteArray> m_writes;
    QList<int> m_thresholds;
    Responder m_responder;
    int m_pendingOut = 0;
    int m_rThreshold = 0;
    int m_event = 0;
    int m_handshake = 0;
    int m_receiveEvents = 0;
    bool m_open = false;
    bool m_refuseOpen = false;
    bool m_dsr = false;
    bool m_dtr = false;
    bool m_rts = false;
};

} // namespace telvio::test
