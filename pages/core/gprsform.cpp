#include "pages/core/gprsform.h"

namespace telvio {

namespace {

void Label(TextState &label, const char *text)
{
    label.text = QString::fromLatin1(text);
}

} // namespace

QStringList GprsForm::AutoConnectItems()
{
    return {QStringLiteral("0 - Disabled"), QStringLiteral("1 - Enabled"), QStringLiteral("2 - GPRS modem mode")};
}

QStringList GprsForm::ConnectionModeItems()
{
    return {QStringLiteral("0 - Client"), QStringLiteral("1 - Server")};
}

QStringList GprsForm::TcpStatusItems()
{
    return {QStringLiteral("0 - No status information"), QStringLiteral("1 - Display status information")};
}

QStringList GprsForm::SyncModeItems()
{
    return {QStringLiteral("Off"), QStringLiteral("On")};
}

QStringList GprsForm::ContextModeItems()
{
    return {QStringLiteral("Client [#OTCP]"), QStringLiteral("Server [#LTCPSTART]")};
}

QStringList GprsForm::AttachItems()
{
    return {QStringLiteral("0 - Detached"), QStringLiteral("1 - Attached"), QStringLiteral("2 - Combined detach")};
}

GprsForm GprsForm::Initial()
{
    using namespace gprspagetext;
    GprsForm f;
    f.socketGroup.caption = QStringLiteral("GPRS - TCP Socket");
    Label(f.apnLabel, "Access Point Name [*WGPRSAPN]");
    f.apn.maxLength = kApnLimit;
    f.apn.tooltip = QStringLiteral("Access Point Name");
    Label(f.userNameLabel, "User Name [*WGPRSUN]");
    f.userName.maxLength = kUserNameLimit;
    f.userName.tooltip = QStringLiteral("GPRS Username for TCP Socket autoconnect.");
    Label(f.passwordLabel, "Password [*WGPRSPW]");
    f.password.maxLength = kPasswordLimit;
    f.password.tooltip = QStringLiteral("GPRS Password for TCP autoconnect");
    Label(f.serverIpLabel, "Server IP [*WTCPSERV]");
    f.serverIp.tooltip = QStringLiteral("TCP Socket IP address for TCP autoconnect");
    Label(f.portLabel, "Port");
    f.port.maxLength = kPortLimit;
    f.port.digitsOnly = true;
    f.port.tooltip = QStringLiteral("TCP Socket port for TCP Socket autoconnect.");
    Label(f.delayLabel, "Delay [*WTCPTXDELAY]");
    f.delay.maxLength = kDelayLimit;
    f.delay.digitsOnly = true;
    f.delay.tooltip = QStringLiteral("Configures the delay before the socket transmits the characters to the remote "
                                     "modem. 0-32760 ms (in 20 ms steps)");
    Label(f.autoConnectLabel, "Auto connect [*WTCPCONNECT]");
    f.autoConnect.items = AutoConnectItems();
    f.autoConnect.tooltip = QStringLiteral(
        "TCP socket link control.\n\r When enabled, the unit will automatically, after power on ,set up connections "
        "to a packet switched network (GSM or GPRS).");
    Label(f.connectionModeLabel, "Connection mode [*WTCPMODE]");
    f.connectionMode.items = ConnectionModeItems();
    f.connectionMode.tooltip =
        QStringLiteral("TCP client server select.\n\rSelects if the unit shall act as client or server");
    Label(f.clientIpLabel, "Client IP [*WTCPCLIENTIP]");
    Label(f.tcpStatusLabel, "TCP connect status information [*WTCPI]");
    f.tcpStatus.items = TcpStatusItems();
    f.syncGroup.caption = QStringLiteral("Autoconnect sync [*WTCPPINGSYNC]");
    f.syncMode.items = SyncModeItems();
    f.syncDelay.maxLength = kSyncLimit;
    f.syncDelay.digitsOnly = true;
    f.syncIdle.maxLength = kSyncLimit;
    f.syncIdle.digitsOnly = true;

    Label(f.activateCaption, "Activate GPRS context");
    f.activate.caption = kActivate;
    f.activate.tooltip = QStringLiteral(
        "Activates/Deactivates the GPRS context.\n\rActivate - AT#CONNECTIONSTART\n\rDeactivates - AT#CONNECTIONSTOP");
    Label(f.activateLabel, "[#CONNECTIONSTART]");
    Label(f.contextModeLabel, "GPRS context Mode");
    f.contextMode.items = ContextModeItems();
    f.contextMode.tooltip = QStringLiteral("Select mode for TCP-session,\n\r Server- or Client-mode");
    f.contextConnect.caption = kConnect;
    f.contextConnect.tooltip = QStringLiteral("Connects/Disconnects a TCP-session,\n\rServer- or Client-mode");

    f.attachGroup.caption = QStringLiteral("GPRS attach/detach [+CGATT]");
    f.attachState.items = AttachItems();
    f.attachState.tooltip = QStringLiteral("GPRS attach or detach");
    f.change.caption = QStringLiteral("Change");
    f.change.tooltip = QStringLiteral("Performs an GPRS attach or detach.");

    f.gprsGroup.caption = QStringLiteral("GPRS");
    f.gprsConnect.caption = kConnect;
    f.ping.caption = QStringLiteral("Ping");
    // Pinging needs a GPRS connection the page has seen.
    f.ping.enabled = false;
    f.tcpGroup.caption = QStringLiteral("TCP");
    f.start.caption = QStringLiteral("Start");
    f.stop.caption = QStringLiteral("Stop");

    f.read.caption = QStringLiteral("Read");
    f.read.tooltip = QStringLiteral("Reads configuration from modem.");
    f.write.caption = QStringLiteral("Write");
    f.write.tooltip = QStringLiteral("Writes current configuration to modem.");
    return f;
}

void GprsForm::ApplyCommandSet(GprsCommandSet set)
{
    const bool tcp = set == GprsCommandSet::TcpFirmware;
    const bool ipStack = set == GprsCommandSet::IpStack;
    const bool access = tcp || ipStack;
    switch (set) {
    case GprsCommandSet::TcpFirmware:
        Label(apnLabel, "Access Point Name [*WGPRSAPN]");
        Label(userNameLabel, "User Name [*WGPRSUN]");
        Label(passwordLabel, "Password [*WGPRSPW]");
        Label(serverIpLabel, "IP Server [*WTCPSERV]");
        Label(portLabel, "Port [*WTCPPORT]");
        Label(delayLabel, "Delay [*WTCPTXDELAY]");
        break;
    case GprsCommandSet::IpStack:
        Label(apnLabel, "Access Point Name [#APNSERV]");
        Label(userNameLabel, "User Name [#APNUN]");
        Label(passwordLabel, "Password [#APNPW]");
        Label(serverIpLabel, "IP [#TCPSERV]");
        Label(portLabel, "Port [#TCPPORT]");
        Label(delayLabel, "Delay [#TCPTXDELAY]");
        contextMode.Select(0);
        break;
    case GprsCommandSet::PlainGprs:
        // Its one setting comes back into view with the read, which knows
        // whether the SIM lets it be read.
        break;
    }
    for (ControlState *c : std::initializer_list<ControlState *>{&apnLabel, &apn})
        c->visible = access;
    for (ControlState *c : std::initializer_list<ControlState *>{&userNameLabel, &userName, &passwordLabel, &password,
                                                                 &serverIpLabel, &serverIp, &portLabel, &port,
                                                                 &delayLabel, &delay})
        c->visible = access;
    for (ControlState *c : std::initializer_list<ControlState *>{
             &autoConnectLabel, &autoConnect, &connectionModeLabel, &connectionMode, &clientIpLabel, &clientIp,
             &tcpStatusLabel, &tcpStatus, &syncGroup, &syncMode, &syncDelay, &syncIdle})
        c->visible = tcp;
    for (ControlState *c : std::initializer_list<ControlState *>{&activateCaption, &activate, &activateLabel,
                                                                 &contextModeLabel, &contextMode, &contextConnect})
        c->visible = ipStack;
}

QString DottedText(const Octets &octets)
{
    return QStringLiteral("%1.%2.%3.%4").arg(octets[0]).arg(octets[1]).arg(octets[2]).arg(octets[3]);
}

GprsShownTexts ShownTexts(const GprsSettingsRecord &record)
{
    using namespace gprsfield;
    GprsShownTexts t;
    t.apn = QString::fromLatin1(record.Text(Apn, ApnWidth));
    t.userName = QString::fromLatin1(record.Text(UserName, UserNameWidth));
    t.password = QString::fromLatin1(record.Text(Password, PasswordWidth));
    t.ip = DottedText(RecordOctets(record, ServerIp));
    t.delay = QString::fromLatin1(record.Text(TxDelay, TxDelayWidth));
    t.port = QString::fromLatin1(record.Text(Port, PortWidth));
    return t;
}

GprsShownTexts ShownTexts(const GprsForm &form)
{
    GprsShownTexts t;
    t.apn = form.apn.text;
    t.userName = form.userName.text;
    t.password = form.password.text;
    t.ip = DottedText(form.serverIp.octets);
    t.delay = form.delay.text;
    t.port = form.port.text;
    return t;
}

} // namespace telvio
