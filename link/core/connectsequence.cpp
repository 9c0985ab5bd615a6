// ModemSession::Connect: from a port choice to an identified modem with the
// page set that fits it.
#include "link/core/commcontrol.h"
#include "link/core/identification.h"
#include "link/core/modemsession.h"
#include "link/core/pagetable.h"
#include "link/core/portdoctor.h"
#include "link/core/sessionhost.h"
#include "shell/core/prompter.h"

namespace telvio {

int ModemSession::Connect(const ConnectParams &params)
{
    m_statusText = params.statusText;
    m_portName = params.port;
    SetLine(params.line);
    m_sim = SimState::Unknown;
    m_traits = ModemTraits();
    m_imei.clear();

    m_comm->SetCommPort(m_portName);
    m_comm->SetSettings(m_line.ToString());
    if (!m_comm->SetPortOpen(true)) {
        m_connected = false;
        m_host->RefreshStatusPanel();
        m_portName = QStringLiteral("0");
        if (m_prompter)
            m_prompter->Message(WithDiagnosis(QStringLiteral("Unable to open COM-port..."), params.port));
        return -1;
    }

    // The panel shows the port settings while identification runs.
    m_connecting = true;
    m_connected = true;
    m_host->RefreshStatusPanel();
    m_connected = false;
    m_quiet = 0;
    const int baud = m_line.baud;
    m_fastProbe = true;
    SetPollUnit(baud);
    const int probe = Probe();
    m_fastProbe = false;
    SetPollUnit(baud);
    if (probe <= 0)
        return ConnectFailed();

    QByteArray answer = QByteArrayLiteral("AT+CGSN");
    const int r = ExchangeLine(answer, 3, QByteArrayLiteral("OK\r\n"), QByteArrayLiteral("0\r"));
    if (answer.size() <= 1 || r != ExSuccess)
        return ConnectFailed();
    m_imei = ImeiFromAnswer(answer);
    const ModelRow &row = FindModel(m_imei);
    m_imeiPrefix = QString::fromLatin1(row.prefix ? row.prefix : "");
    m_modelName = QString::fromLatin1(row.name);
    if (row.code == Model::Unknown)
        return ConnectFailed();
    bool makerFw = false;
    bool extendedFw = false;
    CheckFirmware(row.code, &makerFw, &extendedFw);
    m_traits = ModemTraits::Of(row.code, makerFw, extendedFw);

    m_sim = SimState::Unknown;
    answer = QByteArrayLiteral("AT+CPIN?");
    const int pin = Exchange(answer, 3, QByteArrayLiteral("+CPIN:\n"), QByteArrayLiteral("ERROR\n"));
    if (pin == ExSuccess || pin == ExError)
        m_sim = SimState(SimStatusFromAnswer(answer));
    if (!LinkUp())
        return ConnectFailed();

    m_comm->SetRThreshold(1);
    m_connecting = false;
    m_statusText = QStringLiteral("Connected");
    m_connected = true;
    SetDefaults();
    BuildPageSet();
    m_host->RedrawPages();
    m_host->RefreshStatusPanel();
    return 1;
}

void ModemSession::CheckFirmware(Model model, bool *makerFw, bool *extendedFw)
{
    if (model == Model::Pike2 || model == Model::Pike3) {
        QByteArray answer = QByteArrayLiteral("ATI9");
        const int r = ExchangeLine(answer, 3, QByteArrayLiteral("OK\r\n"), QByteArrayLiteral("0\r"));
        // The firmware id stands on the first information line; reading it
        // by line rather than by position keeps numeric mode and echo from
        // shifting it.
        const QByteArray text = r == ExSuccess ? FirmwareIdLine(answer) : answer;
        if (text.contains("6200")) {
            QByteArray wopen = QByteArrayLiteral("AT+WOPEN=2");
            if (ExchangeLine(wopen, 3, QByteArrayLiteral("OK\r\n"), QByteArrayLiteral("0\r")) == ExSuccess
                && WopenVersion(wopen) >= 3.1 - 1e-9)
                *extendedFw = true;
            *makerFw = true;
        }
    } else if (model == Model::Orca1Us) {
        QByteArray answer = QByteArrayLiteral("AT#VVERSION");
        if (m_verbose)
            Exchange(answer, 3, QByteArrayLiteral("OK\r\n"), 0, QByteArrayLiteral("ERROR"), 0, MatchSubstring);
        else
            Exchange(answer, 3, QByteArrayLiteral("0\r"), 0, QByteArrayLiteral("4\r"), 0, MatchSubstring);
        if (answer.contains("eDsoft"))
            *extendedFw = true;
    }
}

void ModemSession::BuildPageSet()
{
    for (const PageRow &row : kPageTable) {
        if (Offered(row, m_traits, m_sim) && !Flags(row.id).added)
            AddPage(row.id, row.mustReadWhenAdded);
    }
}

int ModemSession::ConnectFailed()
{
    m_comm->SetRThreshold(1);
    m_connecting = false;
    m_connected = false;
    m_comm->SetPortOpen(false);
    m_host->RefreshStatusPanel();
    return 0;
}

} // namespace telvio
