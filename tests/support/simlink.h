#pragma once

#include "link/core/modemsession.h"
#include "link/core/mscomm.h"
#include "sim/simthread.h"

#include <QTimer>

#include <memory>

namespace telvio::test {

// A simulated modem in its own thread and a session that reaches it through
// the real serial control (QSerialPort on the pseudo-terminal), ticked by a
// 50 ms timer like the main window's.
class SimLink {
public:
    explicit SimLink(const sim::SimConfig &config = sim::SimConfig());
    ~SimLink();

    bool Started() const { return !path.isEmpty(); }
    // Opens the port for plain exchanges, as the terminal's Open does.
    bool Open(const QString &settings = QStringLiteral("9600,N,8,1"));

    sim::SimThread modem;
    QString path;
    CMSComm comm;
    ModemSession session{&comm, nullptr};
    QTimer tick;
};

} // namespace telvio::test
