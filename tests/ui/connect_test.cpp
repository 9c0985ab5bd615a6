#include "link/ui/connectionpage.h"
#include "link/ui/messagewindow.h"
#include "link/ui/waitdialog.h"
#include "support/scriptedprompter.h"
#include "shell/ui/maindialog.h"
#include "shell/ui/propsheet.h"
#include "shell/ui/statuspanel.h"
#include "sim/simthread.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace telvio {
namespace {

// The window with the real serial control on a simulated modem's pty.
class ConnectWindow : public ::testing::Test {
protected:
    void Start(const sim::SimConfig &config)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        m_path = m_modem.start(config);
        ASSERT_FALSE(m_path.isEmpty());
        Open({m_path});
    }
    void Open(const QStringList &ports)
    {
        MainDialog::Setup setup;
        setup.extraPorts = ports;
        setup.prompter = &m_prompts;
        m_window = std::make_unique<MainDialog>(setup);
        m_window->Session()->options.autoLoad = 0;
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }
    Cserial *Page() { return m_window->Sheet()->ConnectionPage(); }

    QTemporaryDir m_settings;
    sim::SimThread m_modem;
    QString m_path;
    ScriptedPrompter m_prompts;
    std::unique_ptr<MainDialog> m_window;
};

TEST_F(ConnectWindow, ConnectShowsTheModelAndItsPages)
{
    Start(sim::SimConfig());
    QStringList windowTexts;
    // The "Wait" window stands while the connect runs.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (MessageWindow *w = m_window->ShownMessageWindow())
            windowTexts << w->Text();
    });
    watch.start(5);
    QTest::mouseClick(Page()->ConnectButton(), Qt::LeftButton);
    watch.stop();
    ModemSession *s = m_window->Session();
    ASSERT_TRUE(s->Connected()) << m_prompts.Texts().join('|').toStdString();
    EXPECT_EQ(s->ModelName(), QStringLiteral("Pike-3"));
    EXPECT_EQ(m_window->Panel()->Field(QStringLiteral("Status")), QStringLiteral("Connected"));
    EXPECT_EQ(m_window->Sheet()->count(), 9);
    EXPECT_TRUE(windowTexts.contains(QStringLiteral("Connecting...")));
    EXPECT_EQ(m_window->ShownMessageWindow(), nullptr);
    EXPECT_EQ(Page()->ConnectButton()->text(), QStringLiteral("&Reconnect"));
    EXPECT_FALSE(Page()->AutoconnectButton()->isEnabled());
    EXPECT_FALSE(Page()->PortList()->isEnabled());
    EXPECT_TRUE(m_prompts.Log().isEmpty());

    Page()->ExecuteCommand(Cserial::CmdDisconnect);
    EXPECT_FALSE(s->Connected());
    EXPECT_EQ(m_window->Sheet()->count(), 1);
    EXPECT_EQ(Page()->ConnectButton()->text(), QStringLiteral("&Connect"));
}

TEST_F(ConnectWindow, AutoconnectFindsAModemAtAnotherRate)
{
    sim::SimConfig c;
    c.line.baud = 115200;
    c.line.stopBits = 2;
    Start(c);
    int steps = 0;
    QString lastText;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto *d = qobject_cast<WaitDialog *>(QApplication::activeModalWidget())) {
            steps = d->Progress()->value();
            lastText = d->TextLine()->text();
        }
    });
    watch.start(5);
    Page()->ExecuteCommand(Cserial::CmdAutoconnect);
    watch.stop();
    ModemSession *s = m_window->Session();
    ASSERT_TRUE(s->Connected()) << m_prompts.Texts().join('|').toStdString();
    EXPECT_EQ(s->BaudText(), QStringLiteral("115200"));
    EXPECT_EQ(s->StopBitsText(), QStringLiteral("2"));
    EXPECT_EQ(Page()->BaudList()->currentText(), QStringLiteral("115200"));
    EXPECT_EQ(Page()->StopBitsList()->currentText(), QStringLiteral("2"));
    EXPECT_GT(steps, 0);
    EXPECT_TRUE(lastText.startsWith(QStringLiteral("Searching "))) << lastText.toStdString();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(m_prompts.Log().isEmpty());
}

TEST_F(ConnectWindow, AbortEndsTheSearchAfterTheRunningAttemptWithoutAMessage)
{
    // A pty nobody answers on.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    grantpt(master);
    unlockpt(master);
    const QString path = QString::fromLocal8Bit(ptsname(master));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    Open({path});
    QString textAfterAbort;
    bool escIgnored = false;
    QTimer::singleShot(50, [&] {
        auto *d = qobject_cast<WaitDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        QTest::keyClick(d, Qt::Key_Escape);
        escIgnored = d->isVisible() && !d->Aborted();
        QTest::keyClick(d, Qt::Key_Return); // Enter aborts as Abort does
        textAfterAbort = d->TextLine()->text();
    });
    Page()->ExecuteCommand(Cserial::CmdAutoconnect);
    EXPECT_TRUE(escIgnored);
    EXPECT_EQ(textAfterAbort, QStringLiteral("Aborting..."));
    EXPECT_FALSE(m_window->Session()->LinkUp());
    EXPECT_FALSE(m_window->Session()->Busy());
    EXPECT_TRUE(m_prompts.Log().isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    close(master);
}

TEST_F(ConnectWindow, ConnectWithoutAModemSaysSo)
{
    sim::SimConfig c;
    c.line.baud = 19200; // the lists say 9600
    Start(c);
    Page()->ExecuteCommand(Cserial::CmdConnect);
    EXPECT_FALSE(m_window->Session()->LinkUp());
    EXPECT_EQ(m_prompts.Texts(), QStringList{QStringLiteral("No Kestrava modem found!")});
    EXPECT_EQ(m_window->ShownMessageWindow(), nullptr);
}

} // namespace
} // namespace telvio
