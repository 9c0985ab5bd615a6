#include "shell/ui/maindialog.h"

#include "link/core/modemsession.h"
#include "link/core/mscomm.h"
#include "link/core/reconnectwatch.h"
#include "link/ui/connectionpage.h"
#include "link/ui/messagewindow.h"
#include "monitor/ui/signalpage.h"
#include "shell/core/helptopics.h"
#include "shell/core/product.h"
#include "shell/core/shelllayout.h"
#include "shell/ui/aboutdialog.h"
#include "shell/ui/helpwindow.h"
#include "shell/ui/menucommands.h"
#include "shell/ui/optionsdialog.h"
#include "shell/ui/profilemenu.h"
#include "shell/ui/propertypage.h"
#include "shell/ui/propsheet.h"
#include "shell/ui/sessionlogmenu.h"
#include "shell/ui/statusbar.h"
#include "shell/ui/statuspanel.h"
#include "shell/ui/widgetprompter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>

namespace telvio {

namespace {

const PageId kEditedPages[] = {PageId::Basic, PageId::Serial, PageId::Sms, PageId::Gprs};

// The area below the menu; draws the thin shadow line along its top edge.
class ShellArea : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(palette().color(QPalette::Dark));
        p.drawLine(0, 0, width(), 0);
    }
};

} // namespace

MainDialog::MainDialog(const Setup &setup, QWidget *parent)
    : QMainWindow(parent), m_comm(setup.comm), m_prompter(setup.prompter)
{
    setWindowTitle(QStringLiteral("Telvio"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/telvio.png")));
    if (!m_comm) {
        m_ownComm = std::make_unique<CMSComm>();
        m_comm = m_ownComm.get();
    }
    if (!m_prompter) {
        m_ownPrompter = std::make_unique<WidgetPrompter>(this);
        m_prompter = m_ownPrompter.get();
    }

    auto *area = new ShellArea(this);
    setCentralWidget(area);

    // The session lives as long as this window: it is its parent.
    m_session = ModemSession::Instance(m_comm, this);
    Q_ASSERT(m_session && m_session->Comm() == m_comm);
    m_session->SetHost(this);
    m_session->SetPrompter(m_prompter);
    m_session->setParent(this);
    m_panel = new StatusPanel(m_session, area);
    m_bar = new StatusBar(m_session, area);

    {
        QSettings store(SettingsOrganisation(), SettingsApplication());
        m_session->options = Options::Load(store);
        // Not one of the Options dialog's settings: a line in the store.
        m_reconnect = std::make_unique<ReconnectWatch>(*m_session, *m_prompter);
        m_reconnect->SetAutomatic(store.value(QStringLiteral("Settings/ReconnectUnplugged"), 0).toInt() == 1);
    }
    m_session->SetExtraPorts(setup.extraPorts);
    ApplyLineOptions();

    m_sheet = new CPropSheet(PageContext{m_session, m_prompter, this}, area);
    m_profiles = std::make_unique<ProfileMenu>(*m_session, *m_prompter, *m_sheet, this);
    BuildMenu();
    m_sessionLog = std::make_unique<SessionLogMenu>(*m_session, *m_prompter, *m_commands.value(CmdLogSession));
    connect(m_comm, &CommControl::OnComm, this, &MainDialog::OnComm);
    connect(m_session, &ModemSession::LinkLost, this, &MainDialog::OnLinkLost);

    m_tickTimer.setInterval(50);
    m_tickTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_tickTimer, &QTimer::timeout, this, [this] { m_session->Tick(); });
    m_pageGuardTimer.setInterval(10);
    connect(&m_pageGuardTimer, &QTimer::timeout, this, [this] { m_session->ShowConnectionPageWhenIdle(); });
    connect(&m_signalTimer, &QTimer::timeout, this, &MainDialog::OnSignalTimer);
    m_dtrDropTimer.setSingleShot(true);
    m_dtrDropTimer.setInterval(1000);
    connect(&m_dtrDropTimer, &QTimer::timeout, this, [this] { m_comm->SetDTREnable(false); });
    m_reconnectTimer.setInterval(500);
    connect(&m_reconnectTimer, &QTimer::timeout, this, &MainDialog::OnReconnectTimer);
    m_tickTimer.start();
    m_pageGuardTimer.start();

    setMinimumSize(ShellLayout::kMinimumWidth, ShellLayout::kMinimumHeight);
    resize(ShellLayout::kMinimumWidth, ShellLayout::kMinimumHeight);
    m_sheet->setGeometry(ShellLayout::SheetRect(QSize(ShellLayout::kMinimumWidth,
                                                      ShellLayout::kMinimumHeight - menuBar()->sizeHint().height())));
    m_sheet->SetActivePage(PageId::Connection);
    EnableMenuCommand(MenuConnection, CmdDisconnect, false);
    qApp->installEventFilter(this);
    m_initialised = true;
    PlaceChildren();
}

MainDialog::~MainDialog()
{
    qApp->removeEventFilter(this);
    m_tickTimer.stop();
    m_pageGuardTimer.stop();
    m_signalTimer.stop();
    m_dtrDropTimer.stop();
    delete m_help;
    m_help = nullptr;
    m_profiles.reset();
    m_sessionLog.reset();
    m_reconnectTimer.stop();
    m_reconnect.reset();
    // Pages and status windows use the session; the session uses the
    // serial control, which goes last.
    delete m_sheet;
    m_sheet = nullptr;
    m_session->SetHost(nullptr);
    delete m_panel;
    m_panel = nullptr;
    delete m_bar;
    m_bar = nullptr;
    delete m_session;
    m_session = nullptr;
}

// ---------------------------------------------------------------------------
// Menu

void MainDialog::BuildMenu()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    AddCommand(file, CmdNewProfile, QStringLiteral("&New Profile"));
    AddCommand(file, CmdOpenProfile, QStringLiteral("&Open Profile"));
    AddCommand(file, CmdSaveProfile, QStringLiteral("&Save Profile"));
    AddCommand(file, CmdCloseProfile, QStringLiteral("&Close Profile"));
    file->addSeparator();
    AddCommand(file, CmdWriteProfile, QStringLiteral("Write Profile to modem"));
    file->addSeparator();
    AddCommand(file, CmdExit, QStringLiteral("&Exit"));

    QMenu *link = menuBar()->addMenu(QStringLiteral("&Connection"));
    AddCommand(link, CmdAutoconnect, QStringLiteral("&Autoconnect"));
    AddCommand(link, CmdConnect, QStringLiteral("&Connect"));
    AddCommand(link, CmdDisconnect, QStringLiteral("&Disconnect"));
    AddCommand(link, CmdRemote, QStringLiteral("&Remote"));
    AddCommand(link, CmdOpenPort, QStringLiteral("&Open com-port"));

    QMenu *tool = menuBar()->addMenu(QStringLiteral("&Tool"));
    AddCommand(tool, CmdClearTerminal, QStringLiteral("&Clear Terminal"));
    AddCommand(tool, CmdOptions, QStringLiteral("&Options"));
    AddCommand(tool, CmdSignalHistory, QStringLiteral("Signal &History"));
    AddCommand(tool, CmdLogSession, QStringLiteral("Log Session to File\u2026"));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    AddCommand(help, CmdHelp, QStringLiteral("&Help"));
    AddCommand(help, CmdAbout, QStringLiteral("&About"));

    const QList<QMenu *> menus{file, link, tool, help};
    for (int position = 0; position < menus.size(); ++position) {
        for (QAction *a : menus[position]->actions()) {
            if (!a->isSeparator())
                m_commandMenu.insert(a->data().toInt(), position);
        }
    }

    // "Write Profile to modem" needs a modem: the Connection page offers it
    // once one is connected.
    m_commands.value(CmdWriteProfile)->setEnabled(false);
}

QAction *MainDialog::AddCommand(QMenu *menu, int id, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    m_commands.insert(id, action);
    return action;
}

void MainDialog::EnableMenuCommand(int position, int commandId, bool enable)
{
    QAction *action = m_commands.value(commandId);
    if (!action || m_commandMenu.value(commandId, -1) != position)
        return;
    action->setEnabled(enable && !m_unavailable.contains(commandId));
}

void MainDialog::RunCommand(int id)
{
    Cserial *connection = m_sheet->ConnectionPage();
    switch (id) {
    case CmdCloseProfile:
    case CmdDisconnect: connection->ExecuteCommand(Cserial::CmdDisconnect); break;
    case CmdAutoconnect: connection->ExecuteCommand(Cserial::CmdAutoconnect); break;
    case CmdConnect: connection->ExecuteCommand(Cserial::CmdConnect); break;
    case CmdOpenPort: connection->ExecuteCommand(Cserial::CmdOpen); break;
    case CmdExit:
        // Same road as the window's close button, after this command ends.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        break;
    case CmdNewProfile: m_profiles->Commands().New(); break;
    case CmdOpenProfile: m_profiles->Commands().Open(); break;
    case CmdSaveProfile: m_profiles->Commands().Save(); break;
    case CmdWriteProfile: m_profiles->Commands().WriteToModem(); break;
    case CmdClearTerminal: m_panel->ClearTerminal(); break;
    case CmdOptions: ShowOptions(); break;
    case CmdHelp: ShowHelp(HelpTopics::Contents()); break;
    case CmdAbout: ShowAbout(); break;
    case CmdSignalHistory: m_sheet->SignalPage()->ShowHistory(); break;
    case CmdLogSession: m_sessionLog->Toggle(); break;
    default: break;
    }
}

void MainDialog::ShowOptions()
{
    OptionsDialog dialog(m_session->options, this);
    connect(&dialog, &OptionsDialog::HelpRequested, this, [this] { ShowHelp(HelpTopics::Options()); });
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_session->options = dialog.Result();
    ApplyLineOptions();
    m_panel->Refresh();
    m_sheet->ReactivateActivePage();
}

void MainDialog::ShowAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}

void MainDialog::ShowHelp(const QString &topic)
{
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->ShowTopic(topic);
}

PropertyPage *MainDialog::PageOf(QWidget *widget) const
{
    for (QWidget *w = widget; w && w != m_sheet; w = w->parentWidget()) {
        if (auto *page = qobject_cast<PropertyPage *>(w))
            return m_sheet->isAncestorOf(page) ? page : nullptr;
    }
    return nullptr;
}

QString MainDialog::HelpTopicForFocus() const
{
    return HelpTopicFor(QApplication::focusWidget());
}

QString MainDialog::HelpTopicFor(QWidget *focus) const
{
    // A control of a page, or of a dialog that a page opened (the I/O
    // entry): the section of the nearest control with an id that its
    // page's help describes, else the page's own topic.
    if (PropertyPage *page = PageOf(focus)) {
        for (QWidget *w = focus; w && w != page; w = w->parentWidget()) {
            QString own = HelpTopics::ForControl(page->Id(), HelpId(w));
            if (own.isEmpty())
                own = HelpTopics::ForControl(HelpId(w));
            if (!own.isEmpty())
                return own;
        }
        const QString own = HelpTopics::ForControl(HelpId(page));
        return own.isEmpty() ? page->HelpTopic() : own;
    }
    if (focus && m_panel->isAncestorOf(focus))
        return HelpTopics::Terminal();
    return HelpTopics::ForPage(m_sheet->ActivePageId());
}

// ---------------------------------------------------------------------------
// Serial control, options, timers

void MainDialog::ApplyLineOptions()
{
    const Options &o = m_session->options;
    m_comm->SetDTREnable(o.dtrEnable == 1);
    m_comm->SetRTSEnable(o.rtsEnable == 1);
    m_comm->SetHandshaking(o.flowControl);
}

void MainDialog::OnComm()
{
    // Received data is the session's own business (it hands it to the
    // terminal); the window only reacts to the CTS line.
    if (m_comm->CommEvent() == CommControl::EvCts && m_session->Connected()
        && m_session->options.autoDisconnect == 1)
        m_session->Disconnect();
}

void MainDialog::OnLinkLost(const QString &reason)
{
    // The device went away under an open port (unplugged, hung up). The
    // session has closed the link; say so where the technician is looking.
    m_panel->AppendTerminal(QStringLiteral("\r\n*** Port closed: %1 ***\r\n").arg(reason).toLatin1());
    SetStatusBarConnected(false);
    UpdateStatusBar();
    m_reconnectClock.start();
    m_reconnect->LinkLost(0);
    if (m_reconnect->Watching())
        m_reconnectTimer.start();
}

void MainDialog::OnReconnectTimer()
{
    // The question is modal: no second poll while it is asked.
    m_reconnectTimer.stop();
    const ReconnectWatch::Outcome outcome = m_reconnect->Poll(m_reconnectClock.elapsed());
    if (outcome == ReconnectWatch::Outcome::Waiting) {
        m_reconnectTimer.start();
        return;
    }
    if (outcome == ReconnectWatch::Outcome::Reconnected)
        m_panel->AppendTerminal(QStringLiteral("\r\n*** Reconnected: %1 ***\r\n").arg(m_reconnect->Port()).toLatin1());
}

void MainDialog::StartSignalTimer(int intervalMs)
{
    m_signalTimer.start(intervalMs);
}

void MainDialog::StopSignalTimer()
{
    m_signalTimer.stop();
}

void MainDialog::StartDtrDropTimer()
{
    m_dtrDropTimer.start();
}

void MainDialog::OnSignalTimer()
{
    if (!m_session->Connected() || m_session->Busy())
        return;
    m_session->SetBusy(true);
    m_sheet->SignalPage()->RunMeasurement();
    m_session->SetBusy(false);
}

// ---------------------------------------------------------------------------
// Window

void MainDialog::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (m_initialised)
        PlaceChildren();
}

void MainDialog::PlaceChildren()
{
    const QSize client = centralWidget()->size();
    m_panel->setGeometry(ShellLayout::PanelRect(client));
    m_bar->setGeometry(ShellLayout::BarRect(client));
}

bool MainDialog::MayClose()
{
    bool modified = false;
    for (PageId id : kEditedPages)
        modified = modified || m_session->Flags(id).modified;
    if (!modified || m_session->Offline())
        return true;
    return m_prompter->Question(QStringLiteral("All unsaved changes will be lost.\nDu you wish to contiune?"));
}

void MainDialog::SaveOptions()
{
    QSettings store(SettingsOrganisation(), SettingsApplication());
    m_session->options.Save(store);
    store.sync();
}

void MainDialog::closeEvent(QCloseEvent *event)
{
    if (!MayClose()) {
        event->ignore();
        return;
    }
    SaveOptions();
    if (m_help)
        m_help->close();
    event->accept();
}

bool MainDialog::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // While an operation holds the link no page may be switched or used.
        auto *mouse = static_cast<QMouseEvent *>(event);
        auto *widget = qobject_cast<QWidget *>(watched);
        if (m_session->Busy() && mouse->button() == Qt::LeftButton && widget
            && (widget == m_sheet || m_sheet->isAncestorOf(widget)))
            return true;
        break;
    }
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        auto *widget = qobject_cast<QWidget *>(watched);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier && widget
            && (widget->window() == this || PageOf(widget))) {
            ShowHelp(HelpTopicFor(widget));
            return true;
        }
        break;
    }
    default: break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// SessionHost

void MainDialog::RefreshStatusPanel()
{
    m_panel->Refresh();
}

void MainDialog::AppendTerminal(const QByteArray &text)
{
    m_panel->AppendTerminal(text);
}

void MainDialog::UpdateStatusBar()
{
    m_bar->Update();
}

void MainDialog::SetStatusBarConnected(bool connected)
{
    m_bar->SetConnected(connected);
}

int MainDialog::PageCount() const
{
    return m_sheet ? m_sheet->PageCount() : 1;
}

void MainDialog::AddPage(PageId page)
{
    m_sheet->AddPage(page);
}

void MainDialog::RemovePage(PageId page)
{
    m_sheet->RemovePage(page);
}

void MainDialog::SetActivePage(PageId page)
{
    if (m_sheet)
        m_sheet->SetActivePage(page);
}

void MainDialog::RedrawPages()
{
    m_sheet->repaint();
}

void MainDialog::ShowPortSettings(const QString &baud, QChar parity, const QString &dataBits, const QString &stopBits)
{
    m_sheet->ConnectionPage()->ShowPortSettings(baud, parity, dataBits, stopBits);
}

} // namespace telvio

namespace telvio {

void MainDialog::ShowMessageWindow(const QString &text)
{
    if (!m_messageWindow)
        m_messageWindow = new MessageWindow(this);
    // Over the page that asked, which is the one at the front: over the
    // whole window it would cover the terminal. The main window stays its
    // owner, as a page may be taken out of the set while it is shown.
    m_messageWindow->ShowText(text, m_sheet ? m_sheet->currentWidget() : nullptr);
}

void MainDialog::CloseMessageWindow()
{
    if (!m_messageWindow)
        return;
    m_messageWindow->hide();
    m_messageWindow->deleteLater();
    m_messageWindow = nullptr;
}

} // namespace telvio
