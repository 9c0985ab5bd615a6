// The Diagnostic page's logic on the in-memory line: Reload in verbose and
// numeric modes, its aborts, and Create Report's question, re-read, save
// dialog and file.
#include "link/core/modemsession.h"
#include "monitor/core/diagnosticlogic.h"
#include "pages/pagehost.h"
#include "support/fakemodem.h"
#include "support/memoryport.h"
#include "support/scriptedprompter.h"
#include "support/scriptedpump.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telvio;
using namespace telvio::test;

namespace {

// Showing a page of the sheet: what the re-read of Create Report does to
// the pages, without their windows.
class ReportPageHost : public PageHost {
public:
    explicit ReportPageHost(ModemSession *&session) : m_session(session) {}
    void SetActivePage(PageId page) override
    {
        PageHost::SetActivePage(page);
        // A page that shows reads and clears its flag, unless told to fail.
        if (page != PageId::Diagnostic && !failing.contains(page))
            m_session->Flags(page).mustRead = false;
    }
    QList<PageId> failing;

private:
    ModemSession *&m_session;
};

class DiagnosticPage : public ::testing::Test {
protected:
    DiagnosticPage()
    {
        sessionRef = &session;
        pump.Attach(&session);
        port.SetSettings(QStringLiteral("9600,N,8,1"));
        port.SetPortOpen(true);
        session.SetConnected(true);
        session.SetPollUnit(9600);
        session.SetPrompter(&prompts);
        session.SetIdentity(Model::Pike3, true, true);
        logic.hooks.now = [] { return QDateTime(QDate(2026, 1, 2), QTime(3, 4)); };
        logic.hooks.openFile = [this](const QString &path) { opened << path; };
        logic.hooks.sectionOf = [](PageId page) {
            return std::optional<ReportSection>(ReportSection{QStringLiteral("Page %1").arg(int(page)), {}});
        };
    }

    void AnswerAll()
    {
        modem.Answer("AT", "\r\nOK\r\n");
        modem.Answer("ATI3", "\r\nKR3.10 Pike-3\r\n\r\nOK\r\n");
        modem.Answer("ATI9", "\r\n\"Kestrava\",\"6200\"\r\n\r\nOK\r\n");
        modem.Answer("AT+CGSN", "\r\n357831000000012\r\n\r\nOK\r\n");
        modem.Answer("AT+CREG?", "\r\n+CREG: 0, 1\r\n\r\nOK\r\n");
        modem.Answer("AT+CGREG?", "\r\n+CGREG: 0,5\r\n\r\nOK\r\n");
        modem.Answer("AT*WIPSTATUS", "\r\n*WIPSTATUS: 1,\"10.0.0.9\"\r\n\r\nOK\r\n");
        modem.Answer("AT&V", "\r\nQ:0  V:1\r\n\r\nOK\r\n");
        modem.Answer("AT*WTCPV", "\r\n*WTCPV: PORT:2000\r\n\r\nOK\r\n");
    }
    QString Text(DiagField f) const { return logic.form.Field(f).text; }
    QList<QByteArray> Sent() const { return port.CommandLines(); }

    MemoryPort port;
    ScriptedPump pump;
    ModemSession *sessionRef = nullptr;
    ReportPageHost host{sessionRef};
    ScriptedPrompter prompts;
    ModemSession session{&port, &host, &pump};
    FakeModem modem{&port, &pump};
    DiagnosticLogic logic{session, prompts};
    QStringList opened;
};

const QList<QByteArray> kEight = {"ATI3", "ATI9", "AT+CGSN", "AT+CREG?", "AT+CGREG?", "AT*WIPSTATUS", "AT&V", "AT*WTCPV"};

TEST_F(DiagnosticPage, FirstShowingReloadsEveryFieldOnce)
{
    AnswerAll();
    logic.Activate();
    EXPECT_EQ(Sent(), QList<QByteArray>{"AT"} + kEight);
    EXPECT_EQ(Text(DiagField::Revision), "KR3.10 Pike-3");
    EXPECT_EQ(Text(DiagField::SoftwareRevision), "\"Kestrava\",\"6200\"");
    EXPECT_EQ(Text(DiagField::Imei), "357831000000012");
    EXPECT_EQ(Text(DiagField::Registration), "0,1");
    EXPECT_EQ(Text(DiagField::GprsRegistration), "0,5");
    EXPECT_EQ(Text(DiagField::GprsStatus), "*WIPSTATUS: 1,\"10.0.0.9\"\r\n\r\n");
    EXPECT_EQ(Text(DiagField::ModemConfiguration), "Q:0  V:1\r\n\r\n");
    EXPECT_EQ(Text(DiagField::GprsConfiguration), "*WTCPV: PORT:2000\r\n\r\n");
    EXPECT_FALSE(session.Busy());
    EXPECT_EQ(host.windows, QStringList{"Transfering data"});
    EXPECT_EQ(host.openWindows, 0);
    // Later showings keep the fields.
    const int sent = int(Sent().size());
    logic.Activate();
    EXPECT_EQ(Sent().size(), sent);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_F(DiagnosticPage, EchoingModemShowsTheSameTexts)
{
    modem.SetEcho(true);
    AnswerAll();
    ASSERT_TRUE(logic.Reload());
    EXPECT_EQ(Text(DiagField::Revision), "KR3.10 Pike-3");
    EXPECT_EQ(Text(DiagField::Registration), "0,1");
    EXPECT_EQ(Text(DiagField::ModemConfiguration), "Q:0  V:1\r\n\r\n");
}

TEST_F(DiagnosticPage, NumericModemIsAskedVerboseAndRestored)
{
    AnswerAll();
    modem.Answer("AT", "0\r");
    modem.Answer("ATV1", "\r\nOK\r\n");
    modem.Answer("ATV0", "0\r");
    ASSERT_TRUE(logic.Reload());
    EXPECT_EQ(Sent(), (QList<QByteArray>{"AT", "ATV1"} + kEight + QList<QByteArray>{"AT", "ATV0"}));
    EXPECT_EQ(Text(DiagField::Imei), "357831000000012");
}

TEST_F(DiagnosticPage, SmallerModelsAreNotAskedForTheGprsConfiguration)
{
    AnswerAll();
    session.SetIdentity(Model::Orca1Us, true, true);
    logic.form.Field(DiagField::GprsConfiguration).text = QStringLiteral("old");
    ASSERT_TRUE(logic.Reload());
    EXPECT_FALSE(Sent().contains("AT*WTCPV"));
    EXPECT_EQ(Text(DiagField::GprsConfiguration), "");
}

TEST_F(DiagnosticPage, RefusedCommandsShowTheirAnswerAndTheRunGoesOn)
{
    AnswerAll();
    modem.Answer("ATI9", "\r\nERROR\r\n");
    modem.Answer("AT*WIPSTATUS", "\r\n+CME ERROR: 3\r\nERROR\r\n");
    ASSERT_TRUE(logic.Reload());
    EXPECT_EQ(Text(DiagField::SoftwareRevision), "\r\nERROR\r\n");
    EXPECT_EQ(Text(DiagField::GprsStatus), "+CME ERROR: 3\r\nERROR\r\n");
    EXPECT_EQ(Text(DiagField::GprsConfiguration), "*WTCPV: PORT:2000\r\n\r\n");
}

TEST_F(DiagnosticPage, SilenceStopsTheRunAndLaterFieldsKeepTheirText)
{
    AnswerAll();
    modem.Answer("AT+CREG?", QByteArray());
    logic.form.Field(DiagField::GprsRegistration).text = QStringLiteral("before");
    EXPECT_FALSE(logic.Reload());
    EXPECT_EQ(Sent().last(), "AT+CREG?");
    EXPECT_EQ(Text(DiagField::Imei), "357831000000012");
    EXPECT_EQ(Text(DiagField::GprsRegistration), "before");
    EXPECT_TRUE(prompts.Texts().isEmpty());
    EXPECT_FALSE(session.Busy());
}

TEST_F(DiagnosticPage, NothingIsSentWhileBusyOrUnconnected)
{
    AnswerAll();
    session.SetBusy(true);
    EXPECT_FALSE(logic.Reload());
    session.SetBusy(false);
    session.SetConnected(false);
    EXPECT_FALSE(logic.Reload());
    EXPECT_TRUE(Sent().isEmpty());
    // A running connect shows the page from within: it reads then.
    session.SetBusy(true);
    session.SetConnecting(true);
    EXPECT_TRUE(logic.Reload());
}

// --- Create Report ------------------------------------------------------

class DiagnosticReport : public DiagnosticPage {
protected:
    void AddPages()
    {
        for (PageId page : {PageId::Basic, PageId::Serial, PageId::Sms, PageId::Gprs, PageId::Diagnostic})
            session.Flags(page).added = true;
    }
    QByteArray Written() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("modem.htm"));
};

TEST_F(DiagnosticReport, StalePagesAreReReadThenTheFileIsWrittenAndOpened)
{
    AddPages();
    session.Flags(PageId::Basic).mustRead = true;
    session.Flags(PageId::Sms).modified = true;
    prompts.AnswerQuestion(true);
    prompts.AnswerFile(path);
    EXPECT_EQ(logic.CreateReport(), path);
    EXPECT_EQ(host.active, (QList<PageId>{PageId::Basic, PageId::Diagnostic, PageId::Sms, PageId::Diagnostic}));
    ASSERT_EQ(prompts.Log().size(), 2);
    EXPECT_TRUE(prompts.Log().at(0).text.startsWith("Warning: The tool will read the configuration"));
    EXPECT_EQ(prompts.Log().at(1).text, "HTML Report (*.htm);;All files (*.*)");
    EXPECT_EQ(opened, QStringList{path});
    const QByteArray html = Written();
    EXPECT_TRUE(html.contains("<title>Telvio Report file 2026-01-02 03:04</title>"));
    for (int page : {int(PageId::Basic), int(PageId::Serial), int(PageId::Sms), int(PageId::Gprs)})
        EXPECT_TRUE(html.contains(QStringLiteral("<h2>Page %1</h2>").arg(page).toLatin1())) << page;
}

TEST_F(DiagnosticReport, PageWhoseReReadFailsIsLeftOut)
{
    AddPages();
    session.Flags(PageId::Serial).mustRead = true;
    host.failing << PageId::Serial;
    session.Flags(PageId::Gprs).added = false;
    prompts.AnswerQuestion(true);
    prompts.AnswerFile(path);
    ASSERT_EQ(logic.CreateReport(), path);
    const QByteArray html = Written();
    EXPECT_TRUE(html.contains(QStringLiteral("<h2>Page %1</h2>").arg(int(PageId::Basic)).toLatin1()));
    EXPECT_FALSE(html.contains(QStringLiteral("<h2>Page %1</h2>").arg(int(PageId::Serial)).toLatin1()));
    EXPECT_FALSE(html.contains(QStringLiteral("<h2>Page %1</h2>").arg(int(PageId::Gprs)).toLatin1()));
}

TEST_F(DiagnosticReport, NoStopsBeforeAnythingIsRead)
{
    AddPages();
    session.Flags(PageId::Basic).mustRead = true;
    prompts.AnswerQuestion(false);
    EXPECT_EQ(logic.CreateReport(), QString());
    EXPECT_TRUE(host.active.isEmpty());
    EXPECT_EQ(prompts.Log().size(), 1);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(DiagnosticReport, CancelledSaveLeavesThePagesRead)
{
    AddPages();
    session.Flags(PageId::Basic).mustRead = true;
    prompts.AnswerQuestion(true);
    EXPECT_EQ(logic.CreateReport(), QString());
    EXPECT_FALSE(session.Flags(PageId::Basic).mustRead);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(prompts.Unscripted(), 1); // the save dialog, cancelled
}

TEST_F(DiagnosticReport, FileThatCannotBeWrittenIsToldAndNeverOpened)
{
    AddPages();
    prompts.AnswerQuestion(true);
    prompts.AnswerFile(dir.filePath(QStringLiteral("no/such/dir/modem.htm")));
    EXPECT_EQ(logic.CreateReport(), QString());
    ASSERT_EQ(prompts.Texts().size(), 2);
    EXPECT_TRUE(prompts.Texts().at(1).startsWith("Unable to open file..."));
    EXPECT_TRUE(opened.isEmpty());
}

} // namespace
