#include "shellfixture.h"

#include "link/ui/connectionpage.h"
#include "pages/ui/basicpage.h"
#include "pages/ui/dtrdialogs.h"
#include "pages/ui/pindialogs.h"
#include "shell/ui/bitmapbutton.h"
#include "shell/ui/propsheet.h"
#include "shell/ui/statusbar.h"
#include "support/simport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace telvio::test {
namespace {

// The Basic page in the main window, connected through the Connection page
// to the simulator's interpreter behind the in-memory port.
class BasicPage : public ShellFixture {
protected:
    void Connect()
    {
        Window();
        Cserial &connection = *Window().Sheet()->ConnectionPage();
        connection.BaudList()->setCurrentText(QStringLiteral("115200"));
        connection.ExecuteCommand(Cserial::CmdConnect);
        ASSERT_TRUE(Session().Connected()) << qPrintable(m_prompts.Texts().join('\n'));
        ASSERT_TRUE(Window().Sheet()->HasPage(PageId::Basic));
    }
    Cconfig &Page() { return *static_cast<Cconfig *>(Window().Sheet()->Page(PageId::Basic)); }
    const Cconfig::Controls &W() { return Page().Widgets(); }
    void Show() { Window().Sheet()->SetActivePage(PageId::Basic); }
    QString Bar() { return Window().Bar()->Text(); }
    QStringList GroupTitles()
    {
        QStringList titles;
        for (const QGroupBox *g : Page().findChildren<QGroupBox *>())
            titles << g->title();
        return titles;
    }
    QStringList Items(const QComboBox *list)
    {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items;
    }
    // A user's choice: the arrow keys move the selection of a closed list.
    void KeyTo(QComboBox *list, int target)
    {
        while (list->currentIndex() != target)
            QTest::keyClick(list, list->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }

    void Use(sim::Model model, sim::SimCard card = sim::SimCard::Ready)
    {
        sim::SimConfig c;
        c.model = model;
        c.sim = card;
        c.pin = "1234";
        c.line.baud = 115200;
        m_sim = std::make_unique<SimPort>(&m_port, nullptr, c);
    }

    // Runs `job` on the dialog of type T once `open` brings it up, which
    // may be after a few exchanges with the modem.
    template <typename T>
    static void WithDialog(const std::function<void()> &open, const std::function<void(T *)> &job)
    {
        bool ran = false;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
                poll.stop();
                ran = true;
                job(dialog);
            }
        });
        poll.start();
        open();
        poll.stop();
        EXPECT_TRUE(ran) << "no dialog came up";
    }

    std::unique_ptr<SimPort> m_sim = [this] {
        sim::SimConfig c;
        c.line.baud = 115200;
        return std::make_unique<SimPort>(&m_port, nullptr, c);
    }();
};

TEST_F(BasicPage, ReadAtConnectFillsTheControls)
{
    Connect();
    Show();
    EXPECT_TRUE(m_prompts.Log().isEmpty()) << qPrintable(m_prompts.Texts().join('\n'));
    EXPECT_EQ(W().rings->text(), "000");
    EXPECT_EQ(W().bearerSpeed->currentText(), "0 - Autobauding");
    EXPECT_EQ(W().bearerCe->currentText(), "1 - Non transparent only");
    EXPECT_EQ(W().compression->currentText(), "0 - no compression");
    EXPECT_EQ(W().errorCorrection->currentText(), "0 - no error correction");
    EXPECT_EQ(W().statusLed->currentText(), "0 - Disabled");
    EXPECT_EQ(W().dtrEvent->currentText(), "Select DTR Event");
    EXPECT_FALSE(W().reset->isChecked());
    EXPECT_FALSE(W().resetDelay->isEnabled());
    // A ready SIM: no PIN to enter, and the lock is off.
    EXPECT_FALSE(W().enterPin->isEnabled());
    EXPECT_TRUE(W().changePin->isEnabled());
    EXPECT_TRUE(W().activatePin->isEnabled());
    EXPECT_EQ(W().activatePin->text(), "Enable PIN");
    EXPECT_TRUE(W().dtrTest->isEnabled());
    EXPECT_FALSE(W().autoPinGroup->isHidden());
    EXPECT_FALSE(W().embeddedAppGroup->isHidden());
    EXPECT_EQ(W().embeddedApp->text(), "Disable");
    EXPECT_FALSE(Session().Flags(PageId::Basic).modified);
    EXPECT_FALSE(Bar().contains("[Basic]")) << qPrintable(Bar());
}

TEST_F(BasicPage, CaptionsItemsLimitsAndTooltips)
{
    Connect();
    Show();
    const QStringList titles = GroupTitles();
    for (const char *title : {"Security [+CPIN],[+CLCK] && [+CPWD]", "Call", "Auto PIN [*WPIN]", "Reset [+WRST]",
                              "Data", "Set DTR Toogle Event [%D]", "Factory Settings [&&F]", "Embedded App"})
        EXPECT_TRUE(titles.contains(title)) << title;
    EXPECT_EQ(Items(W().bearerSpeed), BasicForm::BearerSpeedItems());
    EXPECT_EQ(Items(W().bearerSpeed).at(8), "12 -  9600 bps (V.34)");
    EXPECT_EQ(Items(W().dtrEvent), BasicForm::DtrEventItems());
    EXPECT_EQ(Items(W().statusLed), BasicForm::StatusLedItems());
    EXPECT_EQ(W().enterPin->text(), "Enter PIN");
    EXPECT_EQ(W().resetNow->text(), "Reset Now");
    EXPECT_EQ(W().factory->text(), "Factory");
    EXPECT_EQ(W().read->text(), "Read");
    EXPECT_EQ(W().write->text(), "Write");
    EXPECT_EQ(W().rings->maxLength(), 3);
    EXPECT_EQ(W().autoPinCode->maxLength(), 4);
    EXPECT_EQ(W().resetDelay->maxLength(), 6);
    EXPECT_TRUE(W().timeToReset->isReadOnly());
    QLabel *cfun = nullptr;
    for (QLabel *l : Page().findChildren<QLabel *>()) {
        if (l->buddy() == W().resetNow)
            cfun = l;
    }
    ASSERT_NE(cfun, nullptr);
    EXPECT_EQ(cfun->text(), "[+CFUN=1]");

    // Digits only in the rings edit.
    W().rings->setFocus();
    W().rings->selectAll();
    QTest::keyClicks(W().rings, "1x2");
    EXPECT_EQ(W().rings->text(), "12");

    EXPECT_TRUE(W().reset->toolTip().contains("Enables the Kestrava reset funktion.<br>Default: Enabled"));
    EXPECT_TRUE(W().rings->toolTip().contains("Sets the number of ring signals before automatic answer."));
    EXPECT_TRUE(W().dtrActivate->toolTip().contains("Activates selected DTR function"));
    Session().options.tooltip = 0;
    Show();
    EXPECT_TRUE(W().reset->toolTip().isEmpty());
    EXPECT_TRUE(W().write->toolTip().isEmpty());
}

TEST_F(BasicPage, OlderModelsHideAutoPinAndEmbeddedApp)
{
    Use(sim::Model::Orca1);
    Connect();
    Show();
    EXPECT_TRUE(W().autoPinGroup->isHidden());
    EXPECT_TRUE(W().embeddedAppGroup->isHidden());
    EXPECT_TRUE(m_prompts.Log().isEmpty()) << qPrintable(m_prompts.Texts().join('\n'));
}

// At a low line rate the first read runs for seconds with the page on
// screen: what it shows meanwhile must already be this model's layout.
TEST_F(BasicPage, OlderModelsLayoutIsShownBeforeTheFirstRead)
{
    Use(sim::Model::Orca1);
    bool looked = false;
    bool autoPinShown = true, embeddedAppShown = true;
    int speedItems = 0;
    // The page as it stands when the read's first own command goes out.
    const MemoryPort::Responder modem = m_port.CurrentResponder();
    m_port.SetResponder([&](const QByteArray &written) {
        if (!looked && written.startsWith("ATS0?")) {
            looked = true;
            autoPinShown = !W().autoPinGroup->isHidden();
            embeddedAppShown = !W().embeddedAppGroup->isHidden();
            speedItems = W().bearerSpeed->count();
        }
        modem(written);
    });
    Connect(); // reads every page as it connects
    ASSERT_TRUE(looked) << "the page was not read";
    EXPECT_FALSE(autoPinShown);
    EXPECT_FALSE(embeddedAppShown);
    EXPECT_EQ(speedItems, 16);
}

TEST_F(BasicPage, TypingMarksThePageAndWriteClearsIt)
{
    Connect();
    Show();
    W().rings->setFocus();
    W().rings->selectAll();
    QTest::keyClicks(W().rings, "5");
    EXPECT_TRUE(Session().Flags(PageId::Basic).modified);
    EXPECT_TRUE(Bar().contains("[Basic] configuration changed but not saved")) << qPrintable(Bar());
    KeyTo(W().bearerSpeed, 8);
    QTest::mouseClick(W().reset, Qt::LeftButton);
    EXPECT_TRUE(W().resetDelay->isEnabled());
    W().resetDelay->setFocus();
    W().resetDelay->selectAll();
    QTest::keyClicks(W().resetDelay, "012:30");

    QTest::mouseClick(W().write, Qt::LeftButton);
    EXPECT_TRUE(m_prompts.Log().isEmpty()) << qPrintable(m_prompts.Texts().join('\n'));
    EXPECT_FALSE(Session().Flags(PageId::Basic).modified);
    EXPECT_FALSE(Bar().contains("[Basic]")) << qPrintable(Bar());
    EXPECT_EQ(m_sim->Modem().state().value("S0", sim::ProfileSlot::Stored), QByteArray("5"));
    EXPECT_EQ(m_sim->Modem().state().value("+CBST", sim::ProfileSlot::Stored), QByteArray("12,0,1"));
    EXPECT_EQ(m_sim->Modem().state().variable("WRST_DELAY"), QByteArray("012:30"));

    // Shown again after the write: still not modified.
    Window().Sheet()->SetActivePage(PageId::Connection);
    Show();
    EXPECT_FALSE(Bar().contains("[Basic]")) << qPrintable(Bar());
}

TEST_F(BasicPage, ValidationMessageAndNothingSent)
{
    Connect();
    Show();
    W().rings->setFocus();
    W().rings->selectAll();
    QTest::keyClicks(W().rings, "256");
    const int writes = int(m_port.Writes().size());
    QTest::mouseClick(W().write, Qt::LeftButton);
    EXPECT_EQ(m_prompts.Texts(), QStringList{"Rings to auto-answer: \"256\" is not valid."});
    EXPECT_EQ(m_port.Writes().size(), writes);
}

TEST_F(BasicPage, ResetCheckBoxEmptiesTheTimeLeft)
{
    m_sim->Modem().state().setVariable("WRST_MODE", "1");
    Connect();
    Show();
    EXPECT_TRUE(W().reset->isChecked());
    EXPECT_EQ(W().resetDelay->text(), "024:00");
    EXPECT_EQ(W().timeToReset->text(), "024:00");
    QTest::mouseClick(W().reset, Qt::LeftButton);
    EXPECT_FALSE(W().resetDelay->isEnabled());
    EXPECT_TRUE(W().timeToReset->text().isEmpty());
    EXPECT_TRUE(Session().Flags(PageId::Basic).modified);
}

TEST_F(BasicPage, EnterPinThroughItsDialog)
{
    Use(sim::Model::Pike3, sim::SimCard::PinRequired);
    Connect();
    Show();
    EXPECT_TRUE(W().enterPin->isEnabled());
    EXPECT_FALSE(W().changePin->isEnabled());
    EXPECT_FALSE(W().dtrTest->isEnabled());
    WithDialog<EnterPinDialog>([&] { QTest::mouseClick(W().enterPin, Qt::LeftButton); },
              [](EnterPinDialog *dialog) {
                  EXPECT_EQ(dialog->windowTitle(), "Enter PIN");
                  EXPECT_EQ(dialog->PinEdit()->echoMode(), QLineEdit::Password);
                  EXPECT_EQ(dialog->PinEdit()->maxLength(), 8);
                  QTest::keyClicks(dialog->PinEdit(), "1234");
                  dialog->accept();
              });
    EXPECT_TRUE(m_prompts.Log().isEmpty()) << qPrintable(m_prompts.Texts().join('\n'));
    EXPECT_EQ(Session().SimStatus(), 1);
    EXPECT_FALSE(W().enterPin->isEnabled());
    EXPECT_TRUE(W().changePin->isEnabled());
    EXPECT_EQ(W().activatePin->text(), "Disable PIN");
    EXPECT_FALSE(Bar().startsWith("PIN CODE REQUIRED")) << qPrintable(Bar());
}

TEST_F(BasicPage, ChangePinDialogHasThreeMaskedCodes)
{
    Connect();
    Show();
    WithDialog<ChangePinDialog>([&] { QTest::mouseClick(W().changePin, Qt::LeftButton); },
              [](ChangePinDialog *dialog) {
                  EXPECT_EQ(dialog->windowTitle(), "Change PIN");
                  for (QLineEdit *e : {dialog->OldEdit(), dialog->NewEdit(), dialog->ConfirmEdit()})
                      EXPECT_EQ(e->echoMode(), QLineEdit::Password);
                  QTest::keyClicks(dialog->OldEdit(), "1234");
                  QTest::keyClicks(dialog->NewEdit(), "5678");
                  QTest::keyClicks(dialog->ConfirmEdit(), "5679");
                  dialog->accept();
              });
    EXPECT_EQ(m_prompts.Texts(), QStringList{"Re-entered PIN code does not match"});
}

TEST_F(BasicPage, DtrActivateNeedsAnEventThenDialsThroughTheDialog)
{
    Connect();
    Show();
    QTest::mouseClick(W().dtrActivate, Qt::LeftButton);
    EXPECT_EQ(m_prompts.Texts(), QStringList{"Please select DTR-Event first."});
    m_prompts.Clear();

    KeyTo(W().dtrEvent, 1);
    WithDialog<DialOnDtrDialog>([&] { QTest::mouseClick(W().dtrActivate, Qt::LeftButton); },
              [](DialOnDtrDialog *dialog) {
                  EXPECT_EQ(dialog->windowTitle(), "Enable dial on DTR event");
                  EXPECT_EQ(dialog->NumberEdit()->maxLength(), 34);
                  EXPECT_TRUE(dialog->ActivateButton()->isDefault());
                  QTest::keyClicks(dialog->NumberEdit(), "0123456");
                  QTest::mouseClick(dialog->ActivateButton(), Qt::LeftButton);
              });
    EXPECT_TRUE(m_prompts.Log().isEmpty()) << qPrintable(m_prompts.Texts().join('\n'));
    EXPECT_EQ(m_sim->Modem().state().variable("CPBR_1"), QByteArray("\"0123456\",129,\"DTRDIAL\""));
    EXPECT_EQ(m_sim->Modem().state().value("%D"), QByteArray("1"));
    EXPECT_FALSE(Session().Busy());
}

TEST_F(BasicPage, DtrTestRaisesDtrAndTheMainWindowDropsItLater)
{
    Connect();
    Show();
    m_port.SetDTREnable(false);
    QTest::mouseClick(W().dtrTest, Qt::LeftButton);
    EXPECT_TRUE(m_port.Dtr());
    EXPECT_TRUE(Window().DtrDropTimer().isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_port.Dtr(); }, 5000));
}

TEST_F(BasicPage, OfflineOnlyTheSettingsCanBeEdited)
{
    Window();
    Session().EnterOffline();
    Session().SetDefaults();
    Session().Flags(PageId::Basic).profilePending = true;
    Show();
    for (QWidget *w : std::initializer_list<QWidget *>{W().enterPin, W().changePin, W().activatePin, W().read,
                                                        W().write, W().resetNow, W().dtrActivate, W().dtrDeactivate,
                                                        W().dtrTest, W().dtrEvent, W().factory, W().embeddedApp})
        EXPECT_FALSE(w->isEnabled()) << qPrintable(w->objectName());
    EXPECT_EQ(W().rings->text(), "002");
    EXPECT_EQ(W().resetDelay->text(), "024:00");
    EXPECT_TRUE(m_port.Writes().isEmpty());
    EXPECT_TRUE(m_prompts.Log().isEmpty());
}

// --- the SMS dialog's message edit ------------------------------------------

TEST(SmsOnDtrDialogTest, CounterLimitAndEnter)
{
    SmsOnDtrDialog dialog(SmsOnDtr{"+4912345", "ab\r\ncd"});
    EXPECT_EQ(dialog.windowTitle(), "Enable SMS on DTR event");
    EXPECT_EQ(dialog.NumberEdit()->maxLength(), 22);
    EXPECT_EQ(dialog.Counter()->text(), "6");
    EXPECT_EQ(dialog.MessageEdit()->toPlainText(), "ab\ncd");

    // Enter in the number goes to the message; the dialog stays open.
    dialog.show();
    dialog.NumberEdit()->setFocus();
    QTest::keyClick(dialog.NumberEdit(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);

    SmsMessageEdit *edit = dialog.MessageEdit();
    edit->SetMessage(QString(158, 'x'));
    edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(edit, "yz!");
    EXPECT_EQ(edit->Length(), 160); // typing stops at 160
    EXPECT_EQ(dialog.Counter()->text(), "160");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->Length(), 160); // and so does Enter
    EXPECT_TRUE(dialog.isVisible());

    edit->SetMessage(QString(159, 'x'));
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->Length(), 161); // a break at 159 still goes in
    EXPECT_EQ(dialog.Counter()->text(), "161");
    EXPECT_EQ(dialog.Sms().message, QString(159, 'x') + "\r\n");
    EXPECT_TRUE(dialog.isVisible());

    // A break in the middle, with the caret after it.
    edit->SetMessage("abcd");
    QTextCursor c = edit->textCursor();
    c.setPosition(2);
    edit->setTextCursor(c);
    QTest::keyClick(edit, Qt::Key_Enter);
    EXPECT_EQ(dialog.Sms().message, "ab\r\ncd");
    EXPECT_EQ(edit->textCursor().position(), 3);
}

} // namespace
} // namespace telvio::test
