#pragma once

#include <QByteArray>
#include <QString>

namespace telvio::test {

// A bare pseudo-terminal for adapter tests: the test holds the master side
// (and a slave descriptor of its own, to read the line settings the port
// under test applied).
class Pty {
public:
    Pty();
    ~Pty();
    Pty(const Pty &) = delete;
    Pty &operator=(const Pty &) = delete;

    bool Ok() const { return m_master >= 0 && m_slave >= 0; }
    QString SlavePath() const { return m_path; }
    void Write(const QByteArray &bytes);
    // Reads what is there within `ms` milliseconds (poll, no sleeping).
    QByteArray Read(int ms);
    // The slave's line settings: rate and whether two stop bits are set.
    int Speed() const;
    bool TwoStopBits() const;
    // Closes both descriptors: the other side sees a hang-up.
    void HangUp();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};

} // namespace telvio::test
