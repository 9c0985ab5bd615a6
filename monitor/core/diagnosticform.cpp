#include "monitor/core/diagnosticform.h"

namespace telvio {

DiagnosticForm DiagnosticForm::Initial()
{
    static const struct {
        DiagField field;
        int id;
        const char *caption;
        const char *tooltip;
    } kFields[] = {
        {DiagField::Revision, 1504, "Revision identification [ATI3]", "Software revision"},
        {DiagField::SoftwareRevision, 1004, "Kestrava Software revision  [ATI9]",
         "Kestrava software revision (if present)"},
        {DiagField::Imei, 1262, "IMEI [+CGSN]", "IMEI number"},
        {DiagField::Registration, 1132, "Network Registration [+CREG]", "Network registration status"},
        {DiagField::GprsRegistration, 1130, "GPRS Network Reg. [+CGREG]", "GPRS network registration status"},
        {DiagField::GprsStatus, 1162, "GPRS status [*WIPSTATUS]", "PDP address (if present)"},
        {DiagField::ModemConfiguration, 1128, "Modem Configuration [AT&&V]", "Modem settings"},
        {DiagField::GprsConfiguration, 1006, "GPRS Configuration [*WTCPV]", "GPRS settings (if present)"},
    };
    DiagnosticForm form;
    for (const auto &f : kFields) {
        DiagFieldState &field = form.Field(f.field);
        field.caption = QString::fromLatin1(f.caption);
        field.tooltip = QString::fromLatin1(f.tooltip);
        field.controlId = f.id;
        field.tall = f.field >= DiagField::GprsStatus;
    }
    form.reload.caption = QStringLiteral("Reload");
    form.reload.tooltip = QStringLiteral("Reads configuration from modem.");
    form.createReport.caption = QStringLiteral("Create Report");
    form.createReport.tooltip =
        QStringLiteral("Creates an HTML-report file, and displays it in the default web browser.");
    return form;
}

} // namespace telvio
