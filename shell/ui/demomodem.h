#pragma once

#include "shell/ui/uilayer.h"

#include <QString>

#include <memory>

namespace telvio {

namespace sim {
class SimThread;
}

// The simulated modem of --demo: runs in a thread of its own behind a
// pseudo-terminal, whose slave side the program offers as a port.
class DemoModem {
public:
    DemoModem();
    ~DemoModem();

    // `model` is orca1, orca1us, pike2 or pike3. Returns the port's path,
    // or an empty path with `error` set.
    QString Start(const QString &model, QString *error);
    void Stop();
    QString Path() const;

private:
    std::unique_ptr<sim::SimThread> m_thread;
};

} // namespace telvio
