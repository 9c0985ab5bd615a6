#include "link/core/connectionlogic.h"

#include "link/core/autoconnect.h"
#include "link/core/commcontrol.h"
#include "link/core/messagewindow.h"
#include "link/core/modemsession.h"
#include "link/core/portdoctor.h"
#include "link/core/sessionhost.h"
#include "shell/core/prompter.h"

namespace telvio {

namespace {
const QString kNoModem = QStringLiteral("No Kestrava modem found!");
const QString kAlreadyConnected = QStringLiteral("Already connected!");
} // namespace

ConnectionLogic::ConnectionLogic(ModemSession &session, Prompter &prompts, WaitDialogRunner &waitDialog)
    : m_session(session), m_prompts(prompts), m_wait(waitDialog)
{
}

void ConnectionLogic::FillPorts()
{
    QList<PortEntry> ports;
    m_session.EnumeratePorts(ports);
    form.portLabels.clear();
    form.portPaths.clear();
    for (const PortEntry &p : ports) {
        form.portLabels << p.Label();
        form.portPaths << p.path;
    }
    form.port = ports.isEmpty() ? -1 : 0;
}

bool ConnectionLogic::UnsavedPages() const
{
    for (PageId page : {PageId::Basic, PageId::Serial, PageId::Sms, PageId::Gprs}) {
        if (m_session.Flags(page).modified)
            return true;
    }
    return false;
}

void ConnectionLogic::RefreshPorts()
{
    const QString chosen = form.PortPath();
    FillPorts();
    form.SelectPort(chosen);
    // Idle, the procedures are offered exactly when there is a port.
    if (!m_session.Connected() && !m_session.Offline() && !m_session.Busy()) {
        OfferProcedures(!form.portPaths.isEmpty());
    }
}

void ConnectionLogic::OfferProcedures(bool havePorts)
{
    form.autoconnectEnabled = havePorts;
    form.connectEnabled = havePorts;
    form.openEnabled = havePorts;
    form.menu.autoconnect = havePorts;
    form.menu.connect = havePorts;
    form.menu.openPort = havePorts;
}

void ConnectionLogic::Activate()
{
    SessionHost *host = m_session.Host();
    form.tooltips = m_session.options.tooltip == 1;
    form.portListEnabled = true;
    const bool havePorts = !form.portPaths.isEmpty();
    if (m_session.Connected()) {
        form.portListEnabled = false;
        form.autoconnectEnabled = false;
        form.disconnectEnabled = true;
        form.disconnectCaption = QStringLiteral("Disconnect");
        form.openEnabled = false;
        if (!m_session.TerminalOnly())
            form.connectCaption = QStringLiteral("Reconnect");
        form.menu.autoconnect = false;
        form.menu.openPort = false;
        form.menu.disconnect = true;
        if (!m_session.TerminalOnly())
            form.menu.writeProfile = true;
        host->SetStatusBarConnected(true);
    } else if (m_session.Offline()) {
        form.autoconnectEnabled = false;
        form.connectEnabled = false;
        form.openEnabled = false;
        form.disconnectEnabled = true;
        form.disconnectCaption = QStringLiteral("Close");
        form.menu.autoconnect = false;
        form.menu.connect = false;
        form.menu.disconnect = false;
        form.menu.remote = false;
        form.menu.openPort = false;
        form.menu.closeProfile = true;
    } else if (!m_session.Busy()) {
        form.connectCaption = QStringLiteral("Connect");
        if (host->PageCount() > 1) {
            m_session.RemovePages();
            host->RedrawPages();
        }
        OfferProcedures(havePorts);
        form.disconnectEnabled = false;
        form.menu.remote = false;
        form.menu.disconnect = false;
        form.menu.closeProfile = false;
        form.menu.writeProfile = false;
        host->SetStatusBarConnected(false);
    }
    host->UpdateStatusBar();
}

void ConnectionLogic::ReturnToThisPage(bool afterConnect)
{
    // The connecting flag keeps the idle page switch and this page's own
    // activation from treating the half-done link as closed.
    if (afterConnect)
        m_session.SetConnecting(true);
    m_session.Host()->SetActivePage(PageId::Connection);
    if (afterConnect)
        m_session.SetConnecting(false);
}

void ConnectionLogic::Connect()
{
    if (m_session.Busy())
        return;
    BusyScope busy(m_session);
    if (m_session.Connected()) {
        if (UnsavedPages()
            && !m_prompts.Question(QStringLiteral("Reconnecting! All unsaved changes will be lost.\nDu you wish to contiune?")))
            return;
        m_session.Disconnect();
    }
    MessageWindowScope window(m_session, QStringLiteral("Connecting..."));
    ConnectParams p;
    p.port = form.PortPath();
    p.line = form.Line();
    const int r = m_session.Connect(p);
    if (r == 0) {
        m_prompts.Message(kNoModem, QString(), Prompter::Icon::Information);
        m_session.Host()->SetActivePage(PageId::Connection);
    } else if (r == 1) {
        busy.Release();
        if (m_session.options.autoLoad == 1)
            m_session.VisitPages();
        ReturnToThisPage(true);
        m_session.Host()->SetStatusBarConnected(true);
        m_session.Host()->UpdateStatusBar();
    }
}

void ConnectionLogic::Autoconnect()
{
    if (m_session.Busy())
        return;
    if (m_session.Connected()) {
        m_prompts.Message(kAlreadyConnected, QString(), Prompter::Icon::Error);
        return;
    }
    BusyScope busy(m_session);
    const QString path = form.PortPath();
    const QString label = form.PortLabel();
    const int found = m_wait.Run([&](SearchProgress &progress) {
        return RunAutoconnectSearch(
            m_session, path, label, [&](int n, const QString &text) { progress.Step(n, text); },
            [&] { return progress.Aborted(); });
    });
    if (found == 0) {
        m_prompts.Message(kNoModem, QString(), Prompter::Icon::Information);
        return;
    }
    if (found != 1)
        return;
    MessageWindowScope window(m_session, QStringLiteral("Connecting..."));
    AdoptModemParity(m_session);
    SelectSessionSettings();
    busy.Release();
    if (m_session.options.autoLoad == 1)
        m_session.VisitPages();
    ReturnToThisPage(true);
}

void ConnectionLogic::Disconnect()
{
    if (UnsavedPages() && !m_session.Offline()
        && !m_prompts.Question(QStringLiteral("All unsaved changes will be lost.\nDu you wish to contiune?")))
        return;
    for (PageId page : {PageId::Basic, PageId::Serial, PageId::Sms, PageId::Gprs}) {
        m_session.Flags(page).modified = false;
        m_session.Flags(page).profilePending = false;
    }
    if (m_session.Busy())
        return;
    BusyScope busy(m_session);
    if (m_session.Quiet() && !m_session.Traits().makerFirmware
        && m_prompts.Question(QStringLiteral("Result Code Suppression will now be activated, and\nthe active "
                                             "configuration will be saved, RAM to EEPROM.\nDu you wish to save "
                                             "settings before disconneting?"))) {
        QByteArray q1 = QByteArrayLiteral("ATQ1");
        m_session.SendAndWait(q1, 1);
        QByteArray store = QByteArrayLiteral("AT&W");
        m_session.SendAndWait(store, 1);
        m_session.SetQuiet(0);
    }
    if (m_session.Connected() || m_session.Offline())
        m_session.Disconnect();
    else
        m_prompts.Message(QStringLiteral("Not connected!"), QString(), Prompter::Icon::Error);
    busy.Release();
    m_session.Host()->SetActivePage(PageId::Connection);
}

void ConnectionLogic::Open()
{
    if (m_session.Busy())
        return;
    BusyScope busy(m_session);
    SessionHost *host = m_session.Host();
    if (m_session.Connected()) {
        m_prompts.Message(kAlreadyConnected, QString(), Prompter::Icon::Error);
        host->SetActivePage(PageId::Connection);
        return;
    }
    if (form.portPaths.isEmpty())
        return;
    if (!m_session.OpenForTerminal(form.PortPath(), form.Line())) {
        m_prompts.Message(WithDiagnosis(QStringLiteral("Comport not available"), form.PortPath()));
        return;
    }
    busy.Release();
    host->SetActivePage(PageId::Connection);
}

void ConnectionLogic::ExecuteCommand(int command)
{
    switch (command) {
    case CmdAutoconnect: Autoconnect(); break;
    case CmdConnect: Connect(); break;
    case CmdDisconnect: Disconnect(); break;
    case CmdOpen: Open(); break;
    default: break;
    }
}

void ConnectionLogic::RouteCommand()
{
    if (!m_session.Connected())
        return;
    // A list with nothing chosen leaves that part of the settings alone.
    PortSettings line = m_session.Line();
    auto follow = [](int &value, const QString &listText) {
        bool ok = false;
        const int chosen = listText.toInt(&ok);
        if (ok)
            value = chosen;
    };
    follow(line.baud, form.BaudText());
    follow(line.dataBits, form.DataBitsText());
    follow(line.stopBits, form.StopBitsText());
    line.parity = form.ParityLetter().toLatin1();
    if (!(line == m_session.Line())) {
        m_session.SetLine(line);
        m_session.ApplyPortSettings();
    }
}

void ConnectionLogic::SelectSessionSettings()
{
    form.SelectPort(m_session.PortName());
    form.SelectBaud(m_session.BaudText());
    form.SelectParity(m_session.Parity());
    form.SelectDataBits(m_session.DataBitsText());
    form.SelectStopBits(m_session.StopBitsText());
}

} // namespace telvio
