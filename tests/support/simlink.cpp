#include "support/simlink.h"

#include "link/core/portsettings.h"

namespace telvio::test {

SimLink::SimLink(const sim::SimConfig &config)
{
    path = modem.start(config);
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, &session, &ModemSession::Tick);
    tick.start();
}

SimLink::~SimLink()
{
    tick.stop();
    comm.SetPortOpen(false);
    modem.stop();
}

bool SimLink::Open(const QString &settings)
{
    PortSettings s;
    if (!PortSettings::Parse(settings, &s))
        return false;
    comm.SetCommPort(path);
    comm.SetSettings(settings);
    if (!comm.SetPortOpen(true))
        return false;
    session.portName = path;
    session.baudText = QString::number(s.baud);
    session.parity = QLatin1Char(s.parity);
    session.dataBitsText = QString::number(s.dataBits);
    session.stopBitsText = QString::number(s.stopBits);
    session.SetPollUnit(s.baud);
    session.SetConnected(true);
    session.terminalOnly = true;
    comm.SetRThreshold(1);
    return true;
}

} // namespace telvio::test
