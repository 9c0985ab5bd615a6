#pragma once

#include "sim/simconfig.h"
#include "sim/simmodem.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class QSocketNotifier;

namespace telvio::sim {

// Serves a SimModem on a pseudo-terminal. The application opens the slave
// side (slavePath()) as its serial port; the server reads the master side
// with a QSocketNotifier in the thread it lives in.
//
// The server keeps a descriptor of its own on the slave: the master then never
// sees a hang-up when the application closes its port, and the server can read
// the slave's termios after each received chunk, which is the line setting the
// application chose. Answers only go out when that setting matches the modem's.
//
// Received bytes are handled one chunk at a time: while an answer is still
// being sent (paced, delayed, or waiting for the application to read), later
// chunks wait, as a modem finishes a command before it reads the next line.
class PtyServer : public QObject {
    Q_OBJECT
public:
    explicit PtyServer(const SimConfig &config, QObject *parent = nullptr);
    ~PtyServer() override;

    // Opens the pseudo-terminal and starts serving; call it in the server's thread.
    bool open(QString *error = nullptr);
    // Stops serving and closes both sides (the application's port sees a hang-up).
    void close();
    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_path; }
    // False on a Linux pseudo-terminal, which always runs 8 data bits without parity.
    bool lineCarriesCharFormat() const { return m_carriesCharFormat; }

    SimModem &modem() { return m_modem; }
    // Sends at the line's byte rate (rate / bits per character) instead of at once.
    void setRealRate(bool on) { m_realRate = on; }
    bool realRate() const { return m_realRate; }
    // Traces received and sent bytes on stderr.
    void setLogging(bool on) { m_logging = on; }
    bool hasHungUp() const { return m_hungUp; }

signals:
    // The modem hung up the line (a hang-up fault); the server no longer serves.
    void ended();

private:
    struct Chunk {
        QByteArray bytes;
        LineObservation seen;
    };

    void onReadable();
    void onWritable();
    void pump();
    bool sending() const;
    void startItem(const OutputItem &item);
    void writePending();
    void paceTick();
    void hangUp();
    void hangUpTick();
    void closeDescriptors();
    void log(const char *direction, const QByteArray &text) const;

    SimModem m_modem;
    bool m_realRate = false;
    bool m_logging = false;
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    bool m_carriesCharFormat = false;
    bool m_hungUp = false;
    bool m_pumping = false;
    std::unique_ptr<QSocketNotifier> m_readNotifier;
    std::unique_ptr<QSocketNotifier> m_writeNotifier;
    QTimer m_pauseTimer;
    QTimer m_paceTimer;
    QTimer m_hangUpTimer;
    QElapsedTimer m_hangUpClock;
    bool m_hangUpSawInput = false;
    QList<Chunk> m_backlog;
    Output m_queue;
    QByteArray m_writeBuffer; // handed to the master, not yet accepted
    QByteArray m_paceBuffer;  // waiting for its time on the line
    QElapsedTimer m_paceClock;
    qint64 m_paceReleased = 0;
    LineSettings m_paceLine;
};

} // namespace telvio::sim
