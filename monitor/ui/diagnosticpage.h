#pragma once

#include "shell/ui/uilayer.h"

#include "monitor/core/diagnosticlogic.h"
#include "shell/ui/propertypage.h"

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace telvio {

class BitmapButton;

// The Diagnostic page: identity and status, and the HTML report.
// Everything it does lives in DiagnosticLogic; the page shows the logic's
// form, hands the two buttons back, and gives the report the other pages'
// settings and the desktop's browser.
class Cdiagnostic : public PropertyPage {
    Q_OBJECT
public:
    explicit Cdiagnostic(const PageContext &context, QWidget *parent = nullptr);
    ~Cdiagnostic() override;

    void OnSetActive() override;
    void ResetState() override;

    DiagnosticLogic &Logic() { return *m_logic; }
    QPlainTextEdit *Field(DiagField field) const { return m_fields[size_t(field)]; }
    BitmapButton *ReloadButton() const { return m_reload; }
    QPushButton *CreateReportButton() const { return m_createReport; }

    // How a written report is opened; the desktop's default browser unless
    // replaced (tests do, so no browser starts).
    void SetOpenFile(std::function<void(const QString &path)> open);

private:
    void ShowForm();
    // The settings of a page as the report shows them, from its window in
    // the property sheet.
    std::optional<ReportSection> SectionOf(PageId page) const;

    std::unique_ptr<DiagnosticLogic> m_logic;
    std::array<QPlainTextEdit *, kDiagFieldCount> m_fields{};
    std::array<QLabel *, kDiagFieldCount> m_labels{};
    BitmapButton *m_reload = nullptr;
    QPushButton *m_createReport = nullptr;
};

} // namespace telvio
