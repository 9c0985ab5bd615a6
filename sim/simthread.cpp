#include "sim/simthread.h"

#include "sim/ptyserver.h"

#include <QMetaObject>

namespace telvio::sim {

SimThread::SimThread()
{
    m_thread.setObjectName(QStringLiteral("telvio-sim"));
}

SimThread::~SimThread()
{
    stop();
}

QString SimThread::start(const SimConfig &config, QString *error)
{
    stop();
    m_anchor = new QObject;
    m_anchor->moveToThread(&m_thread);
    m_thread.start();
    QString failure;
    QMetaObject::invokeMethod(
        m_anchor,
        [this, &config, &failure]() {
            auto *server = new PtyServer(config);
            failure = server->modem().setupError();
            if (!failure.isEmpty() || !server->open(&failure)) {
                delete server;
                return;
            }
            m_server = server;
            m_path = server->slavePath();
        },
        Qt::BlockingQueuedConnection);
    if (!m_server) {
        if (error)
            *error = failure;
        stop();
        return {};
    }
    return m_path;
}

void SimThread::stop()
{
    if (m_server) {
        QMetaObject::invokeMethod(m_anchor, [this]() { delete m_server; }, Qt::BlockingQueuedConnection);
        m_server = nullptr;
    }
    if (m_thread.isRunning()) {
        m_thread.quit();
        m_thread.wait();
    }
    delete m_anchor;
    m_anchor = nullptr;
    m_path.clear();
}

bool SimThread::inServer(const std::function<void(PtyServer &)> &job)
{
    if (!m_server)
        return false;
    QMetaObject::invokeMethod(m_anchor, [this, &job]() { job(*m_server); }, Qt::BlockingQueuedConnection);
    return true;
}

bool SimThread::hasEnded()
{
    bool ended = false;
    inServer([&ended](PtyServer &s) { ended = s.hasHungUp(); });
    return ended;
}

void SimThread::addFault(const Fault &fault)
{
    inServer([&fault](PtyServer &s) { s.modem().faults().add(fault); });
}

void SimThread::removeFault(const QByteArray &command)
{
    inServer([&command](PtyServer &s) { s.modem().faults().remove(command); });
}

void SimThread::clearFaults()
{
    inServer([](PtyServer &s) { s.modem().faults().clear(); });
}

void SimThread::setSimCard(SimCard card)
{
    inServer([card](PtyServer &s) {
        SimCardState &sim = s.modem().state().sim();
        sim.card = card;
        sim.pinAttemptsLeft = 3;
        sim.pukAttemptsLeft = 10;
    });
}

void SimThread::setRealRate(bool on)
{
    inServer([on](PtyServer &s) { s.setRealRate(on); });
}

bool SimThread::set(const QByteArray &name, const QByteArray &value, QString *error)
{
    bool applied = false;
    QString message = QStringLiteral("the simulator is not running");
    inServer([&](PtyServer &s) { applied = s.modem().assign({name, value}, &message); });
    if (!applied && error)
        *error = message;
    return applied;
}

bool SimThread::withModem(const std::function<void(SimModem &)> &job)
{
    return inServer([&job](PtyServer &s) { job(s.modem()); });
}

} // namespace telvio::sim
