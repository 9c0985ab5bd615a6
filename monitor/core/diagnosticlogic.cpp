#include "monitor/core/diagnosticlogic.h"

#include "link/core/modemsession.h"
#include "link/core/portlist.h"
#include "pages/core/pageframe.h"
#include "shell/core/product.h"
#include "shell/core/prompter.h"

namespace telvio {

namespace {

const QByteArray kOk = QByteArrayLiteral("OK\r\n");

// "*WTCPV" belongs to the Pike family's TCP firmware; the smaller models
// are not asked at all.
bool AsksGprsConfiguration(const ModemSession &session)
{
    return int(session.Traits().model) > 2;
}

} // namespace

DiagnosticLogic::DiagnosticLogic(ModemSession &session, Prompter &prompts)
    : m_session(session), m_prompts(prompts)
{
}

void DiagnosticLogic::Create()
{
    form = DiagnosticForm::Initial();
    m_firstShow = true;
    m_created = true;
}

void DiagnosticLogic::Activate()
{
    if (!m_created)
        Create();
    form.tooltips = m_session.options.tooltip == 1;
    if (m_firstShow) {
        Reload();
        m_firstShow = false;
    }
}

void DiagnosticLogic::Reset()
{
    form = DiagnosticForm::Initial();
    m_created = false;
    m_firstShow = true;
}

bool DiagnosticLogic::Reload()
{
    // During a connect the session is busy with it, and the page may be
    // shown from within: it reads then too.
    if (!((!m_session.Busy() && m_session.Connected()) || m_session.Connecting()))
        return false;
    TransferFrame frame(m_session);
    frame.Probe();
    return ReloadSteps(frame);
}

bool DiagnosticLogic::ReloadSteps(TransferFrame &frame)
{
    if (frame.SwitchToVerbose() < ExSuccess)
        return false;
    for (int i = 0; i < kDiagFieldCount; ++i) {
        const DiagField field = DiagField(i);
        if (field == DiagField::GprsConfiguration && !AsksGprsConfiguration(m_session)) {
            form.Field(field).text.clear();
            continue;
        }
        QByteArray answer = DiagnosticCommand(field);
        int result;
        if (field == DiagField::GprsStatus) {
            result = m_session.Exchange(answer, 3, kOk, QByteArrayLiteral("ERROR\r\n"));
        } else {
            // A substring search for the error: "+CME ERROR: 3" and a bare
            // "ERROR" both end the wait, whatever the lines before hold.
            result = m_session.Exchange(answer, 3, kOk, 0, QByteArrayLiteral("ERROR"), 0, MatchSubstring);
        }
        if (result < ExSuccess)
            return false;
        form.Field(field).text = QString::fromLatin1(CleanDiagnosticAnswer(field, answer, result == ExError));
    }
    return true;
}

// ---------------------------------------------------------------------------
// The report

ReportInput DiagnosticLogic::ReportBase(const QDateTime &time) const
{
    ReportInput in;
    in.time = time;
    in.generator = ProductLine();
    in.modelCode = int(m_session.Traits().model);
    in.portNumber = PortEntry{m_session.PortName()}.Label();
    in.baud = m_session.BaudText();
    in.dataBits = m_session.DataBitsText();
    in.parity = m_session.Parity();
    in.stopBits = m_session.StopBitsText();
    for (int i = 0; i < kDiagFieldCount; ++i)
        in.diagnostic[size_t(i)] = form.fields[size_t(i)].text;
    return in;
}

ReportInput DiagnosticLogic::ReportNow(const QDateTime &time) const
{
    ReportInput in = ReportBase(time);
    for (PageId page : kReportPages) {
        const PageFlags &f = m_session.Flags(page);
        // A page that did not read holds no settings of this modem.
        if (!f.added || f.mustRead || !hooks.sectionOf)
            continue;
        std::optional<ReportSection> section = hooks.sectionOf(page);
        switch (page) {
        case PageId::Basic: in.basic = std::move(section); break;
        case PageId::Serial: in.serial = std::move(section); break;
        case PageId::Sms: in.sms = std::move(section); break;
        case PageId::Gprs: in.gprs = std::move(section); break;
        default: break;
        }
    }
    return in;
}

void DiagnosticLogic::ReReadStalePages()
{
    SessionHost *host = m_session.Host();
    for (PageId page : kReportPages) {
        PageFlags &f = m_session.Flags(page);
        if (!f.added || !(f.mustRead || f.modified))
            continue;
        // Showing a page whose read is due makes it read; a page whose read
        // fails keeps its flag and is left out of the report.
        f.mustRead = true;
        host->SetActivePage(page);
        host->SetActivePage(PageId::Diagnostic);
    }
}

QString DiagnosticLogic::CreateReport()
{
    const QDateTime time = hooks.now ? hooks.now() : QDateTime::currentDateTime();
    if (!m_prompts.Question(diagnostictext::kReportQuestion))
        return QString();
    ReReadStalePages();
    const QString path = m_prompts.SaveFile(diagnostictext::kReportFilter, diagnostictext::kReportExtension);
    if (path.isEmpty())
        return QString();
    QString error;
    if (!SaveReportFile(path, WriteReport(ReportNow(time)), &error)) {
        // A half-written report is never opened: the old file stays.
        m_prompts.Message(error.isEmpty() ? diagnostictext::kOpenFailed
                                          : diagnostictext::kOpenFailed + QStringLiteral("\r\n") + error);
        return QString();
    }
    if (hooks.openFile)
        hooks.openFile(path);
    return path;
}

} // namespace telvio
