#pragma once

#include "sim/commandtable.h"
#include "sim/faults.h"
#include "sim/linesettings.h"
#include "sim/modemstate.h"
#include "sim/simconfig.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>

namespace telvio::sim {

// One step of what the modem does in answer to received bytes, in order.
struct OutputItem {
    enum class Kind {
        Bytes,      // send `bytes`
        Pause,      // wait `pauseMs` before the next item
        LineChange, // the modem's port runs with `line` from here on (after +IPR, +ICF, &F, Z, autobaud)
        HangUp,     // drop the line
    };
    Kind kind = Kind::Bytes;
    QByteArray bytes;
    int pauseMs = 0;
    LineSettings line;

    static OutputItem send(const QByteArray &bytes);
    static OutputItem pause(int ms);
    static OutputItem lineChange(const LineSettings &line);
    static OutputItem hangUp();
};
using Output = QList<OutputItem>;

// The bytes of an output, pauses and line changes left out.
QByteArray outputBytes(const Output &output);

// The modem's command interpreter, without any I/O: it is fed the bytes the
// modem receives and says what it sends back.
//
// It behaves as a V.250 modem in command state: characters are echoed as they
// arrive (E1), a command line starts at "AT" in any letter case and ends with
// S3, S5 deletes the last character, "A/" repeats the last line at once.
// Commands of a line run left to right; the first failing one ends the line
// with its error. The answer uses the V, Q, S3, S4 and +CMEE settings in force
// when it is sent; a change of the port settings takes effect after the answer.
class SimModem {
public:
    explicit SimModem(const SimConfig &config);

    // Bytes received on a line set up as `seen`. On a line whose rate or
    // character format differs from the modem's, nothing runs: with echo on the
    // modem sends back a few garbage bytes (the echo of garbled characters).
    // While autobauding (+IPR=0) a received "AT" sets the rate.
    Output receive(const QByteArray &bytes, const LineObservation &seen);
    // Bytes received on a line that matches the modem's settings.
    Output receive(const QByteArray &bytes);
    // The bytes `receive` sends back, for tests and tools that need no timing.
    QByteArray feed(const QByteArray &bytes) { return outputBytes(receive(bytes)); }

    // The rate and character format the modem's port runs with now.
    LineSettings line() const;
    bool hungUp() const { return m_hungUp; }
    // Booting after a restart (+CFUN=1): everything received is lost.
    bool restarting() const;

    // Sets a setting (active and stored value), a variable or SIM, PIN, PUK
    // from outside, as --set does (staging.h); false with a message when the
    // name or value is refused.
    bool assign(const SimAssignment &assignment, QString *error = nullptr);
    // The first of the config's assignments that was refused; empty when all applied.
    QString setupError() const { return m_setupError; }

    ModemState &state() { return m_state; }
    const ModemState &state() const { return m_state; }
    CommandTable &commands() { return m_commands; }
    FaultTable &faults() { return m_faults; }

private:
    enum class Scan { Idle, GotA, InLine };

    void process(const QByteArray &bytes, Output &out);
    void executeLine(const QByteArray &body, bool overflow, Output &out);
    void announceLine(Output &out);
    QByteArray noise(int receivedBytes);

    ModemState m_state;
    CommandTable m_commands;
    FaultTable m_faults;
    Scan m_scan = Scan::Idle;
    QByteArray m_buffer;
    bool m_overflow = false;
    QByteArray m_lastLine;
    int m_autobaudRate = 0;
    LineSettings m_announcedLine;
    quint32 m_noiseState;
    bool m_hungUp = false;
    QElapsedTimer m_restartClock;
    int m_restartMs = 0;
    QString m_setupError;
};

} // namespace telvio::sim
