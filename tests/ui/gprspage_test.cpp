#include "shellfixture.h"

#include "link/ui/connectionpage.h"
#include "pages/ui/addressfield.h"
#include "pages/ui/gprspage.h"
#include "pages/ui/pingdialog.h"
#include "shell/ui/bitmapbutton.h"
#include "shell/ui/propsheet.h"
#include "shell/ui/statusbar.h"
#include "support/linerate.h"
#include "support/simport.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace telvio::test {
namespace {

// What the page shows for each firmware's command set.
struct SetCase {
    const char *name;
    sim::Model model;
    sim::SimCard sim;
    const char *apnLabel;
    const char *serverLabel; // empty: the field is hidden
    bool socketControls;     // auto connect, mode, client IP, status, sync
    bool contextControls;
    bool ipGroups; // "GPRS" and "TCP"
    bool attachUsable;
};

void PrintTo(const SetCase &c, std::ostream *os)
{
    *os << c.name;
}

const SetCase kSets[] = {
    {"tcp firmware", sim::Model::Pike3, sim::SimCard::Ready, "Access Point Name [*WGPRSAPN]", "IP Server [*WTCPSERV]",
     true, false, true, true},
    {"ip stack", sim::Model::Orca1Us, sim::SimCard::Ready, "Access Point Name [#APNSERV]", "IP [#TCPSERV]", false,
     true, true, true},
    {"plain", sim::Model::Orca1, sim::SimCard::Ready, "Access Point Name [+GDDCONT]", "", false, false, false, true},
    {"ip stack without a ready SIM", sim::Model::Orca1Us, sim::SimCard::PinRequired, "Access Point Name [#APNSERV]",
     "IP [#TCPSERV]", false, true, true, false},
};

sim::SimConfig ConfigOf(const SetCase &c)
{
    sim::SimConfig config;
    config.model = c.model;
    config.sim = c.sim;
    config.line.baud = 115200;
    return config;
}

// The GPRS page in the main window, connected through the Connection page
// to the simulator's interpreter behind the in-memory port.
class GprsPageShown : public ShellFixture, public ::testing::WithParamInterface<SetCase> {
protected:
    void Connect()
    {
        Cserial &connection = *Window().Sheet()->ConnectionPage();
        connection.BaudList()->setCurrentText(QStringLiteral("115200"));
        connection.ExecuteCommand(Cserial::CmdConnect);
        ASSERT_TRUE(Session().Connected()) << qPrintable(m_prompts.Texts().join('\n'));
        ASSERT_TRUE(Window().Sheet()->HasPage(PageId::Gprs));
        Window().Sheet()->SetActivePage(PageId::Gprs);
    }
    Cgprs &Page() { return *static_cast<Cgprs *>(Window().Sheet()->Page(PageId::Gprs)); }
    const Cgprs::Controls &W() { return Page().Widgets(); }
    static bool Shown(const QWidget *w) { return !w->isHidden(); }

    SimPort m_sim{&m_port, nullptr, ConfigOf(GetParam())};
};

TEST_P(GprsPageShown, CaptionsVisibilityAndEnablingForTheCommandSet)
{
    const SetCase &c = GetParam();
    Connect();
    ASSERT_TRUE(m_prompts.Log().isEmpty()) << qPrintable(m_prompts.Texts().join('\n'));
    const Cgprs::Controls &w = W();
    EXPECT_EQ(w.socketGroup->title(), "GPRS - TCP Socket");
    EXPECT_EQ(w.apnLabel->text(), c.apnLabel);
    EXPECT_TRUE(Shown(w.apn));
    const bool access = QByteArray(c.serverLabel).size() > 0;
    EXPECT_EQ(Shown(w.serverIp), access);
    EXPECT_EQ(Shown(w.userName), access);
    EXPECT_EQ(Shown(w.password), access);
    EXPECT_EQ(Shown(w.port), access);
    EXPECT_EQ(Shown(w.delay), access);
    if (access) {
        EXPECT_EQ(w.serverIpLabel->text(), c.serverLabel);
    }
    EXPECT_EQ(w.password->echoMode(), QLineEdit::Password);
    for (const QWidget *socket : std::initializer_list<const QWidget *>{w.autoConnect, w.connectionMode, w.clientIp,
                                                                        w.tcpStatus, w.syncGroup})
        EXPECT_EQ(Shown(socket), c.socketControls);
    for (const QWidget *context :
         std::initializer_list<const QWidget *>{w.activate, w.activateLabel, w.contextMode, w.contextConnect})
        EXPECT_EQ(Shown(context), c.contextControls);
    EXPECT_EQ(Shown(w.gprsGroup), c.ipGroups);
    EXPECT_EQ(Shown(w.tcpGroup), c.ipGroups);
    EXPECT_TRUE(Shown(w.attachGroup));
    EXPECT_EQ(w.attachGroup->title(), "GPRS attach/detach [+CGATT]");
    EXPECT_EQ(w.change->isEnabled(), c.attachUsable);
    EXPECT_EQ(w.attachState->isEnabled(), c.attachUsable);
    EXPECT_EQ(w.activate->isEnabled(), c.attachUsable);
    EXPECT_EQ(w.contextConnect->isEnabled(), c.attachUsable);
    // Nothing is connected yet: no pinging.
    EXPECT_FALSE(w.ping->isEnabled());
    EXPECT_EQ(w.gprsConnect->text(), "Connect");
    EXPECT_TRUE(w.read->isEnabled());
    EXPECT_TRUE(w.write->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Gprs, GprsPageShown, ::testing::ValuesIn(kSets),
                         [](const ::testing::TestParamInfo<SetCase> &info) { return WordName(info.param.name); });

class GprsPageTcp : public GprsPageShown {};

TEST_P(GprsPageTcp, ListsLimitsAndTooltips)
{
    Connect();
    const Cgprs::Controls &w = W();
    auto items = [](const QComboBox *list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->itemText(i);
        return out;
    };
    EXPECT_EQ(items(w.autoConnect), (QStringList{"0 - Disabled", "1 - Enabled", "2 - GPRS modem mode"}));
    EXPECT_EQ(items(w.connectionMode), (QStringList{"0 - Client", "1 - Server"}));
    EXPECT_EQ(items(w.attachState), (QStringList{"0 - Detached", "1 - Attached", "2 - Combined detach"}));
    EXPECT_EQ(items(w.syncMode), (QStringList{"Off", "On"}));
    EXPECT_EQ(items(w.contextMode), (QStringList{"Client [#OTCP]", "Server [#LTCPSTART]"}));
    EXPECT_EQ(w.apn->maxLength(), 100);
    EXPECT_EQ(w.userName->maxLength(), 50);
    EXPECT_EQ(w.password->maxLength(), 50);
    EXPECT_EQ(w.port->maxLength(), 5);
    EXPECT_EQ(w.delay->maxLength(), 5);
    EXPECT_TRUE(w.apn->toolTip().contains("Access Point Name"));
    EXPECT_TRUE(w.change->toolTip().contains("Performs an GPRS attach or detach."));
    EXPECT_TRUE(w.autoConnect->toolTip().contains("TCP socket link control.<br>"));
    Session().options.tooltip = 0;
    Window().Sheet()->SetActivePage(PageId::Gprs);
    EXPECT_TRUE(w.apn->toolTip().isEmpty());
}

TEST_P(GprsPageTcp, TypedDelayIsWrittenInTwentyMillisecondSteps)
{
    Connect();
    const Cgprs::Controls &w = W();
    w.delay->selectAll();
    // The edit takes digits only.
    QTest::keyClicks(w.delay, "115a");
    EXPECT_EQ(w.delay->text(), "115");
    // 115 ms is the 100 ms the modem has: nothing changed.
    EXPECT_FALSE(Session().Flags(PageId::Gprs).modified);
    QTest::keyClick(w.delay, Qt::Key_Backspace);
    QTest::keyClick(w.delay, Qt::Key_Backspace);
    QTest::keyClicks(w.delay, "35");
    EXPECT_EQ(w.delay->text(), "135");
    EXPECT_TRUE(Session().Flags(PageId::Gprs).modified);
    EXPECT_TRUE(Window().Bar()->Text().contains("[GPRS]")) << qPrintable(Window().Bar()->Text());
    QTest::keyClicks(w.serverIp->Box(0), "10");
    QTest::mouseClick(w.write, Qt::LeftButton);
    EXPECT_TRUE(m_prompts.Log().isEmpty()) << qPrintable(m_prompts.Texts().join('\n'));
    EXPECT_EQ(m_sim.Modem().state().value("*WTCPTXDELAY", sim::ProfileSlot::Stored), "120");
    EXPECT_EQ(m_sim.Modem().state().value("*WTCPSERV", sim::ProfileSlot::Stored), "\"10.0.0.0\"");
    EXPECT_FALSE(Session().Flags(PageId::Gprs).modified);
}

TEST_P(GprsPageTcp, QuoteInTheNameIsRefusedByName)
{
    Connect();
    QTest::keyClicks(W().apn, "a\"b");
    QTest::mouseClick(W().write, Qt::LeftButton);
    ASSERT_EQ(m_prompts.Texts().size(), 1);
    EXPECT_TRUE(m_prompts.Texts().first().startsWith("Access Point Name [*WGPRSAPN]"));
    EXPECT_EQ(m_sim.Modem().state().value("*WGPRSAPN"), "\"\"");
}

INSTANTIATE_TEST_SUITE_P(Gprs, GprsPageTcp, ::testing::Values(kSets[0]),
                         [](const ::testing::TestParamInfo<SetCase> &info) { return WordName(info.param.name); });

TEST(GprsPingDialog, ShowsWhatWasReadAndHandsBackTheEdits)
{
    MemoryPort port;
    ModemSession session(&port, nullptr);
    PingDialog logic(session);
    logic.form.address.octets = {10, 0, 0, 1};
    logic.form.addressShown = true;
    logic.form.count.text = "4";
    logic.form.delay.text = "1";
    PingDialogWindow window(logic);
    EXPECT_EQ(window.windowTitle(), "Ping");
    EXPECT_EQ(window.Address()->Box(0)->text(), "10");
    EXPECT_EQ(window.Count()->text(), "4");
    QStringList labels;
    for (const QLabel *l : window.findChildren<QLabel *>())
        labels << l->text();
    EXPECT_TRUE(labels.contains("Numer of pings"));
    EXPECT_TRUE(labels.contains("Delay between pings"));
    window.Count()->setText("7");
    window.Address()->Box(3)->setText("9");
    window.accept();
    EXPECT_EQ(logic.form.count.text, "7");
    EXPECT_EQ(logic.form.address.octets, (Octets{10, 0, 0, 9}));
}

TEST_P(GprsPageTcp, AnEmptiedOctetStaysEmptyWhileTyped)
{
    Connect();
    QLineEdit *box = W().serverIp->Box(1);
    QTest::keyClicks(box, "7");
    EXPECT_EQ(box->text(), "07");
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), "");
    EXPECT_EQ(Page().Logic().form.serverIp.octets[1], 0);
}

TEST(GprsPingDialog, AddressOctetsAbove255AreTaken255)
{
    AddressField field;
    QTest::keyClicks(field.Box(1), "999");
    EXPECT_EQ(field.Box(1)->text(), "255");
    EXPECT_EQ(field.Value(), (Octets{0, 255, 0, 0}));
}

} // namespace
} // namespace telvio::test
