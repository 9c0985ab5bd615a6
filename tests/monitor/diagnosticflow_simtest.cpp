// The Diagnostic page's Reload and report, and the SMS page's Send, against
// the simulator through the real serial path, at full speed and at the
// line's own rate.
#include "monitor/core/diagnosticlogic.h"
#include "pages/basicfixture.h"
#include "pages/core/serialsettingslogic.h"
#include "pages/core/smslogic.h"
#include "pages/core/smsrecord.h"
#include "sim/simmodem.h"
#include "support/linerate.h"
#include "support/simlink.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telvio;
using namespace telvio::test;

namespace {

// The sheet as the report's re-read sees it: showing a page activates its
// logic, which reads the modem when it must.
class SheetHost : public PageHost {
public:
    void SetActivePage(PageId page) override
    {
        PageHost::SetActivePage(page);
        if (PageLogic *logic = pages.value(page))
            logic->Activate();
    }
    QMap<PageId, PageLogic *> pages;
};

class Flow {
public:
    explicit Flow(const sim::SimConfig &config) : link(config)
    {
        link.session.SetHost(&host);
        link.session.SetPrompter(&prompts);
        link.session.SetTraceSink([this](TraceDirection dir, const QByteArray &bytes) {
            if (dir == TraceDirection::Sent)
                sent += bytes;
        });
        line = config.line;
        host.pages = {{PageId::Basic, &basic}, {PageId::Serial, &serial}, {PageId::Sms, &sms}};
        diagnostic.hooks.openFile = [this](const QString &path) { opened << path; };
        diagnostic.hooks.sectionOf = [this](PageId page) -> std::optional<ReportSection> {
            switch (page) {
            case PageId::Basic: return BasicReportSection(basic.form, link.session.basicRecord);
            case PageId::Serial: return SerialReportSection(serial.form);
            case PageId::Sms: return SmsReportSection(sms.form);
            default: return std::nullopt;
            }
        };
    }

    bool Connect()
    {
        ConnectParams p;
        p.port = link.path;
        p.line.baud = line.baud;
        p.line.stopBits = line.stopBits;
        return link.session.Connect(p) == 1;
    }
    QByteArray Variable(const QByteArray &name)
    {
        QByteArray value;
        link.modem.withModem([&](sim::SimModem &m) { value = m.state().variable(name); });
        return value;
    }
    QByteArray Setting(const QByteArray &name)
    {
        QByteArray value;
        link.modem.withModem([&](sim::SimModem &m) { value = m.state().value(name); });
        return value;
    }
    void SetVariable(const QByteArray &name, const QByteArray &value)
    {
        link.modem.withModem([&](sim::SimModem &m) { m.state().setVariable(name, value); });
    }
    void Stage(const QByteArray &command)
    {
        link.modem.withModem([&](sim::SimModem &m) { m.feed(command + '\r'); });
    }
    QString Text(DiagField f) const { return diagnostic.form.Field(f).text; }

    SimLink link;
    sim::LineSettings line;
    QByteArray sent;
    SheetHost host;
    ScriptedPrompter prompts;
    ScriptedBasicDialogs dialogs;
    BasicLogic basic{link.session, prompts, dialogs, dialogs, dialogs};
    SerialSettingsLogic serial{link.session, prompts};
    SmsLogic sms{link.session, prompts};
    DiagnosticLogic diagnostic{link.session, prompts};
    QStringList opened;
};

struct ModeCase {
    const char *name;
    bool verbose;
    bool echo;
};

void PrintTo(const ModeCase &c, std::ostream *os)
{
    *os << c.name;
}

sim::SimConfig PikeWithTcpFirmware(const ModeCase &mode, LineRate rate)
{
    sim::SimConfig c;
    c.model = sim::Model::Pike3;
    c.firmware = sim::Firmware::Maker;
    c.verbose = mode.verbose;
    c.echo = mode.echo;
    return AtRate(c, rate);
}

class DiagnosticReload : public ::testing::TestWithParam<CaseAtRate<ModeCase>> {
protected:
    const ModeCase &Mode() const { return std::get<0>(GetParam()); }
    sim::SimConfig Config() const { return PikeWithTcpFirmware(Mode(), std::get<1>(GetParam())); }
};

TEST_P(DiagnosticReload, EveryFieldShowsItsAnswerAndTheModemKeepsItsMode)
{
    Flow f(Config());
    ASSERT_TRUE(f.Connect());
    f.Stage("AT*WGPRSAPN=\"internet.kestrava\"");
    f.SetVariable("GPRS_CONNECT_MS", "0");
    f.Stage("AT*WGPRSCONNECT");
    f.diagnostic.Activate();
    EXPECT_EQ(f.Text(DiagField::Revision).toLatin1(), f.Variable("REVISION"));
    EXPECT_TRUE(f.Text(DiagField::SoftwareRevision).startsWith("\"Kestrava\",\"6200\""));
    EXPECT_EQ(f.Text(DiagField::Imei).toLatin1(), f.Variable("IMEI"));
    EXPECT_EQ(f.Text(DiagField::Registration), "0,1");
    EXPECT_EQ(f.Text(DiagField::GprsRegistration), "0,1");
    EXPECT_EQ(f.Text(DiagField::GprsStatus), "*WIPSTATUS: CONNECTED,\"10.64.12.7\"\r\n\r\n");
    const QString dump = f.Text(DiagField::ModemConfiguration);
    EXPECT_TRUE(dump.startsWith("ACTIVE PROFILE:\r\nQ:0  V:1  S0:000")) << qPrintable(dump);
    EXPECT_TRUE(dump.contains("STORED PROFILE:")) << qPrintable(dump);
    EXPECT_TRUE(f.Text(DiagField::GprsConfiguration).startsWith("*WTCPV: APN:\"internet.kestrava\""));
    EXPECT_EQ(f.Setting("V"), QByteArray(Mode().verbose ? "1" : "0"));
    EXPECT_TRUE(f.prompts.Log().isEmpty());
    EXPECT_FALSE(f.link.session.Busy());
}

INSTANTIATE_TEST_SUITE_P(Modes, DiagnosticReload,
                         EachAtBothRates(std::vector<ModeCase>{{"verbose with echo", true, true},
                                                               {"numeric", false, false}}),
                         CaseAtRateName<ModeCase>);

class DiagnosticOverTheLine : public AtBothRates {};

TEST_P(DiagnosticOverTheLine, ReportHoldsThePagesTheModemWasReadFor)
{
    sim::SimConfig config = Paced();
    config.firmware = sim::Firmware::Maker;
    Flow f(config);
    ASSERT_TRUE(f.Connect());
    f.Stage("AT+CSCA=\"+46708251018\"");
    f.diagnostic.Activate();
    // The pages were added by the connect and have not been shown: the
    // report reads them first.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pike.htm"));
    f.prompts.AnswerQuestion(true);
    f.prompts.AnswerFile(path);
    ASSERT_EQ(f.diagnostic.CreateReport(), path) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_EQ(f.opened, QStringList{path});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray html = file.readAll();
    EXPECT_TRUE(html.contains("<tr><td>Modem</td><td><b>Pike-3</b></td></tr>"));
    EXPECT_TRUE(html.contains("<tr><td>IMEI [+CGSN]</td><td><b>" + f.Variable("IMEI") + "</b></td></tr>"));
    EXPECT_TRUE(html.contains("Q:0&nbsp;&nbsp;V:1"));
    EXPECT_TRUE(html.contains("&amp;C:1")) << html.constData();
    EXPECT_TRUE(html.contains("<h2>Basic tab</h2>"));
    EXPECT_TRUE(html.contains("<tr><td>Baud rate [+IPR]</td><td><b>9600</b></td></tr>")) << html.constData();
    EXPECT_TRUE(html.contains("<tr><td>Service Center Addres [+CSCA]</td><td><b>+46708251018</b></td></tr>"));
    EXPECT_TRUE(html.contains("<tr><td>Message format [+CMGF]</td><td><b>1 - Text</b></td></tr>"));
    EXPECT_FALSE(html.contains("GPRS tab"));
}

TEST_P(DiagnosticOverTheLine, SmsOfTwoLinesIsSentAndLeavesNothingUnsaved)
{
    Flow f(Paced());
    ASSERT_TRUE(f.Connect());
    f.Stage("AT+CSCA=\"+46708251018\"");
    f.sms.Activate();
    f.sms.form.number.text = QStringLiteral("+4912345");
    f.sms.form.message.text = QStringLiteral("Pump > 3 bar\r\nsite 7");
    f.sms.Command(SmsCommand::Edited);
    EXPECT_TRUE(f.link.session.Flags(PageId::Sms).modified);
    f.sent.clear();
    f.host.terminal.clear();
    EXPECT_EQ(f.sms.Send(), 1) << f.prompts.Texts().join(' ').toStdString();
    EXPECT_TRUE(f.sent.startsWith("AT+CMGF=1\rAT+CMGS=\"+4912345\"\rPump > 3 bar\r\nsite 7\r\x1A"))
        << f.sent.toStdString();
    EXPECT_EQ(f.Variable("SENT_1_DA"), "+4912345");
    EXPECT_EQ(f.Variable("SENT_1_TEXT"), "Pump > 3 bar\rsite 7\r");
    // Only the blank after each "> " prompt, which the send does not wait
    // for, may reach the terminal.
    EXPECT_TRUE(f.host.terminal.trimmed().isEmpty()) << f.host.terminal.toStdString();
    EXPECT_FALSE(f.link.session.Flags(PageId::Sms).modified);
    EXPECT_EQ(f.sms.form.message.text, "Pump > 3 bar\r\nsite 7");
    EXPECT_TRUE(f.prompts.Log().isEmpty());
    EXPECT_FALSE(f.link.session.Busy());
    // The modem is free again: the settings read as before.
    EXPECT_TRUE(f.sms.ReadButton());
    EXPECT_EQ(f.sms.form.serviceCentre.text, "+46708251018");
}

TEST_P(DiagnosticOverTheLine, SmsRefusedByTheNetworkIsToldAsAnError)
{
    Flow f(Paced());
    ASSERT_TRUE(f.Connect());
    f.sms.Activate();
    f.sms.form.number.text = QStringLiteral("123");
    f.sms.form.message.text = QStringLiteral("hello");
    f.sms.Command(SmsCommand::Edited);
    EXPECT_EQ(f.sms.Send(), 2);
    EXPECT_EQ(f.prompts.Texts(), QStringList{"Error: Unable to send message!"});
    EXPECT_TRUE(f.Variable("SENT_COUNT").isEmpty());
    EXPECT_TRUE(f.sms.ReadButton());
}

TELVIO_AT_BOTH_RATES(DiagnosticOverTheLine);

} // namespace
