#pragma once

#include "pages/core/pageslayer.h"

#include "shell/core/tooltipwidths.h"

#include "link/core/settingsrecord.h"
#include "pages/core/formcontrols.h"

#include <QString>

#include <array>

namespace telvio {

// The I/O Entry dialog as plain state.
struct IoEntryForm {
    QString title;    // the window's title, the same as the group box's
    GroupState group; // "I/O Entry n"
    ListState service;
    ListState retry;
    EditState time;
    ListState priority;
    std::array<TextState, 6> dataLabels;
    std::array<EditState, 6> data;
    ButtonState ok;
    ButtonState cancel;
    bool tooltips = true;
};

namespace ioentrytext {
inline const QString kServiceCaption = QStringLiteral("Service");
inline const QString kRetryCaption = QStringLiteral("Retry");
inline const QString kTimeCaption = QStringLiteral("Time");
inline const QString kPriorityCaption = QStringLiteral("Prio");
constexpr int kTooltipWidth = TooltipWidth(PageId::Io);
} // namespace ioentrytext

// The data fields' captions for a service (a position in the service list,
// -1 for none): an empty caption means the field is off.
std::array<QString, 6> IoDataCaptions(int service);

// What the I/O Entry dialog (`IoEntryDialog`) does for entry k (0 to 9) of
// the I/O record: it loads the entry when it opens, names and enables the
// data fields by the chosen service, and stores the entry on OK only. It
// sends nothing to the modem.
class IoEntryLogic {
public:
    IoEntryLogic(IoRecord &record, int k, bool tooltips);

    IoEntryForm form;
    int Entry() const { return m_k; }

    // Runs before every notification of the dialog's controls: the data
    // fields' captions and enabling for the service now chosen.
    void ApplyService();
    // OK: the entry into the record.
    void Store();

private:
    IoRecord &m_record;
    int m_k;
};

} // namespace telvio
