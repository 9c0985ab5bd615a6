#include "link/ui/connectionpage.h"

#include "link/core/modemsession.h"
#include "link/ui/waitdialog.h"
#include "pages/ui/formbinding.h"
#include "shell/core/tooltipwidths.h"
#include "shell/core/prompter.h"
#include "shell/ui/bitmapbutton.h"
#include "shell/ui/helpids.h"
#include "shell/ui/mainwindowhost.h"
#include "shell/ui/menucommands.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <functional>

namespace telvio {

// Runs the search in a Wait dialog over the main window, unless a test
// gave a runner of its own.
class Cserial::Runner : public WaitDialogRunner {
public:
    explicit Runner(QWidget *owner) : m_owner(owner) {}
    int Run(const std::function<int(SearchProgress &)> &search) override
    {
        if (m_override)
            return m_override->Run(search);
        WaitDialog dialog(m_owner->window());
        return dialog.Run(search);
    }
    WaitDialogRunner *m_override = nullptr;

private:
    QWidget *m_owner;
};

namespace {

QComboBox *List(QWidget *parent, const QStringList &items)
{
    auto *box = new QComboBox(parent);
    box->addItems(items);
    return box;
}

// The port list asks for the ports again each time it drops down: adapters
// come and go while the program runs.
class PortDropDown : public QComboBox {
public:
    PortDropDown(QWidget *parent, std::function<void()> beforePopup)
        : QComboBox(parent), m_beforePopup(std::move(beforePopup))
    {
    }

    void showPopup() override
    {
        m_beforePopup();
        QComboBox::showPopup();
    }

private:
    std::function<void()> m_beforePopup;
};

} // namespace

Cserial::Cserial(const PageContext &context, QWidget *parent)
    : PropertyPage(PageId::Connection, QStringLiteral("Connection"), context, parent),
      m_runner(std::make_unique<Runner>(this))
{
    m_logic = std::make_unique<ConnectionLogic>(Session(), Prompt(), *m_runner);

    auto *group = new QGroupBox(QStringLiteral("Connection Settings"), this);
    m_port = new PortDropDown(group, [this] { RefreshPortList(); });
    m_baud = List(group, ConnectionForm::BaudItems());
    m_parity = List(group, ConnectionForm::ParityItems());
    m_dataBits = List(group, ConnectionForm::DataBitsItems());
    m_stopBits = List(group, ConnectionForm::StopBitsItems());

    auto *grid = new QGridLayout(group);
    const struct {
        const char *caption;
        QComboBox *list;
    } rows[] = {{"COM Port", m_port}, {"Baud rate", m_baud}, {"Parity", m_parity},
                {"Data bits", m_dataBits}, {"Stop bits", m_stopBits}};
    int row = 0;
    for (const auto &r : rows) {
        auto *label = new QLabel(QLatin1String(r.caption), group);
        label->setBuddy(r.list);
        grid->addWidget(label, row, 0);
        grid->addWidget(r.list, row, 1);
        ++row;
    }
    grid->setColumnStretch(2, 1);

    m_autoconnect = new BitmapButton(BitmapButton::Autoconnect, QStringLiteral("&Autoconnect"), this);
    m_connect = new BitmapButton(BitmapButton::Connect, QStringLiteral("&Connect"), this);
    m_disconnect = new BitmapButton(BitmapButton::Disconnect, QStringLiteral("&Disconnect"), this);
    m_open = new BitmapButton(BitmapButton::Open, QStringLiteral("&Open"), this);
    const struct {
        BitmapButton *button;
        const char *text;
    } buttons[] = {
        {m_autoconnect,
         "Search for a supported Kestrava modem on the selected COM port. This may take several minutes."},
        {m_connect, "Connects to a supported Kestrava modem, using current settings."},
        {m_disconnect, "Closes the COM port, and disconnects any connected modem."},
        {m_open, "Opens the COM port with current settings for the terminal window."},
    };
    auto *buttonGrid = new QGridLayout;
    row = 0;
    for (const auto &b : buttons) {
        auto *text = new QLabel(QLatin1String(b.text), this);
        text->setWordWrap(true);
        b.button->setMinimumWidth(120);
        buttonGrid->addWidget(b.button, row, 0);
        buttonGrid->addWidget(text, row, 1);
        ++row;
    }
    buttonGrid->setColumnStretch(1, 1);
    buttonGrid->setVerticalSpacing(10);

    using namespace helpids;
    const std::pair<QWidget *, int> ids[] = {
        {m_port, kPort}, {m_baud, kBaud}, {m_parity, kParity}, {m_dataBits, kDataBits}, {m_stopBits, kStopBits},
        {m_autoconnect, kAutoconnect}, {m_connect, kConnect}, {m_disconnect, kDisconnect}, {m_open, kOpen},
    };
    for (const auto &[control, id] : ids)
        SetHelpId(control, id);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addSpacing(10);
    layout->addLayout(buttonGrid);
    layout->addStretch(1);

    connect(m_autoconnect, &QPushButton::clicked, this, [this] { ExecuteCommand(CmdAutoconnect); });
    connect(m_connect, &QPushButton::clicked, this, [this] { ExecuteCommand(CmdConnect); });
    connect(m_disconnect, &QPushButton::clicked, this, [this] { ExecuteCommand(CmdDisconnect); });
    connect(m_open, &QPushButton::clicked, this, [this] { ExecuteCommand(CmdOpen); });
    for (QComboBox *list : {m_port, m_baud, m_parity, m_dataBits, m_stopBits})
        connect(list, &QComboBox::currentIndexChanged, this, &Cserial::OnLineListChanged);

    FillPortList();
    m_disconnect->setEnabled(false);
}

Cserial::~Cserial() = default;

QPushButton *Cserial::AutoconnectButton() const { return m_autoconnect; }
QPushButton *Cserial::ConnectButton() const { return m_connect; }
QPushButton *Cserial::OpenButton() const { return m_open; }
QPushButton *Cserial::DisconnectButton() const { return m_disconnect; }

void Cserial::SetWaitDialogRunner(WaitDialogRunner *runner)
{
    m_runner->m_override = runner;
}

void Cserial::FillPortList()
{
    m_logic->FillPorts();
    ShowForm();
}

void Cserial::RefreshPortList()
{
    TakeLists();
    m_logic->RefreshPorts();
    ShowForm();
    if (!Session().Busy())
        ApplyMenu();
}

void Cserial::TakeLists()
{
    ConnectionForm &f = m_logic->form;
    f.port = m_port->currentIndex();
    f.baud = m_baud->currentIndex();
    f.parity = m_parity->currentIndex();
    f.dataBits = m_dataBits->currentIndex();
    f.stopBits = m_stopBits->currentIndex();
}

void Cserial::ShowForm()
{
    const ConnectionForm &f = m_logic->form;
    m_showing = true;
    bool samePorts = m_port->count() == f.portLabels.size();
    for (int i = 0; samePorts && i < f.portLabels.size(); ++i)
        samePorts = m_port->itemText(i) == f.portLabels.at(i) && m_port->itemData(i).toString() == f.portPaths.at(i);
    if (!samePorts) {
        m_port->clear();
        for (int i = 0; i < f.portLabels.size(); ++i)
            m_port->addItem(f.portLabels.at(i), f.portPaths.at(i));
    }
    m_port->setCurrentIndex(f.port);
    m_baud->setCurrentIndex(f.baud);
    m_parity->setCurrentIndex(f.parity);
    m_dataBits->setCurrentIndex(f.dataBits);
    m_stopBits->setCurrentIndex(f.stopBits);
    m_port->setEnabled(f.portListEnabled);
    m_autoconnect->setEnabled(f.autoconnectEnabled);
    m_connect->setEnabled(f.connectEnabled);
    m_connect->setText(f.connectCaption == QLatin1String("Reconnect") ? QStringLiteral("&Reconnect")
                                                                      : QStringLiteral("&Connect"));
    m_disconnect->setEnabled(f.disconnectEnabled);
    m_disconnect->setText(f.disconnectCaption == QLatin1String("Close") ? QStringLiteral("Close")
                                                                        : QStringLiteral("&Disconnect"));
    m_open->setEnabled(f.openEnabled);
    m_showing = false;
}

void Cserial::ExecuteCommand(int index)
{
    TakeLists();
    m_logic->RouteCommand();
    m_logic->ExecuteCommand(index);
    ShowForm();
}

void Cserial::OnLineListChanged()
{
    if (m_showing)
        return;
    TakeLists();
    m_logic->RouteCommand();
}

void Cserial::ShowPortSettings(const QString &baud, QChar parity, const QString &dataBits, const QString &stopBits)
{
    ConnectionForm &f = m_logic->form;
    f.SelectBaud(baud);
    f.SelectParity(parity.toUpper());
    f.SelectDataBits(dataBits);
    f.SelectStopBits(stopBits);
    ShowForm();
}

void Cserial::ApplyMenu()
{
    if (!Main())
        return;
    const ConnectionForm::Menu &m = m_logic->form.menu;
    MainWindowHost *w = Main();
    w->EnableMenuCommand(MenuConnection, telvio::CmdAutoconnect, m.autoconnect);
    w->EnableMenuCommand(MenuConnection, telvio::CmdConnect, m.connect);
    w->EnableMenuCommand(MenuConnection, telvio::CmdDisconnect, m.disconnect);
    w->EnableMenuCommand(MenuConnection, telvio::CmdOpenPort, m.openPort);
    w->EnableMenuCommand(MenuConnection, telvio::CmdRemote, m.remote);
    w->EnableMenuCommand(MenuFile, telvio::CmdCloseProfile, m.closeProfile);
    w->EnableMenuCommand(MenuFile, telvio::CmdWriteProfile, m.writeProfile);
}

void Cserial::ApplyTooltips(bool on)
{
    auto tip = [on](QWidget *w, const char *text) {
        w->setToolTip(on ? TooltipHtml(QString::fromLatin1(text), TooltipWidth(PageId::Connection)) : QString());
    };
    tip(m_autoconnect, "The Autoconnect feature searches selected port for a Kestrava modem. Useful if you don't "
                       "know the current modem settings.");
    tip(m_connect, "Connects to a Kestrava modem");
    tip(m_open, "Opens the COM port with current settings.");
    tip(m_disconnect, "Closes COM-port");
    tip(m_stopBits, "Stop bits");
    tip(m_dataBits, "Data bits");
    tip(m_parity, "Parity");
    tip(m_port, "Port number");
    tip(m_baud, "Baud rate");
}

void Cserial::OnSetActive()
{
    ModemSession &s = Session();
    const bool wasBusyClosed = s.Busy() && !s.Connected() && !s.Offline();
    TakeLists();
    m_logic->Activate();
    ApplyTooltips(m_logic->form.tooltips);
    ShowForm();
    if (wasBusyClosed || !Main())
        return;
    ApplyMenu();
}

} // namespace telvio
