#pragma once

#include "pages/core/pageslayer.h"

#include "pages/core/gprsform.h"

#include <QByteArray>
#include <QChar>
#include <QDateTime>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace telvio {

struct BasicForm;
struct SerialSettingsForm;
struct SmsForm;
template <int N>
class SettingsRecord;

// One row of the report: a caption (the program's own HTML, written as it
// is) and a value (a modem answer or a page's text, escaped). Some rows of
// the settings sections end without a line break in the file.
struct ReportRow {
    QString caption;
    QString value;
    bool lineEnd = true;
};

// The settings of one page: its heading and its rows. A page that is not in
// the page set, or has not read the modem, has no section.
struct ReportSection {
    QString title;
    QList<ReportRow> rows;
};

// Everything one report is made of.
struct ReportInput {
    QDateTime time; // every date of the report
    QString generator;
    int modelCode = 0;
    // The link: "Com%s @ %s (%s, %c, %s)".
    QString portNumber;
    QString baud;
    QString dataBits;
    QChar parity;
    QString stopBits;
    // The Diagnostic page's fields, in DiagField order, as they show.
    std::array<QString, 8> diagnostic;
    std::optional<ReportSection> basic;
    std::optional<ReportSection> serial;
    std::optional<ReportSection> sms;
    std::optional<ReportSection> gprs;
};

// The report file's bytes: iso-8859-1 as it declares, with a character
// beyond it written as a numeric character reference.
QByteArray WriteReport(const ReportInput &input);

// "<", ">", "&" and '"' as entities: modem answers and typed texts reach the
// report through this, so none of them can end a tag or start one.
QString EscapeReportText(const QString &text);

// The model name the report gives a model code.
QString ReportModelName(int modelCode);

// The sections of the settings pages, from their forms (and the Basic
// page's record, whose rings and reset values the report takes as numbers).
ReportSection BasicReportSection(const BasicForm &form, const SettingsRecord<80> &record);
ReportSection SerialReportSection(const SerialSettingsForm &form);
ReportSection SmsReportSection(const SmsForm &form);
// The GPRS page's six rows: the access point name (1164), user name
// (1224), password as typed (1200), the IP address in dotted form (1196),
// delay (1186) and port (1218).
ReportSection GprsReportSection(const GprsShownTexts &values);

// Writes the whole file in one go: an older file of that name is replaced
// only once the new one is complete. False with the reason in `error`.
bool SaveReportFile(const QString &path, const QByteArray &bytes, QString *error);

} // namespace telvio
