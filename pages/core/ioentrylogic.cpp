#include "pages/core/ioentrylogic.h"

#include "pages/core/answertext.h"
#include "pages/core/ioform.h"
#include "pages/core/ioparsers.h"
#include "pages/core/iorecord.h"

namespace telvio {

std::array<QString, 6> IoDataCaptions(int service)
{
    const QString number = QStringLiteral("Number");
    switch (service) {
    case 1: // DIAL
    case 7: // TRANS
        return {number, {}, {}, {}, {}, {}};
    case 2: // SMS
        return {number,
                QStringLiteral("SMS-message"),
                QStringLiteral("SMS service provider number"),
                QStringLiteral("SMS protocol type"),
                QStringLiteral("Password"),
                {}};
    case 3: return {number, QStringLiteral("Transfer text"), {}, {}, {}, {}}; // TEXT
    case 5: return {number, QStringLiteral("Pattern"), {}, {}, {}, {}};       // OUT
    case 6: return {QStringLiteral("Command"), {}, {}, {}, {}, {}};           // CMD
    default: return {};                                                       // NONE, EMAIL, none chosen
    }
}

IoEntryLogic::IoEntryLogic(IoRecord &record, int k, bool tooltips) : m_record(record), m_k(k)
{
    using namespace iofield;
    form.tooltips = tooltips;
    form.title = QStringLiteral("I/O Entry %1").arg(k + 1);
    form.group.caption = form.title;
    form.service.items = iopagetext::kServices;
    form.service.tooltip = QStringLiteral("Service");
    form.retry.items = iopagetext::kRetries;
    form.retry.tooltip = iopagetext::kRetryTip;
    form.time.maxLength = iolimit::Time;
    form.time.digitsOnly = true;
    form.time.tooltip = QStringLiteral(
        "Timeout\n\r0: The service will no be terminated.\n\r1-255: Timeout specified in units of 10s.");
    form.priority.items = iopagetext::kPriorities;
    form.priority.tooltip = iopagetext::kPriorityTip;
    for (int d = 0; d < DataCount; ++d) {
        EditState &e = form.data[size_t(d)];
        e.maxLength = iolimit::Data[d];
        e.tooltip = QStringLiteral("Data field %1").arg(d + 1);
        form.dataLabels[size_t(d)].text = QStringLiteral("Data %1").arg(d + 1);
        e.text = QString::fromLatin1(record.Text(DataAt(d, k), kData[d].width));
    }
    form.ok.caption = QStringLiteral("OK");
    form.cancel.caption = QStringLiteral("Cancel");
    form.service.Select(record.Int(ServiceAt(k)));
    form.retry.Select(record.Int(RetryAt(k)));
    form.priority.Select(record.Int(PriorityAt(k)));
    form.time.text = QString::fromLatin1(record.Text(TimeAt(k), NumberWidth));
    ApplyService();
}

void IoEntryLogic::ApplyService()
{
    const std::array<QString, 6> captions = IoDataCaptions(form.service.current);
    for (size_t d = 0; d < captions.size(); ++d) {
        form.dataLabels[d].text = captions[d];
        // A field switched off keeps its text: it is stored all the same.
        form.data[d].enabled = !captions[d].isEmpty();
    }
}

void IoEntryLogic::Store()
{
    using namespace iofield;
    m_record.SetInt(ServiceAt(m_k), form.service.current);
    m_record.SetInt(RetryAt(m_k), form.retry.current);
    m_record.SetInt(PriorityAt(m_k), form.priority.current);
    QByteArray time = form.time.text.left(iolimit::Time).toLatin1();
    if (LeadingNumber(time) >= 256)
        time = QByteArrayLiteral("255");
    m_record.SetText(TimeAt(m_k), NumberWidth, time);
    for (int d = 0; d < DataCount; ++d) {
        // The entry goes to the modem as one comma-separated command.
        QByteArray text = form.data[size_t(d)].text.toLatin1();
        text.replace(',', QByteArray());
        m_record.SetText(DataAt(d, m_k), kData[d].width, text);
    }
}

} // namespace telvio
