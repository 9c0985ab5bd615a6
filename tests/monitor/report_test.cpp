// The report writer on fixed page states: the whole file against a small
// expected one, the sections left out, and hostile texts escaped.
#include "monitor/core/report.h"

#include "monitor/core/diagnosticanswers.h"
#include "pages/core/basicform.h"
#include "pages/core/basicrecord.h"
#include "pages/core/serialsettingsform.h"
#include "pages/core/smsform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telvio;

namespace {

QByteArray Fixture(const QString &name)
{
    QFile file(QStringLiteral(TELVIO_FIXTURES_DIR "/report/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A Pike-3 at 115200 8N1 on ttyUSB0 whose Basic, Serial and SMS pages
// have read; the Diagnostic fields as the simulator's answers leave them.
ReportInput FixedState()
{
    ReportInput in;
    in.time = QDateTime(QDate(2026, 3, 7), QTime(9, 5));
    in.generator = QStringLiteral("Kestrava Telvio 1.5 (7310-0042 / 2007-08-16)");
    in.modelCode = 4;
    in.portNumber = QStringLiteral("ttyUSB0");
    in.baud = QStringLiteral("115200");
    in.dataBits = QStringLiteral("8");
    in.parity = QLatin1Char('N');
    in.stopBits = QStringLiteral("1");
    in.diagnostic = {QStringLiteral("KR3.10 Pike-3 2024-05-14"),
                     QStringLiteral("\"Kestrava\",\"6200\",\"v3.10\",\"Pike-3\""),
                     QStringLiteral("357831000000012"),
                     QStringLiteral("0,1"),
                     QStringLiteral("0,1"),
                     QStringLiteral("*WIPSTATUS: 1,\"10.64.12.7\"\r\n\r\n"),
                     QStringLiteral("ACTIVE PROFILE:\r\nQ:0  V:1  S0:000\r\nE:1  &C:1  &D:2\r\n\r\n"),
                     QStringLiteral("*WTCPV: APN:\"web\"  PORT:2000\r\n\r\n")};

    BasicForm basic = BasicForm::Initial();
    basic.timeToReset.text = QStringLiteral("012:30");
    basic.bearerSpeed.Select(0);
    basic.bearerCe.Select(1);
    basic.compression.Select(0);
    basic.errorCorrection.Select(1);
    BasicSettingsRecord record;
    record.SetInt(basicfield::Rings, 2);
    record.SetInt(basicfield::ResetEnabled, 1);
    record.SetText(basicfield::ResetDelay, basicfield::ResetDelayWidth, "024:00");
    in.basic = BasicReportSection(basic, record);

    SerialSettingsForm serial = SerialSettingsForm::Initial();
    for (SerialField field : kSerialFields)
        serial.List(field).Select(0);
    in.serial = SerialReportSection(serial);

    SmsForm sms = SmsForm::Initial();
    sms.serviceCentre.text = QStringLiteral("+46708251018");
    sms.format.Select(1);
    in.sms = SmsReportSection(sms);
    return in;
}

TEST(Report, FixedStateGivesTheExpectedFile)
{
    const QByteArray expected = Fixture(QStringLiteral("fixed-state.htm"));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(WriteReport(FixedState()), expected);
}

TEST(Report, SectionsOfPagesThatDidNotReadAreLeftOut)
{
    ReportInput in = FixedState();
    in.basic.reset();
    in.sms.reset();
    const QByteArray html = WriteReport(in);
    EXPECT_FALSE(html.contains("Basic tab"));
    EXPECT_FALSE(html.contains("SMS tab"));
    EXPECT_FALSE(html.contains("GPRS tab"));
    EXPECT_TRUE(html.contains("<tr><td colspan=2><h2>Serial tab (v24v25)</h2></td></tr><tr><td>Baud rate [+IPR]"));
    EXPECT_TRUE(html.endsWith("</table>\r\n</body>\r\n</html>\r\n"));
}

TEST(Report, GprsSectionHoldsItsSixRows)
{
    ReportInput in = FixedState();
    in.gprs = GprsReportSection({"internet", "user", "p<w>d", "10.0.0.1", "30", "2000"});
    const QByteArray html = WriteReport(in);
    const int at = int(html.indexOf("<tr><td colspan=2><h2>GPRS tab</h2></td></tr>"));
    ASSERT_GT(at, html.indexOf("SMS tab"));
    EXPECT_EQ(html.mid(at, html.indexOf("</table>") - at),
              "<tr><td colspan=2><h2>GPRS tab</h2></td></tr>"
              "<tr><td>Acces point name</td><td><b>internet</b></td></tr>\r\n"
              "<tr><td>User name</td><td><b>user</b></td></tr>\r\n"
              "<tr><td>Password</td><td><b>p&lt;w&gt;d</b></td></tr>\r\n"
              "<tr><td>IP</td><td><b>10.0.0.1</b></td></tr>\r\n"
              "<tr><td>Delay</td><td><b>30</b></td></tr>\r\n"
              "<tr><td>Port</td><td><b>2000</b></td></tr>\r\n");
}

TEST(Report, HostileTextsComeOutEscaped)
{
    ReportInput in = FixedState();
    in.diagnostic[size_t(DiagField::Revision)] = QStringLiteral("<script>alert(\"x\")</script> R&D");
    in.diagnostic[size_t(DiagField::ModemConfiguration)] = QStringLiteral("&C1  &D2\r\n<b>");
    SmsForm sms = SmsForm::Initial();
    sms.serviceCentre.text = QStringLiteral("\"><img src=x>");
    in.sms = SmsReportSection(sms);
    const QByteArray html = WriteReport(in);
    EXPECT_FALSE(html.contains("<script>"));
    EXPECT_FALSE(html.contains("<img"));
    EXPECT_TRUE(html.contains("<b>&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; R&amp;D</b>"));
    // The profile dump's ampersands escaped once, its blank pairs kept.
    EXPECT_TRUE(html.contains("<b>&amp;C1&nbsp;&nbsp;&amp;D2<br>&lt;b&gt;</b>"));
    EXPECT_TRUE(html.contains("<b>&quot;&gt;&lt;img src=x&gt;</b>"));
}

TEST(Report, BlankPairsAndLineBreaksOfTheDumps)
{
    ReportInput in = FixedState();
    // Pairs are taken from the left: three blanks keep one plain blank.
    in.diagnostic[size_t(DiagField::GprsConfiguration)] = QStringLiteral("A   B\r\nC");
    // Other fields keep their blanks as they are.
    in.diagnostic[size_t(DiagField::Registration)] = QStringLiteral("0  1");
    const QByteArray html = WriteReport(in);
    EXPECT_TRUE(html.contains("[*WTCPV]</td><td><b>A&nbsp;&nbsp; B<br>C</b>"));
    EXPECT_TRUE(html.contains("[+CREG]</td><td><b>0  1</b>"));
}

TEST(Report, FileIsIso88591WithReferencesBeyondIt)
{
    ReportInput in = FixedState();
    SmsForm sms = SmsForm::Initial();
    sms.serviceCentre.text = QString::fromUtf8("Caf\u00e9 \u20ac \U0001F600");
    in.sms = SmsReportSection(sms);
    const QByteArray html = WriteReport(in);
    EXPECT_TRUE(html.contains("<b>Caf\xe9 &#8364; &#128512;</b>"));
}

TEST(Report, ModelNamesByCode)
{
    EXPECT_EQ(ReportModelName(2), "Orca-1 TCP");
    EXPECT_EQ(ReportModelName(3), "Pike-2");
    EXPECT_EQ(ReportModelName(4), "Pike-3");
    EXPECT_EQ(ReportModelName(1), "Orca-1");
    EXPECT_EQ(ReportModelName(0), "Orca-1");
}

TEST(ReportFile, WrittenWholeAndAnOldFileKeptWhenTheWriteFails)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.htm"));
    QString error;
    ASSERT_TRUE(SaveReportFile(path, "new", &error)) << qPrintable(error);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "new");
    file.close();
    EXPECT_FALSE(SaveReportFile(dir.filePath(QStringLiteral("missing/report.htm")), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    // A directory in the way: nothing written, nothing replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.htm")));
    EXPECT_FALSE(SaveReportFile(dir.filePath(QStringLiteral("taken.htm")), "x", &error));
}

} // namespace
