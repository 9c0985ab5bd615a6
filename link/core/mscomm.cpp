#include "link/core/mscomm.h"

#include "link/core/portlist.h"

namespace telvio {

namespace {

QSerialPort::Parity ToQtParity(char letter)
{
    switch (letter) {
    case 'E': return QSerialPort::EvenParity;
    case 'O': return QSerialPort::OddParity;
    case 'M': return QSerialPort::MarkParity;
    case 'S': return QSerialPort::SpaceParity;
    default: return QSerialPort::NoParity;
    }
}

QSerialPort::FlowControl ToQtFlow(int mode)
{
    switch (mode) {
    case CommControl::XonXoff: return QSerialPort::SoftwareControl;
    case CommControl::RtsCts:
    case CommControl::RtsCtsXonXoff: return QSerialPort::HardwareControl;
    default: return QSerialPort::NoFlowControl;
    }
}

} // namespace

CMSComm::CMSComm(QObject *parent) : CommControl(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &CMSComm::OnReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &CMSComm::OnError);
    m_ctsPoll.setInterval(50);
    connect(&m_ctsPoll, &QTimer::timeout, this, &CMSComm::PollCts);
}

CMSComm::~CMSComm()
{
    m_ctsPoll.stop();
    if (m_port.isOpen())
        m_port.close();
}

void CMSComm::SetCommPort(const QString &port)
{
    m_path = port;
}

bool CMSComm::SetSettings(const QString &settings)
{
    PortSettings parsed;
    if (!PortSettings::Parse(settings, &parsed))
        return false;
    m_settings = parsed;
    if (!m_port.isOpen())
        return true;
    return ApplyLineSettings();
}

bool CMSComm::ApplyLineSettings()
{
    QString refused;
    if (!m_port.setBaudRate(m_settings.baud))
        refused = QStringLiteral("baud rate %1").arg(m_settings.baud);
    if (!m_port.setStopBits(m_settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) && refused.isEmpty())
        refused = QStringLiteral("%1 stop bits").arg(m_settings.stopBits);
    // A pty is always 8 data bits without parity: what it refuses there
    // changes nothing on the line.
    const bool dataOk = m_port.setDataBits(static_cast<QSerialPort::DataBits>(m_settings.dataBits));
    const bool parityOk = m_port.setParity(ToQtParity(m_settings.parity));
    if (!m_pty && refused.isEmpty()) {
        if (!dataOk)
            refused = QStringLiteral("%1 data bits").arg(m_settings.dataBits);
        else if (!parityOk)
            refused = QStringLiteral("parity %1").arg(QLatin1Char(m_settings.parity));
    }
    if (!m_port.setFlowControl(ToQtFlow(m_handshake)) && !m_pty && refused.isEmpty())
        refused = QStringLiteral("flow control");
    if (refused.isEmpty())
        return true;
    m_errorText = QStringLiteral("%1 refuses %2").arg(m_path, refused);
    return false;
}

bool CMSComm::SetPortOpen(bool open)
{
    if (!open) {
        m_ctsPoll.stop();
        if (m_port.isOpen())
            m_port.close();
        m_receivePosted = false;
        return true;
    }
    if (m_port.isOpen())
        return true;
    m_errorText.clear();
    m_openError = QSerialPort::NoError;
    if (m_path.isEmpty()) {
        m_errorText = QStringLiteral("no port chosen");
        return false;
    }
    m_pty = telvio::IsPseudoTerminal(m_path);
    m_port.setPortName(m_path);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_openError = m_port.error();
        m_errorText = QStringLiteral("%1: %2").arg(m_path, m_port.errorString());
        return false;
    }
    if (!ApplyLineSettings()) {
        m_port.close();
        return false;
    }
    // A pseudo-terminal keeps what arrived while nobody had it open; a fresh
    // open starts with an empty input, as a real port does.
    m_port.clear(QSerialPort::Input);
    ApplyLines();
    m_ctsKnown = false;
    if (!m_pty)
        m_ctsPoll.start();
    return true;
}

void CMSComm::ApplyLines()
{
    if (!m_port.isOpen() || m_pty)
        return;
    // Under hardware flow control the driver owns RTS.
    if (m_port.flowControl() != QSerialPort::HardwareControl)
        m_port.setRequestToSend(m_rts);
    m_port.setDataTerminalReady(m_dtr);
}

void CMSComm::SetDTREnable(bool on)
{
    m_dtr = on;
    if (m_port.isOpen() && !m_pty)
        m_port.setDataTerminalReady(on);
}

void CMSComm::SetRTSEnable(bool on)
{
    m_rts = on;
    if (m_port.isOpen() && !m_pty && m_port.flowControl() != QSerialPort::HardwareControl)
        m_port.setRequestToSend(on);
}

void CMSComm::SetHandshaking(int mode)
{
    m_handshake = (mode >= NoHandshaking && mode <= RtsCtsXonXoff) ? mode : NoHandshaking;
    if (m_port.isOpen()) {
        m_port.setFlowControl(ToQtFlow(m_handshake));
        ApplyLines();
    }
}

void CMSComm::SetRThreshold(int threshold)
{
    m_rThreshold = threshold;
    // Input that arrived while events were off is announced now.
    if (threshold > 0)
        RaiseReceiveIfWaiting();
}

void CMSComm::RaiseReceiveIfWaiting()
{
    if (m_receivePosted || !m_port.isOpen() || m_port.bytesAvailable() < m_rThreshold)
        return;
    m_receivePosted = true;
    QMetaObject::invokeMethod(this, [this] {
        m_receivePosted = false;
        if (m_rThreshold > 0 && m_port.isOpen() && m_port.bytesAvailable() >= m_rThreshold) {
            m_commEvent = EvReceive;
            emit OnComm();
        }
    }, Qt::QueuedConnection);
}

int CMSComm::OutBufferCount() const
{
    return m_port.isOpen() ? int(qMin<qint64>(m_port.bytesToWrite(), 32767)) : 0;
}

void CMSComm::SetOutput(const QByteArray &data)
{
    if (!m_port.isOpen() || data.isEmpty())
        return;
    m_port.write(data);
    m_port.flush();
}

QByteArray CMSComm::Input()
{
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

bool CMSComm::DSRHolding() const
{
    if (!m_port.isOpen() || m_pty)
        return false;
    return m_port.pinoutSignals().testFlag(QSerialPort::DataSetReadySignal);
}

void CMSComm::OnReadyRead()
{
    if (m_rThreshold > 0 && m_port.bytesAvailable() >= m_rThreshold) {
        m_commEvent = EvReceive;
        emit OnComm();
    }
}

void CMSComm::OnError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::DeviceNotFoundError:
        break;
    default:
        return; // refused ioctls on a pty, timeouts: not a lost link
    }
    if (!m_port.isOpen())
        return;
    // A vanished device keeps its descriptor readable with nothing to read:
    // close at the first error so there is one report, not a flood.
    const QString reason = QStringLiteral("%1: %2").arg(m_path, m_port.errorString());
    m_ctsPoll.stop();
    m_port.close();
    m_port.clearError();
    emit LinkLost(reason);
}

void CMSComm::PollCts()
{
    if (!m_port.isOpen())
        return;
    const QSerialPort::PinoutSignals pins = m_port.pinoutSignals();
    if (m_port.error() != QSerialPort::NoError) {
        // The driver cannot report the lines: stop asking.
        m_port.clearError();
        m_ctsPoll.stop();
        return;
    }
    const bool cts = pins.testFlag(QSerialPort::ClearToSendSignal);
    if (m_ctsKnown && cts != m_lastCts) {
        m_lastCts = cts;
        m_commEvent = EvCts;
        emit OnComm();
        return;
    }
    m_lastCts = cts;
    m_ctsKnown = true;
}

} // namespace telvio
