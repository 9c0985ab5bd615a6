#include "pages/core/smsform.h"

namespace telvio {

SmsForm SmsForm::Initial()
{
    using namespace smspagetext;
    SmsForm f;
    f.number.maxLength = kNumberLimit;
    f.number.tooltip = QStringLiteral("Destination number for SMS message");
    f.message.maxLength = kMessageLimit;
    f.message.tooltip = QStringLiteral("SMS text message (max 160 characters)");
    f.length.text = QStringLiteral("0");
    f.send.caption = QStringLiteral("Send");
    f.send.tooltip = QStringLiteral("Sends the SMS message,");
    f.serviceCentre.maxLength = kServiceCentreLimit;
    f.serviceCentre.tooltip = QStringLiteral(
        "SMS Service Center Address.\n\rThis address must be set to be able to send any SMS messages.");
    f.format.items = {QStringLiteral("0 - PDU"), QStringLiteral("1 - Text")};
    f.format.tooltip = QStringLiteral("Preferred SMS Message Format.");
    f.read.caption = QStringLiteral("Read");
    f.read.tooltip = QStringLiteral("Reads configuration from modem.");
    f.write.caption = QStringLiteral("Write");
    f.write.tooltip = QStringLiteral("Writes and saves current configuration to modem.");
    return f;
}

} // namespace telvio
