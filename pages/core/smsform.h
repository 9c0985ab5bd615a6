#pragma once

#include "pages/core/pageslayer.h"

#include "shell/core/tooltipwidths.h"

#include "pages/core/formcontrols.h"

#include <QString>

namespace telvio {

// The SMS page as plain state: the message to send and the two SMS
// settings, with the Read and Write buttons.
struct SmsForm {
    EditState number;
    EditState message;
    TextState length;
    ButtonState send;
    EditState serviceCentre;
    ListState format;
    ButtonState read;
    ButtonState write;
    bool tooltips = true;

    static SmsForm Initial();
};

namespace smspagetext {
inline const QString kTitle = QStringLiteral("SMS");
inline const QString kSendGroup = QStringLiteral("Send SMS [+CMGS]");
inline const QString kSettingsGroup = QStringLiteral("SMS Settings");
inline const QString kNumber = QStringLiteral("Number");
inline const QString kMessage = QStringLiteral("Text Message");
inline const QString kLengthCaption = QStringLiteral("Message length:");
inline const QString kLengthLimit = QStringLiteral("(Max 160 characters)");
inline const QString kSendNote = QStringLiteral("Sends an SMS Text Message.");
inline const QString kServiceCentre = QStringLiteral("Service Center Address [+CSCA]");
inline const QString kFormat = QStringLiteral("Message Format [+CMGF]");
inline const QString kReadFailed = QStringLiteral("SIM-card not ready!");
inline const QString kWriteFailed = QStringLiteral("Unable to save settings...");
constexpr int kTooltipWidth = TooltipWidth(PageId::Sms);
constexpr int kNumberLimit = 20;
constexpr int kMessageLimit = 160;
constexpr int kServiceCentreLimit = 20;
} // namespace smspagetext

} // namespace telvio
