#pragma once

#include "sim/commandline.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace telvio::sim {

enum class FaultKind {
    Delay,    // the answer comes after delayMs milliseconds
    NoAnswer, // the command line is swallowed: no answer at all
    Error,    // the command answers ERROR instead of running
    Noise,    // the answer is replaced by garbage bytes
    HangUp,   // the line is hung up: the pseudo-terminal closes
    CmeError, // the command answers +CME ERROR: cmeError instead of running
    Unsolicited, // the command runs; `text` comes as an unsolicited result code inside its answer
};

// A fault attached to a command.
//
// Matching rule. The command is written as in an AT command line, with or
// without the "AT" prefix and in any letter case; it is matched against each
// command of a received line:
// - "+CGSN" (a name alone) matches every form of it: +CGSN, +CGSN=?, +CGSN?, +CGSN=...;
// - "+CPIN?", "+CPIN=?" and "+CPIN=" match only the read, test or set form;
// - "I9", "&W0" match a basic command written with that number; "I" or "&W"
//   alone match the command with any number or none (I, I0, I3, I9 ...);
// - "S0?", "S0=", "S0" do the same for S-parameters;
// - "AT" (or an empty text) matches the empty command line "AT".
// The first command of a line that has a fault triggers it; the commands before it
// have run. Delay lets the command run and holds the whole answer of the line;
// Unsolicited lets it run too and puts its text after the first line of
// information text the command answers (before the final result when it has
// none). The other kinds keep the command (and the rest of the line) from
// running; CmeError ends the line with +CME ERROR, framed by V and +CMEE as
// any +CME ERROR is.
struct Fault {
    static constexpr const char *defaultUnsolicited = "RING";

    QByteArray command;
    FaultKind kind = FaultKind::Error;
    int delayMs = 0;
    bool once = false; // removed after it triggered once
    int cmeError = 0;  // CmeError: the error number
    QByteArray text = defaultUnsolicited; // Unsolicited: the result code's text

    bool operator==(const Fault &other) const;
};

// The key a fault is stored under: upper case, without the "AT" prefix.
QByteArray faultKey(const QByteArray &command);

// The keys a command can be matched by, the narrowest first.
QList<QByteArray> faultKeysOf(const ParsedCommand &command);

// "CMD=KIND[:ARG][/once]", KIND one of delay:<ms>, noanswer (or silent),
// error, noise, hangup, cme:<n>, unsolicited[:<text>] (RING when no text; the
// text keeps its letter case and may hold blanks, colons and '='). The command
// ends at the first '=' that a kind follows, so "+CPIN==error" puts an error
// on the set form of +CPIN. A trailing "/once" is always the flag.
std::optional<Fault> parseFault(const QString &text, QString *error = nullptr);

QByteArray faultKindName(FaultKind kind);

// The faults of one modem. Not locked: the modem's thread owns it.
class FaultTable {
public:
    // Replaces a fault stored for the same command.
    void add(const Fault &fault);
    bool remove(const QByteArray &command);
    void clear();
    QList<Fault> faults() const { return m_faults; }
    bool isEmpty() const { return m_faults.isEmpty(); }

    // The fault for a command, if any; a one-shot fault is removed.
    std::optional<Fault> take(const ParsedCommand &command);
    // The same for the empty command line "AT".
    std::optional<Fault> takeForEmptyLine();

private:
    std::optional<Fault> takeKey(const QByteArray &key);

    QList<Fault> m_faults;
};

} // namespace telvio::sim
