#pragma once

#include "link/core/modemsession.h"
#include "support/scriptedprompter.h"
#include "shell/ui/maindialog.h"
#include "support/memoryport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace telvio::test {

// A main window over an in-memory port with scripted prompts; the stored
// options live in a temporary directory of the test's own.
class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a settings file as a user might have edited it.
    void WriteSettingsFile(const QByteArray &contents);
    QString SettingsFilePath() const;
    MainDialog &Window(const QStringList &extraPorts = {QStringLiteral("/dev/ttyTEST0")});
    // Shows the window and waits until it is on the (offscreen) screen.
    MainDialog &ShownWindow();
    ModemSession &Session() { return *Window().Session(); }
    // Opens the first port for the terminal through the Connection page.
    void OpenTerminal();
    // Runs `job` on the modal dialog that `open` brings up, then returns.
    static void WithModal(const std::function<void()> &open, const std::function<void(QWidget *)> &job);

    QTemporaryDir m_settingsDir;
    MemoryPort m_port;
    ScriptedPrompter m_prompts;
    std::unique_ptr<MainDialog> m_window;
};

} // namespace telvio::test
