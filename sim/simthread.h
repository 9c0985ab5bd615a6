#pragma once

#include "sim/faults.h"
#include "sim/simconfig.h"

#include <QString>
#include <QThread>

#include <functional>

namespace telvio::sim {

class PtyServer;
class SimModem;

// Runs a PtyServer in a thread of its own, so that a test can drive the
// application (or a raw client) in its thread while the modem answers.
// Every method may be called from any thread but the simulator's own; each
// one that touches the modem returns after the modem's thread has done it,
// so a fault set before writing a command is in place when the command arrives.
// A QCoreApplication must exist.
class SimThread {
public:
    SimThread();
    ~SimThread();
    SimThread(const SimThread &) = delete;
    SimThread &operator=(const SimThread &) = delete;

    // Starts the simulator and returns the slave path once it serves; an empty
    // path when the pseudo-terminal could not be opened or one of the config's
    // assignments was refused. A running simulator is stopped first.
    QString start(const SimConfig &config, QString *error = nullptr);
    // Closes the pseudo-terminal and ends the thread.
    void stop();
    bool isRunning() const { return m_server != nullptr; }
    QString path() const { return m_path; }
    // True once a hang-up fault has closed the line. Asked in the simulator's
    // thread, so it is true as soon as the client has seen the hang-up.
    bool hasEnded();

    void addFault(const Fault &fault);
    void removeFault(const QByteArray &command);
    void clearFaults();
    void setSimCard(SimCard card);
    void setRealRate(bool on);
    // Sets a setting, variable, SIM, PIN or PUK as --set does (staging.h);
    // false with a message when refused or when the simulator is not running.
    bool set(const QByteArray &name, const QByteArray &value, QString *error = nullptr);
    // Runs `job` on the modem in the simulator's thread and returns when it is
    // done: reading or changing any state (settings, variables, commands).
    // Returns false when the simulator is not running.
    bool withModem(const std::function<void(SimModem &)> &job);

private:
    bool inServer(const std::function<void(PtyServer &)> &job);

    QThread m_thread;
    QObject *m_anchor = nullptr; // lives in m_thread: the target of the calls into it
    PtyServer *m_server = nullptr;
    QString m_path;
};

} // namespace telvio::sim
