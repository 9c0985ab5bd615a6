#pragma once

#include "pages/core/pageslayer.h"

#include "shell/core/tooltipwidths.h"

#include "pages/core/formcontrols.h"
#include "pages/core/serialsettingsrecord.h"

#include <QString>
#include <QStringList>

#include <array>

namespace telvio {

// The Serial page as plain state: its twelve lists, indexed by the record
// field each one fills, and the Read and Write buttons. The logic changes
// it; the widget page shows it and hands the user's choices back.
struct SerialSettingsForm {
    std::array<ListState, kSerialFieldCount> lists;
    ButtonState read;
    ButtonState write;
    // Tooltips are shown only while the Tooltip option is on.
    bool tooltips = true;

    ListState &List(SerialField field) { return lists[size_t(field)]; }
    const ListState &List(SerialField field) const { return lists[size_t(field)]; }

    // The state of a page window just made: items, tooltips, captions,
    // nothing selected.
    static SerialSettingsForm Initial();

    static const QStringList &Items(SerialField field);
    // The label beside the list, as the dialog layout stores it ("&&"
    // shows as "&").
    static QString Label(SerialField field);
    static QString Tooltip(SerialField field);
    // The control id of the list: F1 help and the report name the lists by it.
    static int ControlId(SerialField field);
};

// The page's fixed texts that no control state carries.
namespace serialtext {
inline const QString kTitle = QStringLiteral("Serial");
inline const QString kGroup = QStringLiteral("V24-V25");
inline const QString kFramingGroup = QStringLiteral("DTE-DCE Character framing [+ICF]");
inline const QString kFlowGroup = QStringLiteral("DTE-DCE Flow Control [+IFC]");
inline const QString kSuppressionNote =
    QStringLiteral("Changes to Result code suppression will not be activated until disconnecting the Telvio.");
inline const QString kRead = QStringLiteral("Read");
inline const QString kWrite = QStringLiteral("Write");
inline const QString kReadTip = QStringLiteral("Reads configuration from modem.");
inline const QString kWriteTip = QStringLiteral("Writes and saves current configuration to modem.");
inline const QString kAuto = QStringLiteral("Auto");
inline const QString kReadFailed = QStringLiteral("Error: No answer from modem...");
inline const QString kWriteFailed = QStringLiteral("Error: No answer from modem, configuration not saved!");
// Tooltips of this page wrap at this width, in pixels.
constexpr int kTooltipWidth = TooltipWidth(PageId::Serial);
} // namespace serialtext

} // namespace telvio
