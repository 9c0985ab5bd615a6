#pragma once

#include "shell/ui/uilayer.h"

#include "link/core/sessionhost.h"
#include "shell/ui/mainwindowhost.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <memory>

class QAction;
class QSettings;

namespace telvio {

class CommControl;
class CPropSheet;
class HelpWindow;
class MessageWindow;
class ModemSession;
class ProfileMenu;
class PropertyPage;
class SessionLogMenu;
class ReconnectWatch;
class Prompter;
class StatusBar;
class StatusPanel;

// What the main window is built with.
struct MainDialogSetup {
    CommControl *comm = nullptr;   // null: a serial port of the window's own
    Prompter *prompter = nullptr;  // null: message boxes over this window
    QStringList extraPorts;        // offered first in the port list
};

// The main window: menu, the four timers, the serial control, the property
// sheet, the status panel and the status bar. It is the session's host:
// the session reaches the windows through it.
class MainDialog : public QMainWindow, public SessionHost, public MainWindowHost {
    Q_OBJECT
public:
    using Setup = MainDialogSetup;

    explicit MainDialog(const Setup &setup = Setup(), QWidget *parent = nullptr);
    ~MainDialog() override;

    ModemSession *Session() const { return m_session; }
    CommControl *Comm() const { return m_comm; }
    Prompter *Prompt() const { return m_prompter; }
    CPropSheet *Sheet() const { return m_sheet; }
    StatusPanel *Panel() const { return m_panel; }
    StatusBar *Bar() const { return m_bar; }

    QAction *MenuAction(int commandId) const { return m_commands.value(commandId); }
    ProfileMenu *Profiles() const { return m_profiles.get(); }
    SessionLogMenu *SessionLogging() const { return m_sessionLog.get(); }
    // Watches the path of a port whose device vanished; its timer.
    ReconnectWatch *Reconnects() const { return m_reconnect.get(); }
    const QTimer &ReconnectTimer() const { return m_reconnectTimer; }
    // Enables or greys a command of the top-level menu at `position`.
    void EnableMenuCommand(int position, int commandId, bool enable) override;

    // The timers, for the pages that drive them.
    void StartSignalTimer(int intervalMs) override;
    void StopSignalTimer() override;
    void StartDtrDropTimer() override;
    const QTimer &TickTimer() const { return m_tickTimer; }
    const QTimer &PageGuardTimer() const { return m_pageGuardTimer; }
    const QTimer &SignalTimer() const { return m_signalTimer; }
    const QTimer &DtrDropTimer() const { return m_dtrDropTimer; }

    void ShowHelp(const QString &topic);
    HelpWindow *Help() const { return m_help; }
    // The page of the sheet that holds `widget`, or that opened the dialog
    // it sits in; none for the rest of the window.
    PropertyPage *PageOf(QWidget *widget) const;
    // The topic F1 opens with the keyboard focus where it is now.
    QString HelpTopicForFocus() const;
    // The topic F1 opens when pressed on `control` (the widget the key
    // went to, which need not be in the active window).
    QString HelpTopicFor(QWidget *control) const;

    void ShowOptions();
    void ShowAbout();

    // --- SessionHost ---
    void RefreshStatusPanel() override;
    void AppendTerminal(const QByteArray &text) override;
    void UpdateStatusBar() override;
    void SetStatusBarConnected(bool connected) override;
    int PageCount() const override;
    void AddPage(PageId page) override;
    void RemovePage(PageId page) override;
    void SetActivePage(PageId page) override;
    void RedrawPages() override;
    void ShowPortSettings(const QString &baud, QChar parity, const QString &dataBits,
                          const QString &stopBits) override;
    void ShowMessageWindow(const QString &text) override;
    void CloseMessageWindow() override;
    // The "Wait" window while a procedure runs, else null.
    MessageWindow *ShownMessageWindow() const { return m_messageWindow; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildMenu();
    QAction *AddCommand(QMenu *menu, int id, const QString &caption);
    void RunCommand(int id);
    void PlaceChildren();
    void ApplyLineOptions();
    void OnComm();
    void OnSignalTimer();
    void OnLinkLost(const QString &reason);
    bool MayClose();
    void SaveOptions();

    std::unique_ptr<CommControl> m_ownComm;
    std::unique_ptr<Prompter> m_ownPrompter;
    CommControl *m_comm;
    Prompter *m_prompter;
    ModemSession *m_session = nullptr;
    StatusPanel *m_panel = nullptr;
    StatusBar *m_bar = nullptr;
    CPropSheet *m_sheet = nullptr;
    HelpWindow *m_help = nullptr;
    std::unique_ptr<ProfileMenu> m_profiles;
    std::unique_ptr<SessionLogMenu> m_sessionLog;
    std::unique_ptr<ReconnectWatch> m_reconnect;
    QTimer m_reconnectTimer;
    QElapsedTimer m_reconnectClock;
    void OnReconnectTimer();
    MessageWindow *m_messageWindow = nullptr;

    QTimer m_tickTimer;
    QTimer m_pageGuardTimer;
    QTimer m_signalTimer;
    QTimer m_dtrDropTimer;

    QHash<int, QAction *> m_commands;
    QHash<int, int> m_commandMenu; // command id -> menu position
    // Commands whose procedures the program does not offer yet: they stay
    // greyed whatever the pages ask.
    QSet<int> m_unavailable;
    bool m_initialised = false;
};

} // namespace telvio
