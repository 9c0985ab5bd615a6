#include "link/core/commcontrol.h"
#include "link/ui/connectionpage.h"
#include "shell/ui/demomodem.h"
#include "shell/ui/maindialog.h"
#include "shell/ui/propsheet.h"
#include "shell/ui/statusbar.h"
#include "shell/ui/statuspanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace telvio {
namespace {

// The program as `telvio --demo` starts it: a simulated Pike-3 on a
// pseudo-terminal, the real serial control, message boxes left out.
TEST(Demo, TerminalTalksToTheSimulatedModem)
{
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    DemoModem demo;
    QString error;
    const QString path = demo.Start(QStringLiteral("pike3"), &error);
    ASSERT_FALSE(path.isEmpty()) << qPrintable(error);

    MainDialog::Setup setup;
    setup.extraPorts = {path};
    MainDialog window(setup);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    Cserial *page = window.Sheet()->ConnectionPage();
    ASSERT_EQ(page->PortList()->currentData().toString(), path);
    QTest::mouseClick(page->OpenButton(), Qt::LeftButton);
    ASSERT_TRUE(window.Session()->Connected()) << qPrintable(window.Comm()->ErrorText());
    EXPECT_EQ(window.Panel()->Field(QStringLiteral("Status")), QStringLiteral("Open"));

    QLineEdit *input = window.Panel()->CommandInput();
    ASSERT_TRUE(input->isEnabled());
    input->setFocus();
    QTest::keyClicks(input, QStringLiteral("AT"));
    QTest::keyClick(input, Qt::Key_Return);

    StatusPanel *panel = window.Panel();
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel->TerminalOutput()->toPlainText().contains(QStringLiteral("OK")); },
                                5000))
        << panel->TerminalContents().constData();
    EXPECT_TRUE(panel->TerminalContents().contains("OK\r\n"));

    page->ExecuteCommand(Cserial::CmdDisconnect);
    EXPECT_FALSE(window.Session()->Connected());
    EXPECT_EQ(window.Bar()->Text(), QStringLiteral("Not Connected... "));
}

} // namespace
} // namespace telvio
