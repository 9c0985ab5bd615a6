#pragma once

#include "pages/core/pageslayer.h"

#include "monitor/core/diagnosticanswers.h"
#include "pages/core/formcontrols.h"

#include <QString>

#include <array>

namespace telvio {

// One read-only answer field of the Diagnostic page.
struct DiagFieldState : TextState {
    QString caption; // "&&" shows as one "&"
    int controlId = 0;
    bool tall = false; // the last three: several lines, a vertical scroll bar
};

// The Diagnostic page as plain state: the eight answers and the two buttons.
struct DiagnosticForm {
    std::array<DiagFieldState, kDiagFieldCount> fields;
    ButtonState reload;
    ButtonState createReport;
    bool tooltips = true;

    DiagFieldState &Field(DiagField f) { return fields[size_t(f)]; }
    const DiagFieldState &Field(DiagField f) const { return fields[size_t(f)]; }

    static DiagnosticForm Initial();
};

namespace diagnostictext {
inline const QString kTitle = QStringLiteral("Diagnostic");
inline const QString kGroup = QStringLiteral("Information");
inline const QString kReportQuestion = QStringLiteral(
    "Warning: The tool will read the configuration from the modem, all unsaved changes will be lost.\r\n"
    "Do you wish to continue?");
inline const QString kOpenFailed = QStringLiteral("Unable to open file...");
inline const QString kReportFilter = QStringLiteral("HTML Report (*.htm);;All files (*.*)");
inline const QString kReportExtension = QStringLiteral("htm");
constexpr int kReloadId = 1134;
constexpr int kCreateReportId = 1615;
} // namespace diagnostictext

} // namespace telvio
