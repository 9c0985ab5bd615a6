#pragma once

#include "cli/clioutput.h"
#include "link/core/mscomm.h"
#include "link/core/modemsession.h"
#include "link/core/portsettings.h"

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

    // Opens the port for plain exchanges (no identification), as the
    // terminal's Open does. Reports and returns ExitNoPort on failure.
    int OpenLink();
    void CloseLink();

private:
    GlobalOptions m_options;
    Output m_out;
    CMSComm m_comm;
    std::unique_ptr<ModemSession> m_session;
    QTimer m_tick;
};

using CommandFn = std::function<int(CliContext &, const QStringList &args)>;

struct Command {
    QString name;
    QString usage;
    CommandFn run;
    bool needsPort;
};

} // namespace telvio::cli
