#include "shellfixture.h"

#include "shell/ui/menucommands.h"
#include "shell/ui/optionsdialog.h"
#include "shell/ui/statuspanel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

namespace telvio::test {
namespace {

using OptionsFixture = ShellFixture;

QCheckBox *Box(QWidget *dialog, const char *caption)
{
    for (QCheckBox *b : dialog->findChildren<QCheckBox *>()) {
        if (b->text() == QLatin1String(caption))
            return b;
    }
    ADD_FAILURE() << "no check box " << caption;
    return nullptr;
}

TEST(OptionsDialog, ShowsTheOptionsAndReadsTheDelayField)
{
    Options o;
    o.debug = 1;
    o.numberOfPorts = 3;
    o.flowControl = 2;
    o.delayBeforeAT = 40;
    OptionsDialog dialog(o);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Telvio Options"));
    EXPECT_TRUE(Box(&dialog, "Show Debug Messages")->isChecked());
    EXPECT_FALSE(Box(&dialog, "User Auto Connect")->isVisibleTo(&dialog));
    auto *delay = dialog.findChild<QLineEdit *>();
    ASSERT_NE(delay, nullptr);
    EXPECT_EQ(delay->text(), QStringLiteral("40"));
    EXPECT_EQ(delay->maxLength(), 4);
    const QList<QComboBox *> lists = dialog.findChildren<QComboBox *>();
    ASSERT_EQ(lists.size(), 2);
    EXPECT_EQ(lists[0]->currentText(), QStringLiteral("4"));
    EXPECT_EQ(lists[1]->currentText(), QStringLiteral("RTS/CTS"));

    for (const auto &c : {std::pair<const char *, int>{"2000", 1000}, {"-5", 0}, {"abc", 0}}) {
        delay->setText(QLatin1String(c.first));
        dialog.OkButton()->click();
        EXPECT_EQ(dialog.Result().delayBeforeAT, c.second) << c.first;
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

TEST_F(OptionsFixture, DefaultsThenCancelChangesNothing)
{
    WriteSettingsFile("[Settings]\nTooltip=0\nDebug=1\nNumberOfPorts=2\nFlowControl=1\nDelayBeforeAT=77\nDTREnable=0\n");
    MainDialog &w = Window();
    const Options before = Session().options;
    WithModal([&] { w.MenuAction(CmdOptions)->trigger(); },
              [](QWidget *modal) {
                  auto *dialog = qobject_cast<OptionsDialog *>(modal);
                  ASSERT_NE(dialog, nullptr);
                  dialog->DefaultsButton()->click();
                  EXPECT_TRUE(Box(dialog, "Show Tooltip")->isChecked());
                  EXPECT_FALSE(Box(dialog, "Show Debug Messages")->isChecked());
                  dialog->CancelButton()->click();
              });
    EXPECT_EQ(Session().options, before);
    EXPECT_FALSE(m_port.Dtr());
}

TEST_F(OptionsFixture, OkAppliesLinesAndTerminalAtOnceButStoresOnlyAtClose)
{
    MainDialog &w = ShownWindow();
    OpenTerminal();
    ASSERT_TRUE(w.Panel()->OutputTypable());
    WithModal([&] { w.MenuAction(CmdOptions)->trigger(); },
              [](QWidget *modal) {
                  auto *dialog = qobject_cast<OptionsDialog *>(modal);
                  ASSERT_NE(dialog, nullptr);
                  Box(dialog, "Enable DTR")->setChecked(false);
                  Box(dialog, "Active Terminal Window")->setChecked(false);
                  dialog->findChildren<QComboBox *>()[1]->setCurrentIndex(2);
                  dialog->OkButton()->click();
              });
    EXPECT_EQ(Session().options.dtrEnable, 0);
    EXPECT_FALSE(m_port.Dtr());
    EXPECT_TRUE(m_port.Rts());
    EXPECT_EQ(m_port.Handshake(), 2);
    EXPECT_FALSE(w.Panel()->OutputTypable());
    {
        QSettings store(QStringLiteral("Kestrava"), QStringLiteral("Telvio"));
        EXPECT_FALSE(store.contains(QStringLiteral("Settings/DTREnable")));
    }
    ASSERT_TRUE(w.close());
    QSettings store(QStringLiteral("Kestrava"), QStringLiteral("Telvio"));
    EXPECT_EQ(store.value(QStringLiteral("Settings/DTREnable")).toInt(), 0);
    EXPECT_EQ(store.value(QStringLiteral("Settings/FlowControl")).toInt(), 2);
    EXPECT_EQ(store.value(QStringLiteral("Settings/Terminal")).toInt(), 0);
    // All twelve are written.
    store.beginGroup(QStringLiteral("Settings"));
    EXPECT_EQ(store.childKeys().size(), 12);
}

} // namespace
} // namespace telvio::test
