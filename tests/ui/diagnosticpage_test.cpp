#include "shellfixture.h"

#include "link/ui/connectionpage.h"
#include "monitor/ui/diagnosticpage.h"
#include "pages/ui/dtrdialogs.h"
#include "pages/ui/smspage.h"
#include "shell/ui/bitmapbutton.h"
#include "shell/ui/propsheet.h"
#include "shell/ui/statusbar.h"
#include "support/simport.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace telvio::test {
namespace {

// The Diagnostic and SMS pages in the main window, connected through the
// Connection page to a Pike-3 with the TCP firmware behind the in-memory
// port.
class MonitorPages : public ShellFixture {
protected:
    void Connect()
    {
        Window();
        Cserial &connection = *Window().Sheet()->ConnectionPage();
        connection.BaudList()->setCurrentText(QStringLiteral("115200"));
        connection.ExecuteCommand(Cserial::CmdConnect);
        ASSERT_TRUE(Session().Connected()) << qPrintable(m_prompts.Texts().join('\n'));
    }
    Cdiagnostic &Diagnostic() { return *static_cast<Cdiagnostic *>(Window().Sheet()->Page(PageId::Diagnostic)); }
    Csms &Sms() { return *static_cast<Csms *>(Window().Sheet()->Page(PageId::Sms)); }
    QString Field(DiagField f) { return Diagnostic().Field(f)->toPlainText(); }
    QByteArray Variable(const QByteArray &name) { return m_sim.Modem().state().variable(name); }

    SimPort m_sim{&m_port, nullptr, [] {
                      sim::SimConfig c;
                      c.line.baud = 115200;
                      c.firmware = sim::Firmware::Maker;
                      return c;
                  }()};
};

TEST_F(MonitorPages, DiagnosticShownAfterConnectShowsTheEightAnswers)
{
    Connect();
    Window().Sheet()->SetActivePage(PageId::Diagnostic);
    EXPECT_EQ(Field(DiagField::Revision).toLatin1(), Variable("REVISION"));
    EXPECT_EQ(Field(DiagField::Imei).toLatin1(), Variable("IMEI"));
    EXPECT_EQ(Field(DiagField::Registration), "0,1");
    EXPECT_TRUE(Field(DiagField::ModemConfiguration).startsWith("ACTIVE PROFILE:\nQ:0  V:1"))
        << qPrintable(Field(DiagField::ModemConfiguration));
    EXPECT_TRUE(Field(DiagField::GprsConfiguration).startsWith("*WTCPV:"));
    EXPECT_TRUE(Diagnostic().Field(DiagField::Imei)->isReadOnly());
    QStringList captions;
    for (const QLabel *l : Diagnostic().findChildren<QLabel *>())
        captions << l->text();
    // "&&" shows as one "&" beside its field.
    EXPECT_TRUE(captions.contains("Modem Configuration [AT&&V]"));
    EXPECT_TRUE(captions.contains("Kestrava Software revision  [ATI9]"));
    EXPECT_EQ(Diagnostic().ReloadButton()->text(), "Reload");
    EXPECT_EQ(Diagnostic().CreateReportButton()->text(), "Create Report");
    EXPECT_TRUE(m_prompts.Log().isEmpty());
}

TEST_F(MonitorPages, CreateReportReadsThePagesWritesTheFileAndOpensIt)
{
    Connect();
    Window().Sheet()->SetActivePage(PageId::Diagnostic);
    QStringList opened;
    Diagnostic().SetOpenFile([&opened](const QString &path) { opened << path; });
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pike.htm"));
    m_prompts.AnswerQuestion(true);
    m_prompts.AnswerFile(path);
    QTest::mouseClick(Diagnostic().CreateReportButton(), Qt::LeftButton);
    EXPECT_EQ(opened, QStringList{path}) << qPrintable(m_prompts.Texts().join('\n'));
    EXPECT_EQ(Window().Sheet()->ActivePageId(), PageId::Diagnostic);
    // The pages never shown were read for it.
    EXPECT_FALSE(Session().Flags(PageId::Basic).mustRead);
    EXPECT_FALSE(Session().Flags(PageId::Sms).mustRead);
    EXPECT_FALSE(Session().Flags(PageId::Gprs).mustRead);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray html = file.readAll();
    EXPECT_TRUE(html.contains("<h2>Basic tab</h2>"));
    EXPECT_TRUE(html.contains("<tr><td>Baud rate [+IPR]</td><td><b>115200</b></td></tr>")) << html.constData();
    EXPECT_TRUE(html.contains("<tr><td>Message format [+CMGF]</td><td><b>1 - Text</b></td></tr>"));
    EXPECT_TRUE(html.contains("<h2>GPRS tab</h2>"));
    EXPECT_TRUE(html.contains("<tr><td>IP</td><td><b>0.0.0.0</b></td></tr>")) << html.constData();
    EXPECT_EQ(m_prompts.Unscripted(), 0);
}

TEST_F(MonitorPages, SmsSendFromThePageLeavesNothingUnsaved)
{
    Connect();
    m_sim.Modem().feed("AT+CSCA=\"+46708251018\"\r");
    Window().Sheet()->SetActivePage(PageId::Sms);
    Csms &page = Sms();
    QTest::keyClicks(page.Number(), QStringLiteral("+4912345"));
    page.Message()->setFocus();
    QTest::keyClicks(page.Message(), QStringLiteral("Hello"));
    QTest::keyClick(page.Message(), Qt::Key_Return);
    QTest::keyClicks(page.Message(), QStringLiteral("World"));
    EXPECT_EQ(page.Length()->text(), "12");
    EXPECT_TRUE(Window().Bar()->Text().contains("[SMS]")) << qPrintable(Window().Bar()->Text());
    QTest::mouseClick(page.SendButton(), Qt::LeftButton);
    EXPECT_EQ(Variable("SENT_1_DA"), "+4912345");
    EXPECT_EQ(Variable("SENT_1_TEXT"), "Hello\rWorld\r");
    EXPECT_FALSE(Window().Bar()->Text().contains("[SMS]")) << qPrintable(Window().Bar()->Text());
    EXPECT_TRUE(m_prompts.Log().isEmpty()) << qPrintable(m_prompts.Texts().join('\n'));
}

TEST_F(MonitorPages, EnterBreaksTheLineBeforeTheSelectionAndNeverPressesAButton)
{
    Connect();
    Window().Sheet()->SetActivePage(PageId::Sms);
    Csms &page = Sms();
    page.Message()->setFocus();
    QTest::keyClicks(page.Message(), QStringLiteral("abcd"));
    QTextCursor cursor = page.Message()->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    page.Message()->setTextCursor(cursor);
    QTest::keyClick(page.Message(), Qt::Key_Return);
    EXPECT_EQ(page.Message()->toPlainText(), "a\nbcd");
    EXPECT_EQ(page.Message()->textCursor().selectedText(), "bc");
    EXPECT_EQ(page.Length()->text(), "6");

    // At 160 characters Enter does nothing at all.
    page.Message()->selectAll();
    QTest::keyClicks(page.Message(), QString(170, QLatin1Char('x')));
    EXPECT_EQ(page.Length()->text(), "160");
    QTest::keyClick(page.Message(), Qt::Key_Return);
    EXPECT_EQ(page.Message()->toPlainText(), QString(160, QLatin1Char('x')));
    EXPECT_TRUE(Variable("SENT_COUNT").isEmpty());
    EXPECT_TRUE(m_prompts.Log().isEmpty());
}

} // namespace
} // namespace telvio::test
