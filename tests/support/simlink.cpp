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
    session.SetPortName(path);
    session.SetLine(s);
    session.SetPollUnit(s.baud);
    session.SetConnected(true);
    session.SetTerminalOnly(true);
    comm.SetRThreshold(1);
    return true;
}

} // namespace telvio::test
