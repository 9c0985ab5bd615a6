#include "link/ui/connectionpage.h"

#include "link/core/commcontrol.h"
#include "link/core/sessionhost.h"
#include "shell/core/prompter.h"
#include "shell/ui/maindialog.h"
#include "shell/ui/menucommands.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace telvio {

namespace {

const PageId kEditedPages[] = {PageId::Basic, PageId::Serial, PageId::Sms, PageId::Gprs};

QComboBox *List(QWidget *parent, const QStringList &items, const QString &selected)
{
    auto *box = new QComboBox(parent);
    box->addItems(items);
    box->setCurrentIndex(std::max(0, int(items.indexOf(selected))));
    return box;
}

} // namespace

Cserial::Cserial(const PageContext &context, QWidget *parent)
    : PropertyPage(PageId::Connection, QStringLiteral("Connection"), context, parent)
{
    auto *group = new QGroupBox(QStringLiteral("Connection Settings"), this);
    m_port = new QComboBox(group);
    m_baud = List(group,
                  {QStringLiteral("300"), QStringLiteral("600"), QStringLiteral("1200"), QStringLiteral("2400"),
                   QStringLiteral("4800"), QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400"),
                   QStringLiteral("57600"), QStringLiteral("115200")},
                  QStringLiteral("9600"));
    m_parity = List(group,
                    {QStringLiteral("None"), QStringLiteral("Odd"), QStringLiteral("Even"), QStringLiteral("Mark"),
                     QStringLiteral("Space")},
                    QStringLiteral("None"));
    m_dataBits = List(group, {QStringLiteral("7"), QStringLiteral("8")}, QStringLiteral("8"));
    m_stopBits = List(group, {QStringLiteral("1"), QStringLiteral("2")}, QStringLiteral("1"));

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

    m_open = new QPushButton(QStringLiteral("&Open"), this);
    m_openText = new QLabel(QStringLiteral("Opens the COM port with current settings for the terminal window."), this);
    m_disconnect = new QPushButton(QStringLiteral("&Disconnect"), this);
    m_disconnectText = new QLabel(QStringLiteral("Closes the COM port, and disconnects any connected modem."), this);
    m_disconnect->setEnabled(false);
    auto *buttons = new QGridLayout;
    buttons->addWidget(m_disconnect, 0, 0);
    buttons->addWidget(m_disconnectText, 0, 1);
    buttons->addWidget(m_open, 1, 0);
    buttons->addWidget(m_openText, 1, 1);
    for (QPushButton *b : {m_open, m_disconnect})
        b->setMinimumWidth(110);
    for (QLabel *l : {m_openText, m_disconnectText})
        l->setWordWrap(true);
    buttons->setColumnStretch(1, 1);
    buttons->setVerticalSpacing(12);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->addStretch(1);

    connect(m_open, &QPushButton::clicked, this, [this] { ExecuteCommand(CmdOpen); });
    connect(m_disconnect, &QPushButton::clicked, this, [this] { ExecuteCommand(CmdDisconnect); });
    for (QComboBox *list : {m_baud, m_parity, m_dataBits, m_stopBits})
        connect(list, &QComboBox::currentIndexChanged, this, &Cserial::OnLineListChanged);

    FillPortList();
}

void Cserial::FillPortList()
{
    Session().EnumeratePorts(m_ports);
    m_port->clear();
    for (const PortEntry &p : m_ports)
        m_port->addItem(p.Label(), p.path);
    if (!m_ports.isEmpty())
        m_port->setCurrentIndex(0);
}

QChar Cserial::SelectedParity() const
{
    return m_parity->currentText().at(0);
}

void Cserial::ExecuteCommand(int index)
{
    switch (index) {
    case CmdDisconnect: Disconnect(); break;
    case CmdOpen: Open(); break;
    default: break; // searching for and identifying a modem is not offered yet
    }
}

void Cserial::Open()
{
    ModemSession &s = Session();
    if (s.busy)
        return;
    s.busy = true;
    if (s.Connected()) {
        Prompt().Message(QStringLiteral("Already connected!"), QString(), Prompter::Icon::Error);
        s.busy = false;
        s.Host()->SetActivePage(PageId::Connection);
        return;
    }
    if (m_port->count() == 0) {
        s.busy = false;
        return;
    }
    CommControl *comm = s.Comm();
    comm->SetCommPort(m_port->currentData().toString());
    comm->SetSettings(QStringLiteral("%1,%2,%3,%4")
                          .arg(m_baud->currentText(), QString(SelectedParity()), m_dataBits->currentText(),
                               m_stopBits->currentText()));
    if (!comm->SetPortOpen(true)) {
        Prompt().Message(QStringLiteral("Comport not available"));
        s.SetConnected(false);
        s.Host()->RefreshStatusPanel();
        s.busy = false;
        return;
    }
    s.quiet = 0;
    s.SetConnected(true);
    s.terminalOnly = true;
    s.statusText = QStringLiteral("Open");
    s.modelCode = 0;
    // No modem was identified: a name left from an earlier connection would
    // describe a device that may no longer be there.
    s.modelName.clear();
    s.portName = m_port->currentData().toString();
    s.baudText = m_baud->currentText();
    s.parity = SelectedParity();
    s.dataBitsText = m_dataBits->currentText();
    s.stopBitsText = m_stopBits->currentText();
    s.simStatus = 0;
    s.Host()->RefreshStatusPanel();
    comm->SetRThreshold(1);
    s.SetPollUnit(s.baudText.toInt());
    s.busy = false;
    s.Host()->SetActivePage(PageId::Connection);
}

void Cserial::Disconnect()
{
    ModemSession &s = Session();
    bool modified = false;
    for (PageId id : kEditedPages)
        modified = modified || s.Flags(id).modified;
    if (modified && !s.offline
        && !Prompt().Question(QStringLiteral("All unsaved changes will be lost.\nDu you wish to contiune?")))
        return;
    for (PageId id : kEditedPages) {
        s.Flags(id).modified = false;
        s.Flags(id).profilePending = false;
    }
    if (s.busy)
        return;
    s.busy = true;
    if (s.quiet && s.makerFirmware == 0
        && Prompt().Question(QStringLiteral("Result Code Suppression will now be activated, and\nthe active "
                                            "configuration will be saved, RAM to EEPROM.\nDu you wish to save "
                                            "settings before disconneting?"))) {
        QByteArray command = QByteArrayLiteral("ATQ1");
        s.SendAndWait(command, 1);
        command = QByteArrayLiteral("AT&W");
        s.SendAndWait(command, 1);
        s.quiet = 0;
    }
    if (s.Connected() || s.offline)
        s.Disconnect();
    else
        Prompt().Message(QStringLiteral("Not connected!"), QString(), Prompter::Icon::Error);
    s.busy = false;
    s.Host()->SetActivePage(PageId::Connection);
}

void Cserial::OnLineListChanged()
{
    ModemSession &s = Session();
    if (!s.Connected())
        return;
    bool changed = false;
    auto follow = [&changed](QString &field, const QString &selected) {
        if (field != selected) {
            field = selected;
            changed = true;
        }
    };
    follow(s.baudText, m_baud->currentText());
    follow(s.dataBitsText, m_dataBits->currentText());
    follow(s.stopBitsText, m_stopBits->currentText());
    if (s.parity != SelectedParity()) {
        s.parity = SelectedParity();
        changed = true;
    }
    if (changed)
        s.ApplyPortSettings();
}

void Cserial::ShowPortSettings(const QString &baud, QChar parity, const QString &dataBits, const QString &stopBits)
{
    auto select = [](QComboBox *list, const QString &text) {
        const int i = list->findText(text);
        if (i >= 0)
            list->setCurrentIndex(i);
    };
    select(m_baud, baud);
    select(m_dataBits, dataBits);
    select(m_stopBits, stopBits);
    for (int i = 0; i < m_parity->count(); ++i) {
        if (m_parity->itemText(i).at(0) == parity.toUpper())
            m_parity->setCurrentIndex(i);
    }
}

void Cserial::ApplyTooltips(bool on)
{
    auto tip = [on](QWidget *w, const char *text) { w->setToolTip(on ? QString::fromLatin1(text) : QString()); };
    tip(m_open, "Opens the COM port with current settings.");
    tip(m_disconnect, "Closes COM-port");
    tip(m_stopBits, "Stop bits");
    tip(m_dataBits, "Data bits");
    tip(m_parity, "Parity");
    tip(m_port, "Port number");
    tip(m_baud, "Baud rate");
}

void Cserial::SetMenu(int position, int id, bool enable)
{
    if (Main())
        Main()->EnableMenuCommand(position, id, enable);
}

void Cserial::SetBarConnected(bool on)
{
    Session().Host()->SetStatusBarConnected(on);
}

void Cserial::OnSetActive()
{
    ModemSession &s = Session();
    ApplyTooltips(s.options.tooltip == 1);
    m_port->setEnabled(true);
    const bool havePorts = m_port->count() > 0;

    if (s.Connected()) {
        m_port->setEnabled(false);
        m_disconnect->setEnabled(true);
        m_disconnect->setText(QStringLiteral("&Disconnect"));
        m_open->setEnabled(false);
        SetMenu(MenuConnection, telvio::CmdAutoconnect, false);
        SetMenu(MenuConnection, telvio::CmdOpenPort, false);
        SetMenu(MenuConnection, telvio::CmdDisconnect, true);
        if (!s.terminalOnly)
            SetMenu(MenuFile, telvio::CmdWriteProfile, true);
        SetBarConnected(true);
    } else if (s.offline) {
        m_open->setEnabled(false);
        m_disconnect->setEnabled(true);
        m_disconnect->setText(QStringLiteral("Close"));
        for (int id : {telvio::CmdAutoconnect, telvio::CmdConnect, telvio::CmdDisconnect, telvio::CmdRemote,
                       telvio::CmdOpenPort})
            SetMenu(MenuConnection, id, false);
        SetMenu(MenuFile, telvio::CmdCloseProfile, true);
    } else if (!s.busy) {
        if (s.Host()->PageCount() > 1) {
            s.RemovePages();
            s.Host()->RedrawPages();
        }
        m_open->setEnabled(havePorts);
        m_disconnect->setEnabled(false);
        m_disconnect->setText(QStringLiteral("&Disconnect"));
        SetMenu(MenuConnection, telvio::CmdAutoconnect, havePorts);
        SetMenu(MenuConnection, telvio::CmdConnect, havePorts);
        SetMenu(MenuConnection, telvio::CmdOpenPort, havePorts);
        SetMenu(MenuConnection, telvio::CmdRemote, false);
        SetMenu(MenuConnection, telvio::CmdDisconnect, false);
        SetMenu(MenuFile, telvio::CmdCloseProfile, false);
        SetMenu(MenuFile, telvio::CmdWriteProfile, false);
        SetBarConnected(false);
    } else {
        return;
    }
    s.Host()->UpdateStatusBar();
}

} // namespace telvio
