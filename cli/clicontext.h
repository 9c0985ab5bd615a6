#pragma once

#include "cli/clioutput.h"
#include "link/core/mscomm.h"
#include "link/core/modemsession.h"
#include "link/core/portsettings.h"
#include "link/core/sessionlog.h"

#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

namespace telvio::cli {

// Exit statuses of telvio-cli.
enum Exit { ExitOk = 0, ExitFailed = 1, ExitUsage = 2, ExitNoPort = 3 };

struct GlobalOptions {
    QString port;
    PortSettings line; // 9600 8N1 unless given
    bool json = false;
    bool debug = false;
    int delay = -1;    // --delay MS; -1 keeps the stored option
    QString log;       // --log FILE: the session log, appended to
};

// What the Connection page's Connect would be given: the port and the
// line settings of the global options.
ConnectParams ConnectParamsOf(const GlobalOptions &options);

// Everything a command needs: the parsed global options, the output, and a
// session over a real serial control, ticked by a 50 ms timer.
class CliContext {
public:
    explicit CliContext(const GlobalOptions &options);
    ~CliContext();

    const GlobalOptions &Options() const { return m_options; }
    Output &Out() { return m_out; }
    ModemSession &Session() { return *m_session; }
    CMSComm &Comm() { return m_comm; }
    // The --log file; not open when none was given or it could not be
    // opened (said on standard error).
    SessionLog &Log() { return m_log; }

    // Opens the port for plain exchanges (no identification), as the
    // terminal's Open does. Reports and returns ExitNoPort on failure.
    int OpenLink();
    void CloseLink();

    // Reports why the port could not be opened ("in use by picocom
    // (process 4711)" when another program holds it); ExitNoPort.
    int ReportOpenFailure();

    // The PC port's settings last applied, "9600,N,8,1": still what was
    // used after the link went down (the session shows "-" by then).
    QString LinkUsed() const { return m_comm.Settings(); }
    // The last command that went out and what came back to it so far.
    const QByteArray &LastCommand() const { return m_lastCommand; }
    const QByteArray &LastAnswer() const { return m_lastAnswer; }
    // Why the link went down by itself (the device was removed or hung
    // up); empty while it holds.
    const QString &LostReason() const { return m_lostReason; }

    // What the session saw go wrong, in words: the device removed, or the
    // modem refusing the last command ("the modem refused ATS0?: +CME
    // ERROR: 10 (SIM not inserted)"). Empty when nothing tells.
    QString WhatWentWrong() const;
    // A page's message with the truth put in: "No answer from modem" when
    // the modem did answer, with a refusal, or the link was lost.
    QString Explain(const QString &pageMessage) const;

private:
    void Record(TraceDirection dir, const QByteArray &bytes);

    GlobalOptions m_options;
    Output m_out;
    CMSComm m_comm;
    std::unique_ptr<ModemSession> m_session;
    QTimer m_tick;
    QByteArray m_lastCommand;
    QByteArray m_lastAnswer;
    QString m_lostReason;
    SessionLog m_log;
};

using CommandFn = std::function<int(CliContext &, const QStringList &args)>;

struct Command {
    QString name;
    QString usage;
    CommandFn run;
    bool needsPort;
};

} // namespace telvio::cli
