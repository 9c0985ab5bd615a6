#include "shell/ui/demomodem.h"

#include "sim/simconfig.h"
#include "sim/simthread.h"

namespace telvio {

DemoModem::DemoModem() : m_thread(std::make_unique<sim::SimThread>()) {}

DemoModem::~DemoModem()
{
    Stop();
}

QString DemoModem::Start(const QString &model, QString *error)
{
    const std::optional<sim::Model> chosen = sim::modelFromKey(model);
    if (!chosen) {
        if (error)
            *error = QStringLiteral("Unknown demo model \"%1\".").arg(model);
        return QString();
    }
    sim::SimConfig config;
    config.model = *chosen;
    return m_thread->start(config, error);
}

void DemoModem::Stop()
{
    if (m_thread->isRunning())
        m_thread->stop();
}

QString DemoModem::Path() const
{
    return m_thread->path();
}

} // namespace telvio
