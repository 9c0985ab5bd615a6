#include "cli/clicontext.h"

#include "link/core/trace.h"

#include <QSettings>

#include <cstdio>

namespace telvio::cli {

ConnectParams ConnectParamsOf(const GlobalOptions &options)
{
    ConnectParams p;
    p.port = options.port;
    p.baud = QString::number(options.line.baud);
    p.parity = QLatin1Char(options.line.parity);
    p.dataBits = QString::number(options.line.dataBits);
    p.stopBits = QString::number(options.line.stopBits);
    return p;
}

CliContext::CliContext(const GlobalOptions &options) : m_options(options), m_out(options.json)
{
    m_session = std::make_unique<ModemSession>(&m_comm, nullptr);
    QSettings store(QStringLiteral("Kestrava"), QStringLiteral("Telvio"));
    m_session->options = telvio::Options::Load(store);
    if (options.delay >= 0)
        m_session->options.delayBeforeAT = qBound(0, options.delay, 1000);
    if (!options.port.isEmpty())
        m_session->SetExtraPorts({options.port});
    if (options.debug) {
        m_session->SetTraceSink([](TraceDirection dir, const QByteArray &bytes) {
            std::fprintf(stderr, "%s %s\n", dir == TraceDirection::Sent ? ">>" : "<<",
                         qPrintable(EscapeControl(bytes)));
        });
    }
    m_comm.SetDTREnable(m_session->options.dtrEnable == 1);
    m_comm.SetRTSEnable(m_session->options.rtsEnable == 1);
    m_comm.SetHandshaking(m_session->options.flowControl);
    m_tick.setInterval(50);
    QObject::connect(&m_tick, &QTimer::timeout, m_session.get(), &ModemSession::Tick);
    m_tick.start();
}

CliContext::~CliContext()
{
    m_tick.stop();
    CloseLink();
}

int CliContext::OpenLink()
{
    if (!m_session->OpenForTerminal(m_options.port, m_options.line)) {
        m_out.Error(QStringLiteral("cannot open %1 (%2)").arg(m_options.port, m_comm.ErrorText()));
        return ExitNoPort;
    }
    return ExitOk;
}

void CliContext::CloseLink()
{
    if (m_session && m_session->LinkUp())
        m_session->Disconnect();
    m_comm.SetPortOpen(false);
}

} // namespace telvio::cli
