#pragma once

#include "pages/core/pageslayer.h"

#include "shell/core/tooltipwidths.h"

#include "link/core/modemtraits.h"
#include "link/core/settingsrecord.h"
#include "pages/core/formcontrols.h"
#include "pages/core/gprsrecord.h"

#include <QString>
#include <QStringList>

namespace telvio {

// An IP address entry field: four octet boxes.
struct AddressState : ControlState {
    Octets octets{};
};

// The GPRS page as plain state: the access and TCP socket settings with
// their captions (which name the command set the modem speaks), the attach
// state, and the action buttons.
struct GprsForm {
    GroupState socketGroup;
    TextState apnLabel;
    EditState apn;
    TextState userNameLabel;
    EditState userName;
    TextState passwordLabel;
    EditState password; // masked
    TextState serverIpLabel;
    AddressState serverIp;
    TextState portLabel;
    EditState port;
    TextState delayLabel;
    EditState delay;
    TextState autoConnectLabel;
    ListState autoConnect;
    TextState connectionModeLabel;
    ListState connectionMode;
    TextState clientIpLabel;
    AddressState clientIp;
    TextState tcpStatusLabel;
    ListState tcpStatus;
    GroupState syncGroup;
    ListState syncMode;
    EditState syncDelay;
    EditState syncIdle;

    // The IP-stack firmware's context controls.
    TextState activateCaption; // "Activate GPRS context"
    ButtonState activate;
    TextState activateLabel; // "[#CONNECTIONSTART]" or "#CONNECTIONSTOP"
    TextState contextModeLabel;
    ListState contextMode;
    ButtonState contextConnect;

    GroupState attachGroup;
    ListState attachState;
    ButtonState change;

    GroupState gprsGroup;
    ButtonState gprsConnect;
    ButtonState ping;
    GroupState tcpGroup;
    ButtonState start;
    ButtonState stop;

    ButtonState read;
    ButtonState write;
    bool tooltips = true;

    static GprsForm Initial();
    static QStringList AutoConnectItems();
    static QStringList ConnectionModeItems();
    static QStringList TcpStatusItems();
    static QStringList SyncModeItems();
    static QStringList ContextModeItems();
    static QStringList AttachItems();

    // Captions and what is shown for the command set the modem speaks.
    void ApplyCommandSet(GprsCommandSet set);
};

namespace gprspagetext {
inline const QString kTitle = QStringLiteral("GPRS");
inline const QString kReadFailed = QStringLiteral("Error: Unable to retrieve settings...");
inline const QString kWriteFailed = QStringLiteral("Error: Unable to save settings...");
inline const QString kActionFailed = QStringLiteral("Error: Unable to preform requested operation...");
inline const QString kConnect = QStringLiteral("Connect");
inline const QString kDisconnect = QStringLiteral("Disconnect");
inline const QString kActivate = QStringLiteral("Activate");
inline const QString kDeactivate = QStringLiteral("Deactivate");
inline const QString kStartLabel = QStringLiteral("#CONNECTIONSTART");
inline const QString kStopLabel = QStringLiteral("#CONNECTIONSTOP");
constexpr int kTooltipWidth = TooltipWidth(PageId::Gprs);
constexpr int kApnLimit = 100;
constexpr int kUserNameLimit = 50;
constexpr int kPasswordLimit = 50;
constexpr int kPortLimit = 5;
constexpr int kDelayLimit = 5;
constexpr int kSyncLimit = 5;
} // namespace gprspagetext

// "a.b.c.d".
QString DottedText(const Octets &octets);

// What the GPRS page shows of its settings, as texts: the access point
// name, user name, password, server IP (dotted), transmit delay and port.
struct GprsShownTexts {
    QString apn;
    QString userName;
    QString password;
    QString ip;
    QString delay;
    QString port;
};
GprsShownTexts ShownTexts(const GprsSettingsRecord &record);
// The same texts as the page's controls show them now (an edit not yet
// written included).
GprsShownTexts ShownTexts(const GprsForm &form);

} // namespace telvio
