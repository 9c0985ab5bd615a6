#include "monitor/core/report.h"

#include "monitor/core/diagnosticanswers.h"
#include "pages/core/basicform.h"
#include "pages/core/basicrecord.h"
#include "pages/core/serialsettingsform.h"
#include "pages/core/smsform.h"

#include <QSaveFile>

namespace telvio {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString DateText(const QDateTime &t)
{
    const QDate d = t.date();
    const QTime h = t.time();
    return QString::asprintf("%d-%02d-%02d %02d:%02d", d.year(), d.month(), d.day(), h.hour(), h.minute());
}

// What a multi-line field of the page becomes in a cell: each line end a
// "<br>" (the CR of CR LF makes the break, the LF is dropped).
QString CellText(const QString &fieldText)
{
    QString text = EscapeReportText(fieldText);
    text.replace(QLatin1Char('\r'), QLatin1String("<br>"));
    text.remove(QLatin1Char('\n'));
    return text;
}

// The profile dumps line their settings up with blanks; runs of them
// would collapse to one in the browser. Pairs are taken from the left, so
// an odd run keeps one plain blank at its end.
QString KeepBlankPairs(QString text)
{
    text.replace(QLatin1String("  "), QLatin1String("&nbsp;&nbsp;"));
    return text;
}

QString Row(const QString &caption, const QString &value, bool lineEnd = true)
{
    return QStringLiteral("<tr><td>%1</td><td><b>%2</b></td></tr>").arg(caption, value) + (lineEnd ? kCrLf : QString());
}

void AppendSection(QString &html, const std::optional<ReportSection> &section)
{
    if (!section)
        return;
    html += QStringLiteral("<tr><td colspan=2><h2>%1</h2></td></tr>").arg(section->title);
    for (const ReportRow &row : section->rows)
        html += Row(row.caption, EscapeReportText(row.value), row.lineEnd);
}

// iso-8859-1, as the header declares; what it cannot hold goes in as a
// numeric character reference, which any browser shows as the character.
QByteArray ToLatin1WithReferences(const QString &html)
{
    QByteArray bytes;
    bytes.reserve(html.size());
    for (const uint code : html.toUcs4()) {
        if (code <= 0xFF)
            bytes += char(code);
        else
            bytes += "&#" + QByteArray::number(code) + ';';
    }
    return bytes;
}

QString SerialText(const SerialSettingsForm &form, int controlId)
{
    for (SerialField field : kSerialFields) {
        if (SerialSettingsForm::ControlId(field) == controlId)
            return form.List(field).CurrentText();
    }
    return QString();
}

} // namespace

QString EscapeReportText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        default: out += c;
        }
    }
    return out;
}

QString ReportModelName(int modelCode)
{
    switch (modelCode) {
    case 2: return QStringLiteral("Orca-1 TCP");
    case 3: return QStringLiteral("Pike-2");
    case 4: return QStringLiteral("Pike-3");
    default: return QStringLiteral("Orca-1");
    }
}

QByteArray WriteReport(const ReportInput &in)
{
    const QString date = DateText(in.time);
    QString html;
    html += QStringLiteral(
                "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n<html>\r\n<head>\r\n"
                "<meta HTTP-EQUIV=\"Content-Type\" Content=\"text/html; CHARSET=iso-8859-1\">\r\n"
                "<meta name=\"Generator\" Content=\"%1\">\r\n<title>Telvio Report file %2</title>\r\n"
                "<style type=\"text/css\">\r\n<!--\r\nh2{font-family: verdana, arial;color:#000000;font-size:14pt;}\r\n"
                "td{font-family: \"courier new\", verdana, arial;color:#000000;font-size:10pt;"
                "background-color: #F1F1F1; vertical-align: top;}\r\n//-->\r\n</style>\r\n</head>\r\n<body>\r\n")
                .arg(EscapeReportText(in.generator), date);
    html += QStringLiteral("<table border='0' CellPadding='5' CellSpacing='2'>\r\n");
    html += QStringLiteral("<tr><td colspan=2><H2>Kestrava Telvio Report file</H2></td></tr>\r\n");
    html += Row(QStringLiteral("Date"), date);
    html += Row(QStringLiteral("Modem"), ReportModelName(in.modelCode));
    html += Row(QStringLiteral("Local port settings"),
                EscapeReportText(QStringLiteral("Com%1 @ %2 (%3, %4, %5)")
                                     .arg(in.portNumber, in.baud, in.dataBits, QString(in.parity), in.stopBits)));

    auto field = [&in](DiagField f) { return CellText(in.diagnostic[size_t(f)]); };
    html += Row(QStringLiteral("Revision identification [AIT3]"), field(DiagField::Revision));
    html += Row(QStringLiteral("Kestrava Software revision [AIT9]"), field(DiagField::SoftwareRevision));
    html += Row(QStringLiteral("IMEI [+CGSN]"), field(DiagField::Imei));
    html += Row(QStringLiteral("Network Registration [+CREG]"), field(DiagField::Registration));
    html += Row(QStringLiteral("GPRS Network Registration [+CGREG]"), field(DiagField::GprsRegistration));
    html += Row(QStringLiteral("GPRS & TCP Status IP [*WIPSTATUS]"), field(DiagField::GprsStatus));
    html += Row(QStringLiteral("Modem Configuration [&amp;V]"), KeepBlankPairs(field(DiagField::ModemConfiguration)));
    html += Row(QStringLiteral("GPRS Configuration [*WTCPV]"), KeepBlankPairs(field(DiagField::GprsConfiguration)));

    AppendSection(html, in.basic);
    AppendSection(html, in.serial);
    AppendSection(html, in.sms);
    AppendSection(html, in.gprs);

    html += QStringLiteral("</table>\r\n");
    html += QStringLiteral("</body>\r\n</html>\r\n");
    return ToLatin1WithReferences(html);
}

ReportSection BasicReportSection(const BasicForm &form, const SettingsRecord<80> &record)
{
    ReportSection s;
    s.title = QStringLiteral("Basic tab");
    s.rows = {
        {QStringLiteral("Rings to autoanswer [S0]"), QString::number(record.Int(basicfield::Rings)), false},
        {QStringLiteral("Auto reset [+WRST]"), QString::number(record.Int(basicfield::ResetEnabled)), false},
        {QStringLiteral("Auto reset dealy [+WRST]"),
         QString::fromLatin1(record.Text(basicfield::ResetDelay, basicfield::ResetDelayWidth)), false},
        {QStringLiteral("Time to reset"), form.timeToReset.text},
        {QStringLiteral("Bearer type - speed [+CBST]"), form.bearerSpeed.CurrentText()},
        {QStringLiteral("Bearer type - ce [+CBST]"), form.bearerCe.CurrentText()},
        {QStringLiteral("Data compression [%C]"), form.compression.CurrentText()},
        {QStringLiteral("Data error correction [\\n]"), form.errorCorrection.CurrentText()},
    };
    return s;
}

ReportSection SerialReportSection(const SerialSettingsForm &form)
{
    static const struct {
        const char *caption;
        int controlId;
    } kRows[] = {
        {"Baud rate [+IPR]", 1138},
        {"Data bits [+ICF]", 1564},
        {"Stop bits [+ICF]", 1584},
        {"Parity bits [+ICF]", 1578},
        {"Flow control (DCE by DTE) [+IFC]", 1568},
        {"Flow control (DTE by DCE) [+IFC]", 1572},
        {"DCD signal [&amp;C]", 1566},
        {"DTR signal [&amp;D]", 1574},
        {"DSR signal [&amp;S]", 1570},
        {"DCE response format [V]", 1582},
        {"Echo [E]", 1576},
        {"Result code suppression [Q]", 1591},
    };
    ReportSection s;
    s.title = QStringLiteral("Serial tab (v24v25)");
    for (const auto &row : kRows)
        s.rows.append({QString::fromLatin1(row.caption), SerialText(form, row.controlId)});
    return s;
}

ReportSection SmsReportSection(const SmsForm &form)
{
    ReportSection s;
    s.title = QStringLiteral("SMS tab");
    s.rows = {
        {QStringLiteral("Service Center Addres [+CSCA]"), form.serviceCentre.text},
        {QStringLiteral("Message format [+CMGF]"), form.format.CurrentText()},
    };
    return s;
}

ReportSection GprsReportSection(const GprsShownTexts &values)
{
    ReportSection s;
    s.title = QStringLiteral("GPRS tab");
    s.rows = {
        {QStringLiteral("Acces point name"), values.apn},
        {QStringLiteral("User name"), values.userName},
        {QStringLiteral("Password"), values.password},
        {QStringLiteral("IP"), values.ip},
        {QStringLiteral("Delay"), values.delay},
        {QStringLiteral("Port"), values.port},
    };
    return s;
}

bool SaveReportFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace telvio
