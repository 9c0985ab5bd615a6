#include "pages/core/ioform.h"

namespace telvio {

IoRowForm IoRowForm::Initial(int k)
{
    using namespace iopagetext;
    const QString n = QString::number(k + 1);
    IoRowForm r;
    r.label = n + QLatin1Char(':');
    r.service.items = kServices;
    r.service.tooltip = QStringLiteral("Service for I/O Entry ") + n;
    r.retry.items = kRetries;
    r.retry.tooltip = kRetryTip;
    r.time.maxLength = kNumberLimit;
    r.time.digitsOnly = true;
    r.time.tooltip = QStringLiteral("Timeout I/O Entry %1.\n\r0: The service will no be terminated.\n\r1-255: "
                                    "Timeout specified in units of 10s.")
                         .arg(n);
    r.priority.items = kPriorities;
    r.priority.tooltip = kPriorityTip;
    r.edit.caption = QStringLiteral("Edit");
    r.edit.tooltip = QStringLiteral("Edit I/O Entry ") + n;
    r.clear.caption = QStringLiteral("Clear");
    r.clear.tooltip = QStringLiteral("Clear I/O Entry ") + n;
    r.save.caption = QStringLiteral("Save");
    r.save.tooltip = QStringLiteral("Save I/O Entry ") + n;
    return r;
}

IoForm IoForm::Initial()
{
    using namespace iopagetext;
    IoForm f;
    f.tp.maxLength = kNumberLimit;
    f.tp.tooltip = QStringLiteral("Min trig pulse time in 10 ms increments (1-255)");
    f.tc.maxLength = kNumberLimit;
    f.tc.tooltip = QStringLiteral("Max trig pulse time in 10 ms increments (1-255)");
    f.trigType.items = {QStringLiteral("0 - NO"), QStringLiteral("1 - LEVEL"), QStringLiteral("2 - PULSE"),
                        QStringLiteral("3 - DCD"), QStringLiteral("4 - DTR")};
    f.trigType.tooltip = QStringLiteral(
        "Trig source an type\n\r0: NO, Trigger not used.\n\r1: LVEL: Trigger source is the Digital input "
        "Level.\n\r2: PULSE, Pulsed trigger used.\n\r3: DCD, Trigger internally coupled to reflect the DCD "
        "signal\n\r4: DTR, Trigger internally coupled to reflect the DTR signal.");
    f.trigLevel.items = {QStringLiteral("0 - NO"), QStringLiteral("1 - HIGH"), QStringLiteral("2 - LOW"),
                         QStringLiteral("3 - POS"), QStringLiteral("4 - NEG")};
    f.trigLevel.tooltip = QStringLiteral(
        "Trigger level\n\r0: NO, Trigger not used.\n\r1: HIGH, a High level triggers the service.\n\r2: LOW, a "
        "Low level triggers the service.\n\r3: POS, a positve edge triggers the service.\n\r4: NEG, a negative "
        "edge triggers the service.");
    f.outputCtrl.items = {QStringLiteral("0 - NO"), QStringLiteral("1 - OPEN"), QStringLiteral("3 - DCD"),
                          QStringLiteral("4 - DTR")};
    f.outputCtrl.tooltip = QStringLiteral(
        "The source controlling the output\n\r0: NO, Output not used.\n\r1: IO operation, Controlled by remote "
        "IO Transparent or Out.\n\r2: Reserved\n\r3: DCD, Output will be controlled by DCD.\n\r4: DTR, Output "
        "will be controlled by DTR.");
    f.saveParameters.caption = QStringLiteral("Save");
    f.saveParameters.tooltip = QStringLiteral("Save I/O parameters");
    for (int k = 0; k < int(f.rows.size()); ++k)
        f.rows[size_t(k)] = IoRowForm::Initial(k);
    f.clearAll.caption = QStringLiteral("Clear");
    f.clearAll.tooltip = QStringLiteral("Clear all I/O Entries");
    f.enable.items = {QStringLiteral("0 - Disable"), QStringLiteral("1 - Enable")};
    f.enable.tooltip = QStringLiteral("This command enables/disables remote I/O access.");
    f.saveEnable.caption = QStringLiteral("Save");
    f.read.caption = QStringLiteral("Read");
    f.read.tooltip = QStringLiteral("Read configuration from modem.");
    f.write.caption = QStringLiteral("Write");
    f.write.tooltip = QStringLiteral("Save all I/O parameters and I/O Entries");
    return f;
}

} // namespace telvio
