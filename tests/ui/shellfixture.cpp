#include "shellfixture.h"

#include "link/ui/connectionpage.h"
#include "shell/ui/propsheet.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>
#include <QTimer>

namespace telvio::test {

void ShellFixture::SetUp()
{
    ASSERT_TRUE(m_settingsDir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
}

void ShellFixture::TearDown()
{
    m_window.reset();
}

QString ShellFixture::SettingsFilePath() const
{
    return m_settingsDir.filePath(QStringLiteral("Kestrava/Telvio.conf"));
}

void ShellFixture::WriteSettingsFile(const QByteArray &contents)
{
    QDir().mkpath(m_settingsDir.filePath(QStringLiteral("Kestrava")));
    QFile file(SettingsFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

MainDialog &ShellFixture::Window(const QStringList &extraPorts)
{
    if (!m_window) {
        MainDialog::Setup setup;
        setup.comm = &m_port;
        setup.prompter = &m_prompts;
        setup.extraPorts = extraPorts;
        m_window = std::make_unique<MainDialog>(setup);
    }
    return *m_window;
}

MainDialog &ShellFixture::ShownWindow()
{
    MainDialog &w = Window();
    w.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    return w;
}

void ShellFixture::OpenTerminal()
{
    Window().Sheet()->ConnectionPage()->ExecuteCommand(Cserial::CmdOpen);
    ASSERT_TRUE(Session().Connected());
}

void ShellFixture::WithModal(const std::function<void()> &open, const std::function<void(QWidget *)> &job)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        ran = modal != nullptr;
        if (modal)
            job(modal);
    });
    open();
    EXPECT_TRUE(ran) << "no modal dialog came up";
}

} // namespace telvio::test
