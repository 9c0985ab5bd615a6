#include "pages/core/callbackform.h"

namespace telvio {

CallbackForm CallbackForm::Initial()
{
    using namespace callbackpagetext;
    CallbackForm f;
    f.control.items = {QStringLiteral("0 - Callback disabled"),
                       QStringLiteral("1 - Callback enabled, No password, Use first number in table"),
                       QStringLiteral("2 - Callback enabled, No password, Use incoming number"),
                       QStringLiteral("3 - Accsess Security enabled"),
                       QStringLiteral("4 - Callback enabled, Use number table"),
                       QStringLiteral("5 - Callback enabled, Use incoming number"),
                       QStringLiteral("6 - Callback enabled, Enter callback number")};
    f.control.tooltip = QStringLiteral(
        "Callback controll\n\r0: Callback disabled\n\r1: Callback enabled, No password, Use first number in "
        "table\n\r2: Callback enabled, No password, Use incoming number\n\r3: Accsess Security enabled\n\r4: "
        "Callback enabled, Use number table\n\r5: Callback enabled, Use incoming number\n\r6: Callback enabled, "
        "Enter callback number");
    f.saveControl.caption = QStringLiteral("Save");
    f.saveControl.tooltip = QStringLiteral("Save Callback controll");
    f.delay.maxLength = kDelayLimit;
    f.delay.tooltip = QStringLiteral("Secure callback delay, controls the delay before a callback is made. The "
                                     "delay is necessary to allow the calling modem to disconnect.");
    f.saveDelay.caption = QStringLiteral("Save");
    f.saveDelay.tooltip = QStringLiteral("Save callback delay value");
    for (int k = 0; k < int(f.entries.size()); ++k) {
        const QString n = QString::number(k + 1);
        CallbackEntryForm &e = f.entries[size_t(k)];
        e.label = n + QLatin1Char(':');
        e.number.maxLength = kTextLimit;
        e.number.tooltip = QStringLiteral("Number for callback entry ") + n;
        e.password.maxLength = kTextLimit;
        e.password.tooltip = QStringLiteral("Password for callback entry ") + n;
        e.clear.caption = QStringLiteral("Clear");
        e.clear.tooltip =
            QStringLiteral("Clear callback entry %1 (Note the changes is not written to the modem.").arg(n);
        e.save.caption = QStringLiteral("Save");
        e.save.tooltip = QStringLiteral("Save callback entry %1 (Number and password)").arg(n);
    }
    f.read.caption = QStringLiteral("Read");
    f.read.tooltip = QStringLiteral("Reads parameters from modem");
    f.saveAll.caption = QStringLiteral("Save all");
    f.saveAll.tooltip = QStringLiteral("Save all parameters on page.");
    return f;
}

} // namespace telvio
