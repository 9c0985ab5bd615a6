#pragma once

#include "link/core/trace.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>

namespace telvio {

// Every byte that crosses the port, appended to a file as text lines:
//
//   2026-03-04 10:15:02.117 >> AT+CREG?<CR>
//   2026-03-04 10:15:02.160 << AT+CREG?<CR><CR><LF>+CREG: 0,1<CR><LF>
//   2026-03-04 10:15:02.161 << <CR><LF>OK<CR><LF>
//   2026-03-04 10:15:09.870 << unsolicited <CR><LF>RING<CR><LF>
//
// A line per direction change, and a received line also ends at each line
// feed, so that an unsolicited result code stands on a line of its own.
// Control characters as the debug trace shows them. Each line is written
// and flushed at once: a crash or an unplugged port loses nothing already
// logged. Bytes of a received line still without its line feed wait for
// it (or for the next send).
class SessionLog {
public:
    SessionLog() = default;
    ~SessionLog();
    SessionLog(const SessionLog &) = delete;
    SessionLog &operator=(const SessionLog &) = delete;

    // Appends to `path` (made when missing). False with the reason.
    bool Open(const QString &path, QString *error);
    void Close();
    bool IsOpen() const { return m_file.isOpen(); }
    QString Path() const { return m_file.fileName(); }
    // Put before the direction on every line, when several sessions share
    // one file (provisioning a fleet): the port.
    void SetLabel(const QString &label) { m_label = label; }
    // The clock the lines are stamped with; the wall clock unless a test
    // gives its own "yyyy-MM-dd hh:mm:ss.zzz".
    void SetClock(std::function<QString()> clock) { m_clock = std::move(clock); }

    void Record(TraceDirection dir, const QByteArray &bytes);

    // Whether a received line is an unsolicited result code, given the
    // command last sent and whether its final result has come: "+CREG: 0,1"
    // answers "AT+CREG?" but is unsolicited after its OK.
    static bool Unsolicited(const QByteArray &line, const QByteArray &lastCommand, bool answerOpen);

private:
    void WriteLine(TraceDirection dir, const QByteArray &bytes, bool unsolicited);
    void EndReceived();

    QFile m_file;
    QString m_label;
    std::function<QString()> m_clock;
    QByteArray m_pending;     // received bytes without their line feed yet
    QByteArray m_lastCommand; // the last command line sent
    bool m_answerOpen = false;
};

} // namespace telvio
