#include "cli/clicontext.h"

#include "link/core/cmeerrors.h"
#include "link/core/portdoctor.h"
#include "link/core/portholders.h"
#include "link/core/trace.h"

#include <QCoreApplication>

#include <QSettings>

#include <cstdio>

namespace telvio::cli {

ConnectParams ConnectParamsOf(const GlobalOptions &options)
{
    ConnectParams p;
    p.port = options.port;
    p.line = options.line;
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
    if (!options.log.isEmpty()) {
        QString error;
        if (!m_log.Open(options.log, &error))
            m_out.Error(QStringLiteral("cannot write the log %1: %2").arg(options.log, error));
    }
    m_session->SetTraceSink([this](TraceDirection dir, const QByteArray &bytes) { Record(dir, bytes); });
    QObject::connect(m_session.get(), &ModemSession::LinkLost, m_session.get(),
                     [this](const QString &reason) { m_lostReason = reason; });
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

void CliContext::Record(TraceDirection dir, const QByteArray &bytes)
{
    m_log.Record(dir, bytes);
    if (m_options.debug) {
        std::fprintf(stderr, "%s %s\n", dir == TraceDirection::Sent ? ">>" : "<<",
                     qPrintable(EscapeControl(bytes)));
    }
    if (dir == TraceDirection::Sent) {
        m_lastCommand = bytes;
        m_lastAnswer.clear();
        return;
    }
    // An endless stream keeps only its end: a final result is the last line.
    constexpr int kKeep = 64 * 1024;
    m_lastAnswer += bytes;
    if (m_lastAnswer.size() > 2 * kKeep)
        m_lastAnswer.remove(0, m_lastAnswer.size() - kKeep);
}

int CliContext::ReportOpenFailure()
{
    QString why = m_comm.ErrorText();
    if (m_comm.OpenError() == QSerialPort::PermissionError) {
        QList<PortHolder> others;
        for (const PortHolder &h : ProcessesHolding(m_options.port)) {
            if (h.pid != QCoreApplication::applicationPid())
                others << h;
        }
        if (!others.isEmpty())
            why = QStringLiteral("the port is in use by %1").arg(DescribeHolders(others));
        else if (why.contains(QLatin1String("locking")))
            why = QStringLiteral("the port is in use by another program (it holds the port's lock)");
    }
    // The doctor's plain words and what to do, after the driver's reason.
    const PortDiagnosis d = DiagnosePort(m_options.port, QCoreApplication::applicationPid());
    if (!d.Ok())
        why += QStringLiteral(". %1").arg(d.Message());
    m_out.Error(QStringLiteral("cannot open %1: %2").arg(m_options.port, why));
    return ExitNoPort;
}

QString CliContext::WhatWentWrong() const
{
    if (!m_lostReason.isEmpty())
        return QStringLiteral("the device %1 was removed or hung up (%2)").arg(m_options.port, m_lostReason);
    const QString refusal = DescribeRefusal(m_lastAnswer);
    if (refusal.isEmpty())
        return QString();
    return QStringLiteral("the modem refused %1 with %2")
        .arg(QString::fromLatin1(m_lastCommand.trimmed()), refusal);
}

QString CliContext::Explain(const QString &pageMessage) const
{
    const QString cause = WhatWentWrong();
    if (cause.isEmpty())
        return pageMessage;
    QString text = pageMessage;
    const QString noAnswer = QStringLiteral("No answer from modem");
    if (text.contains(noAnswer))
        return text.replace(noAnswer, cause);
    if (text == QString::fromLatin1(ModemSession::kDisconnectedText))
        return QStringLiteral("Error: %1").arg(cause);
    // A failed write names no cause of its own: the refusal that ended it
    // is added. Other messages name the failure already; a lost link is
    // added to them.
    if (!m_lostReason.isEmpty() || text.contains(QLatin1String("Unable to save settings")))
        return QStringLiteral("%1 (%2)").arg(pageMessage, cause);
    return pageMessage;
}

int CliContext::OpenLink()
{
    if (!m_session->OpenForTerminal(m_options.port, m_options.line))
        return ReportOpenFailure();
    return ExitOk;
}

void CliContext::CloseLink()
{
    if (m_session && m_session->LinkUp())
        m_session->Disconnect();
    m_comm.SetPortOpen(false);
}

} // namespace telvio::cli
