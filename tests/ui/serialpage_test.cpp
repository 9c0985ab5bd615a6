#include "shellfixture.h"

#include "link/ui/connectionpage.h"
#include "pages/ui/v24v25page.h"
#include "shell/ui/propsheet.h"
#include "shell/ui/statusbar.h"
#include "support/simport.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace telvio::test {
namespace {

// The Serial page in the main window, connected through the Connection
// page to the simulator's interpreter behind the in-memory port.
class SerialPage : public ShellFixture {
protected:
    void Connect(int baud = 115200)
    {
        Window();
        Cserial &connection = *Window().Sheet()->ConnectionPage();
        connection.BaudList()->setCurrentText(QString::number(baud));
        connection.ExecuteCommand(Cserial::CmdConnect);
        ASSERT_TRUE(Session().Connected()) << qPrintable(m_prompts.Texts().join('\n'));
        ASSERT_TRUE(Window().Sheet()->HasPage(PageId::Serial));
    }
    Cv24v25 &Page() { return *static_cast<Cv24v25 *>(Window().Sheet()->Page(PageId::Serial)); }
    void Show() { Window().Sheet()->SetActivePage(PageId::Serial); }
    QString Shown(SerialField field) { return Page().List(field)->currentText(); }
    // A user's choice: the arrow keys move the selection of a closed list.
    void KeyTo(SerialField field, const QString &item)
    {
        QComboBox *list = Page().List(field);
        const int target = list->findText(item);
        ASSERT_GE(target, 0) << qPrintable(item);
        while (list->currentIndex() != target)
            QTest::keyClick(list, list->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }

    SimPort m_sim{&m_port, nullptr, [] {
                      sim::SimConfig c;
                      c.line.baud = 115200;
                      return c;
                  }()};
};

TEST_F(SerialPage, ShownAfterConnectItReadsTheModem)
{
    Connect();
    Show();
    EXPECT_EQ(Shown(SerialField::DteRate), "115200");
    EXPECT_EQ(Shown(SerialField::DataBits), "8");
    EXPECT_EQ(Shown(SerialField::StopBits), "1");
    EXPECT_EQ(Shown(SerialField::Parity), "None");
    EXPECT_EQ(Shown(SerialField::DceByDte), "2 - RTS");
    EXPECT_EQ(Shown(SerialField::DteByDce), "2 - CTS");
    EXPECT_EQ(Shown(SerialField::Dcd), "1 - Match remote");
    EXPECT_EQ(Shown(SerialField::Dtr), "2 - Relase call");
    EXPECT_EQ(Shown(SerialField::Dsr), "1 - Mode dependent");
    EXPECT_EQ(Shown(SerialField::ResponseFormat), "1 - Long(verbose)");
    EXPECT_EQ(Shown(SerialField::Echo), "1 - Echo on");
    EXPECT_EQ(Shown(SerialField::Suppression), "0 - Off");
    EXPECT_FALSE(Session().Flags(PageId::Serial).modified);
    EXPECT_FALSE(Window().Bar()->Text().contains("[Serial]")) << qPrintable(Window().Bar()->Text());
    EXPECT_TRUE(m_prompts.Log().isEmpty());
}

TEST_F(SerialPage, CaptionsItemsTooltipsAndHelp)
{
    Connect();
    Show();
    Cv24v25 &page = Page();
    QStringList groups;
    for (const QGroupBox *g : page.findChildren<QGroupBox *>())
        groups << g->title();
    EXPECT_TRUE(groups.contains("V24-V25"));
    EXPECT_TRUE(groups.contains("DTE-DCE Character framing [+ICF]"));
    EXPECT_TRUE(groups.contains("DTE-DCE Flow Control [+IFC]"));
    EXPECT_EQ(page.Note()->text(),
              "Changes to Result code suppression will not be activated until disconnecting the Telvio.");
    EXPECT_EQ(page.ReadButton()->text(), "Read");
    EXPECT_EQ(page.WriteButton()->text(), "Write");
    for (SerialField f : kSerialFields) {
        QComboBox *list = page.List(f);
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        EXPECT_EQ(items, SerialSettingsForm::Items(f));
        EXPECT_FALSE(list->isEditable());
        EXPECT_EQ(HelpId(list), SerialSettingsForm::ControlId(f));
        // The label carries the layout's "&&", shown as one "&" beside its list.
        const QLabel *label = nullptr;
        for (const QLabel *l : page.findChildren<QLabel *>())
            if (l->buddy() == list)
                label = l;
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), SerialSettingsForm::Label(f));
    }
    EXPECT_TRUE(page.List(SerialField::DteRate)->toolTip().contains("Sets the baud rate.<br>Default: 115200"));
    EXPECT_TRUE(page.ReadButton()->toolTip().contains("Reads configuration from modem."));

    Session().options.tooltip = 0;
    Show();
    EXPECT_TRUE(page.List(SerialField::DteRate)->toolTip().isEmpty());
    EXPECT_TRUE(page.WriteButton()->toolTip().isEmpty());
}

TEST_F(SerialPage, ChoicesMarkThePageChangedAndTwoStopBitsDropParity)
{
    Connect();
    Show();
    KeyTo(SerialField::Parity, "Even");
    EXPECT_TRUE(Session().Flags(PageId::Serial).modified);
    EXPECT_TRUE(Window().Bar()->Text().contains("[Serial] configuration changed but not saved"))
        << qPrintable(Window().Bar()->Text());
    KeyTo(SerialField::StopBits, "2");
    EXPECT_EQ(Shown(SerialField::Parity), "None");
    KeyTo(SerialField::StopBits, "1");
    EXPECT_FALSE(Session().Flags(PageId::Serial).modified);
    EXPECT_FALSE(Window().Bar()->Text().contains("[Serial]"));
}

TEST_F(SerialPage, WriteTakesThePcPortAndTheConnectionPageAlong)
{
    Connect();
    Show();
    KeyTo(SerialField::DteRate, "38400");
    KeyTo(SerialField::StopBits, "2");
    QTest::mouseClick(Page().WriteButton(), Qt::LeftButton);
    EXPECT_TRUE(m_prompts.Log().isEmpty()) << qPrintable(m_prompts.Texts().join('\n'));
    EXPECT_EQ(m_port.Settings(), "38400,N,8,2");
    EXPECT_EQ(m_sim.Garbled(), 0);
    Cserial &connection = *Window().Sheet()->ConnectionPage();
    EXPECT_EQ(connection.BaudList()->currentText(), "38400");
    EXPECT_EQ(connection.StopBitsList()->currentText(), "2");
    EXPECT_FALSE(Session().Flags(PageId::Serial).modified);
    EXPECT_FALSE(Session().Busy());
    EXPECT_EQ(Window().ShownMessageWindow(), nullptr);
}

TEST_F(SerialPage, FailedReadLeavesOnlyReadUsable)
{
    Connect();
    Show();
    m_sim.Modem().faults().add(sim::Fault{"&V", sim::FaultKind::NoAnswer, 0, true});
    QTest::mouseClick(Page().ReadButton(), Qt::LeftButton);
    EXPECT_EQ(m_prompts.Texts(), QStringList{"Error: No answer from modem..."});
    EXPECT_TRUE(Page().ReadButton()->isEnabled());
    EXPECT_FALSE(Page().WriteButton()->isEnabled());
    for (SerialField f : kSerialFields)
        EXPECT_FALSE(Page().List(f)->isEnabled());
    // The modem answers again: so does the page.
    m_prompts.Clear();
    QTest::mouseClick(Page().ReadButton(), Qt::LeftButton);
    EXPECT_TRUE(m_prompts.Log().isEmpty());
    EXPECT_TRUE(Page().WriteButton()->isEnabled());
    EXPECT_TRUE(Page().List(SerialField::Echo)->isEnabled());
}

TEST_F(SerialPage, OfflineOnlyTheListsWork)
{
    Window();
    Session().EnterOffline();
    Session().SetDefaults();
    Session().Flags(PageId::Serial).profilePending = true;
    Show();
    EXPECT_FALSE(Page().ReadButton()->isEnabled());
    EXPECT_FALSE(Page().WriteButton()->isEnabled());
    EXPECT_EQ(Shown(SerialField::DteRate), "115200");
    KeyTo(SerialField::Echo, "0 - Echo off");
    EXPECT_EQ(SerialValue(Session().serialRecord, SerialField::Echo), 0);
    EXPECT_TRUE(m_port.Writes().isEmpty());
}

} // namespace
} // namespace telvio::test
