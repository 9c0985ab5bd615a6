// The I/O page, its entry dialog and the Callback page on screen
// (offscreen), connected through the Connection page to a simulated
// Pike-3 behind the in-memory port.
#include "shellfixture.h"

#include "link/ui/connectionpage.h"
#include "pages/core/iorecord.h"
#include "pages/ui/callbackpage.h"
#include "pages/ui/ioentrydialog.h"
#include "pages/ui/iopage.h"
#include "shell/ui/bitmapbutton.h"
#include "shell/ui/propsheet.h"
#include "support/simport.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace telvio::test {
namespace {

class IoPages : public ShellFixture {
protected:
    void Connect()
    {
        Window();
        Cserial &connection = *Window().Sheet()->ConnectionPage();
        connection.ExecuteCommand(Cserial::CmdConnect);
        ASSERT_TRUE(Session().Connected()) << qPrintable(m_prompts.Texts().join('\n'));
        ASSERT_TRUE(Window().Sheet()->HasPage(PageId::Io));
        ASSERT_TRUE(Window().Sheet()->HasPage(PageId::Callback));
    }
    Cio &Io()
    {
        Window().Sheet()->SetActivePage(PageId::Io);
        return *static_cast<Cio *>(Window().Sheet()->Page(PageId::Io));
    }
    CSCallback &Callback()
    {
        Window().Sheet()->SetActivePage(PageId::Callback);
        return *static_cast<CSCallback *>(Window().Sheet()->Page(PageId::Callback));
    }
    sim::ModemState &Modem() { return m_sim.Modem().state(); }
    static void Choose(QComboBox *list, const QString &item)
    {
        const int target = list->findText(item);
        ASSERT_GE(target, 0) << qPrintable(item);
        while (list->currentIndex() != target)
            QTest::keyClick(list, list->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
    static void Retype(QLineEdit *edit, const QString &text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    SimPort m_sim{&m_port, nullptr};
};

TEST_F(IoPages, IoPageShowsTheModemsEntriesWithItsCaptionsAndTooltips)
{
    Modem().setVariable("WIOL_4_SERVICE", "SMS");
    Modem().setVariable("WIOL_4_FLAG", "RETRY_3");
    Modem().setVariable("WIOL_4_TIMEOUT", "12");
    Modem().setVariable("WIOP_NORM", "3");
    Connect();
    Cio &page = Io();
    EXPECT_EQ(page.Row(3).service->currentText(), "SMS");
    EXPECT_EQ(page.Row(3).retry->currentText(), "RETRY_3");
    EXPECT_EQ(page.Row(3).time->text(), "12");
    EXPECT_EQ(page.Row(0).service->currentText(), "NONE");
    EXPECT_EQ(page.OutputCtrl()->currentText(), "3 - DCD");
    EXPECT_EQ(page.Tp()->text(), "5");
    EXPECT_TRUE(m_prompts.Log().isEmpty()) << qPrintable(m_prompts.Texts().join('\n'));

    QStringList groups;
    for (const QGroupBox *g : page.findChildren<QGroupBox *>())
        groups << g->title();
    EXPECT_EQ(groups, (QStringList{"I/O parameters [*WIOP]", "I/O List [*WIOL]", "I/O Enable [*WIOE]"}));
    QStringList labels;
    for (const QLabel *l : page.findChildren<QLabel *>())
        labels << l->text();
    for (const char *caption : {"Trig pulse time in 10 ms", "Tp", "Tc", "Trig type <type>", "Retry <flag>", "1:",
                                "10:", "All entries:", "Priority"})
        EXPECT_TRUE(labels.contains(caption)) << caption;
    EXPECT_EQ(page.Row(9).edit->text(), "Edit");
    EXPECT_TRUE(page.Row(9).save->toolTip().contains("Save I/O Entry 10"));
    EXPECT_TRUE(page.Row(6).time->toolTip().contains("Timeout I/O Entry 7."));
    EXPECT_TRUE(page.ClearAll()->toolTip().contains("Clear all I/O Entries"));
    EXPECT_EQ(page.Row(6).time->maxLength(), 3);
    EXPECT_EQ(page.Tc()->maxLength(), 3);
    EXPECT_EQ(HelpId(page.Row(9).edit), 1288);
    EXPECT_EQ(HelpId(page.Row(0).service), 1468);
    EXPECT_EQ(HelpId(page.ReadButton()), 1306);
}

TEST_F(IoPages, RowSaveSendsTheTypedTimeCappedAndTheModemKeepsIt)
{
    Connect();
    Cio &page = Io();
    Choose(page.Row(1).service, "DIAL");
    Retype(page.Row(1).time, "300");
    QTest::mouseClick(page.Row(1).save, Qt::LeftButton);
    EXPECT_TRUE(m_prompts.Log().isEmpty()) << qPrintable(m_prompts.Texts().join('\n'));
    EXPECT_EQ(Modem().variable("WIOL_2_SERVICE"), "DIAL");
    EXPECT_EQ(Modem().variable("WIOL_2_TIMEOUT"), "255");
    EXPECT_EQ(Modem().variable("WIOL_3_SERVICE"), "");
}

TEST_F(IoPages, EntryDialogNamesFieldsByServiceAndOkStoresIntoThePage)
{
    Connect();
    Cio &page = Io();
    WithModal([&] { QTest::mouseClick(page.Row(3).edit, Qt::LeftButton); },
              [&](QWidget *modal) {
                  auto *dialog = qobject_cast<IoEntryDialog *>(modal);
                  ASSERT_NE(dialog, nullptr);
                  EXPECT_EQ(dialog->windowTitle(), "I/O Entry 4");
                  EXPECT_EQ(dialog->Group()->title(), "I/O Entry 4");
                  EXPECT_FALSE(dialog->Data(0)->isEnabled());
                  Choose(dialog->Service(), "SMS");
                  EXPECT_EQ(dialog->DataLabel(1)->text(), "SMS-message");
                  EXPECT_EQ(dialog->DataLabel(4)->text(), "Password");
                  EXPECT_TRUE(dialog->Data(4)->isEnabled());
                  EXPECT_FALSE(dialog->Data(5)->isEnabled());
                  EXPECT_EQ(dialog->Data(1)->maxLength(), 160);
                  EXPECT_EQ(dialog->Data(3)->maxLength(), 2);
                  QTest::keyClicks(dialog->Data(1), "Door 1,2,3 open");
                  Choose(dialog->Service(), "CMD");
                  EXPECT_EQ(dialog->DataLabel(0)->text(), "Command");
                  EXPECT_FALSE(dialog->Data(1)->isEnabled());
                  EXPECT_EQ(dialog->Data(1)->text(), "Door 1,2,3 open");
                  Retype(dialog->Time(), "999");
                  QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
              });
    EXPECT_EQ(page.Row(3).service->currentText(), "CMD");
    EXPECT_EQ(page.Row(3).time->text(), "255");
    EXPECT_EQ(Session().ioRecord.Text(iofield::DataAt(1, 3), 164), "Door 123 open");
}

TEST_F(IoPages, CancelledEntryDialogChangesNothing)
{
    Connect();
    Cio &page = Io();
    const IoRecord before = Session().ioRecord;
    WithModal([&] { QTest::mouseClick(page.Row(0).edit, Qt::LeftButton); },
              [&](QWidget *modal) {
                  auto *dialog = qobject_cast<IoEntryDialog *>(modal);
                  ASSERT_NE(dialog, nullptr);
                  Choose(dialog->Service(), "TEXT");
                  QTest::keyClicks(dialog->Data(0), "123");
                  QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
              });
    EXPECT_TRUE(Session().ioRecord == before);
    EXPECT_EQ(page.Row(0).service->currentText(), "NONE");
}

TEST_F(IoPages, CallbackPageReadsSavesAnEntryAndClearsWithoutSending)
{
    Modem().setVariable("WCB", "4");
    Modem().setVariable("WCBTAB_1", "+4670111");
    Modem().setVariable("WCBPWD_1", "secret");
    Connect();
    CSCallback &page = Callback();
    EXPECT_EQ(page.Control()->currentText(), "4 - Callback enabled, Use number table");
    EXPECT_EQ(page.Row(0).number->text(), "+4670111");
    EXPECT_EQ(page.Row(0).password->text(), "secret");
    EXPECT_EQ(page.Delay()->text(), "0");
    EXPECT_EQ(page.Row(1).number->maxLength(), 20);
    EXPECT_TRUE(page.Row(2).clear->toolTip().contains("Clear callback entry 3 (Note the changes is not written"));
    QTest::keyClicks(page.Row(1).number, "+4670222");
    QTest::keyClicks(page.Row(1).password, "two words");
    QTest::mouseClick(page.Row(1).save, Qt::LeftButton);
    EXPECT_TRUE(m_prompts.Log().isEmpty()) << qPrintable(m_prompts.Texts().join('\n'));
    EXPECT_EQ(Modem().variable("WCBTAB_2"), "+4670222");
    EXPECT_EQ(Modem().variable("WCBPWD_2"), "two words");
    QTest::mouseClick(page.Row(0).clear, Qt::LeftButton);
    EXPECT_EQ(page.Row(0).number->text(), "");
    EXPECT_EQ(Modem().variable("WCBTAB_1"), "+4670111");
    QTest::mouseClick(page.SaveAll(), Qt::LeftButton);
    EXPECT_TRUE(m_prompts.Log().isEmpty()) << qPrintable(m_prompts.Texts().join('\n'));
    EXPECT_EQ(Modem().variable("WCBTAB_1"), "");
    EXPECT_EQ(Modem().variable("WCBTIME"), "0");
}

TEST_F(IoPages, CallbackReadFailureLeavesOnlyReadUsable)
{
    Connect();
    sim::Fault fault;
    fault.command = "*WCBTAB";
    fault.kind = sim::FaultKind::Error;
    m_sim.Modem().faults().add(fault);
    CSCallback &page = Callback();
    EXPECT_EQ(m_prompts.Texts(), QStringList{"Error: Unable to retrieve settings..."});
    EXPECT_TRUE(page.ReadButton()->isEnabled());
    EXPECT_FALSE(page.SaveAll()->isEnabled());
    EXPECT_FALSE(page.Row(0).number->isEnabled());
}

} // namespace
} // namespace telvio::test
