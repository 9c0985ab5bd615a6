#include "pages/ui/gprspage.h"

#include "pages/ui/addressfield.h"
#include "pages/ui/compactlayout.h"
#include "pages/ui/formbinding.h"
#include "shell/ui/helpids.h"
#include "pages/ui/pingdialog.h"
#include "shell/ui/bitmapbutton.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace telvio {

namespace {

void ShowLabel(QLabel *label, const TextState &state)
{
    label->setText(state.text);
    label->setHidden(!state.visible);
    label->setEnabled(state.enabled);
}

void ShowAddress(AddressField *field, const AddressState &state, bool tooltips)
{
    ShowControl(field, state, tooltips, gprspagetext::kTooltipWidth);
    field->SetValue(state.octets);
}

} // namespace

Cgprs::Cgprs(const PageContext &context, QWidget *parent)
    : SettingsPropertyPage(PageId::Gprs, gprspagetext::kTitle, context, parent),
      m_dialogs(std::make_unique<GprsPageDialogs>(this)),
      m_logic(std::make_unique<GprsLogic>(Session(), Prompt(), *m_dialogs))
{
    Bind(*m_logic);
    Build();
    SetHelpIds();
    ShowForm();
}

Cgprs::~Cgprs() = default;

QLineEdit *Cgprs::Edit(QWidget *parent, EditState GprsForm::*state)
{
    auto *edit = new QLineEdit(parent);
    LimitEdit(edit, m_logic->form.*state);
    connect(edit, &QLineEdit::textEdited, this, [this, state](const QString &text) {
        (m_logic->form.*state).text = text;
        Run(GprsCommand::Edited);
    });
    return edit;
}

QComboBox *Cgprs::List(QWidget *parent, ListState GprsForm::*state)
{
    auto *list = new QComboBox(parent);
    list->addItems((m_logic->form.*state).items);
    connect(list, &QComboBox::activated, this, [this, state](int index) {
        (m_logic->form.*state).current = index;
        Run(GprsCommand::ListChosen);
    });
    return list;
}

AddressField *Cgprs::Address(QWidget *parent, AddressState GprsForm::*state)
{
    auto *field = new AddressField(parent);
    connect(field, &AddressField::Edited, this, [this, field, state] {
        (m_logic->form.*state).octets = field->Value();
        Run(GprsCommand::Edited);
    });
    return field;
}

QPushButton *Cgprs::Button(QWidget *parent, ButtonState GprsForm::*state, GprsCommand command)
{
    auto *button = new QPushButton((m_logic->form.*state).caption, parent);
    connect(button, &QPushButton::clicked, this, [this, command] { Run(command); });
    return button;
}

void Cgprs::SetHelpIds()
{
    using namespace helpids;
    const std::pair<QWidget *, int> ids[] = {
        {m_w.apn, kApn}, {m_w.userName, kUserName}, {m_w.password, kPassword}, {m_w.serverIp, kServerIp},
        {m_w.port, kGprsPort}, {m_w.delay, kGprsDelay}, {m_w.autoConnect, kAutoConnect},
        {m_w.connectionMode, kConnectionMode}, {m_w.clientIp, kClientIp}, {m_w.tcpStatus, kTcpStatus},
        {m_w.syncMode, kSyncMode}, {m_w.syncDelay, kSyncDelay}, {m_w.syncIdle, kSyncIdle},
        {m_w.activate, kActivate}, {m_w.contextMode, kContextMode}, {m_w.contextConnect, kContextConnect},
        {m_w.attachState, kAttachState}, {m_w.change, kChange}, {m_w.gprsConnect, kGprsConnect},
        {m_w.ping, kPing}, {m_w.start, kStart}, {m_w.stop, kStop}, {m_w.read, kGprsRead}, {m_w.write, kGprsWrite},
    };
    for (const auto &[control, id] : ids)
        SetHelpId(control, id);
}

void Cgprs::Build()
{
    const GprsForm &f = m_logic->form;
    m_w.socketGroup = new QGroupBox(f.socketGroup.caption, this);
    QGroupBox *socket = m_w.socketGroup;
    auto *grid = new QGridLayout(socket);
    // Ten rows of the TCP firmware above the action groups: rows close
    // together, or the sheet's height squeezes the fields flat.
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setVerticalSpacing(2);
    int row = 0;
    auto addRow = [&](QLabel *label, QWidget *field) {
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1, 1, 2);
        ++row;
    };
    m_w.apnLabel = new QLabel(f.apnLabel.text, socket);
    m_w.apn = Edit(socket, &GprsForm::apn);
    addRow(m_w.apnLabel, m_w.apn);
    m_w.userNameLabel = new QLabel(f.userNameLabel.text, socket);
    m_w.userName = Edit(socket, &GprsForm::userName);
    addRow(m_w.userNameLabel, m_w.userName);
    m_w.passwordLabel = new QLabel(f.passwordLabel.text, socket);
    m_w.password = Edit(socket, &GprsForm::password);
    m_w.password->setEchoMode(QLineEdit::Password);
    addRow(m_w.passwordLabel, m_w.password);
    m_w.serverIpLabel = new QLabel(f.serverIpLabel.text, socket);
    m_w.serverIp = Address(socket, &GprsForm::serverIp);
    addRow(m_w.serverIpLabel, m_w.serverIp);
    m_w.portLabel = new QLabel(f.portLabel.text, socket);
    m_w.port = Edit(socket, &GprsForm::port);
    addRow(m_w.portLabel, m_w.port);
    m_w.delayLabel = new QLabel(f.delayLabel.text, socket);
    m_w.delay = Edit(socket, &GprsForm::delay);
    addRow(m_w.delayLabel, m_w.delay);
    m_w.autoConnectLabel = new QLabel(f.autoConnectLabel.text, socket);
    m_w.autoConnect = List(socket, &GprsForm::autoConnect);
    addRow(m_w.autoConnectLabel, m_w.autoConnect);
    m_w.connectionModeLabel = new QLabel(f.connectionModeLabel.text, socket);
    m_w.connectionMode = List(socket, &GprsForm::connectionMode);
    addRow(m_w.connectionModeLabel, m_w.connectionMode);
    m_w.clientIpLabel = new QLabel(f.clientIpLabel.text, socket);
    m_w.clientIp = Address(socket, &GprsForm::clientIp);
    addRow(m_w.clientIpLabel, m_w.clientIp);
    m_w.tcpStatusLabel = new QLabel(f.tcpStatusLabel.text, socket);
    m_w.tcpStatus = List(socket, &GprsForm::tcpStatus);
    addRow(m_w.tcpStatusLabel, m_w.tcpStatus);
    // The longest caption, "TCP connect status information [*WTCPI]",
    // leaves the lists less than their longest items; they show those
    // whole when opened.
    for (QComboBox *list : {m_w.autoConnect, m_w.connectionMode, m_w.tcpStatus})
        compact::ShrinkableList(list, 12);

    m_w.syncGroup = new QGroupBox(f.syncGroup.caption, socket);
    auto *sync = new QHBoxLayout(m_w.syncGroup);
    sync->setContentsMargins(8, 2, 8, 4);
    m_w.syncMode = List(m_w.syncGroup, &GprsForm::syncMode);
    m_w.syncDelay = Edit(m_w.syncGroup, &GprsForm::syncDelay);
    m_w.syncIdle = Edit(m_w.syncGroup, &GprsForm::syncIdle);
    compact::NarrowEdit(m_w.syncDelay);
    compact::NarrowEdit(m_w.syncIdle);
    m_w.syncMode->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    sync->addWidget(new QLabel(QStringLiteral("Mode"), m_w.syncGroup));
    sync->addWidget(m_w.syncMode);
    sync->addSpacing(12);
    sync->addWidget(new QLabel(QStringLiteral("Delay"), m_w.syncGroup));
    sync->addWidget(m_w.syncDelay);
    sync->addSpacing(12);
    sync->addWidget(new QLabel(QStringLiteral("Idle"), m_w.syncGroup));
    sync->addWidget(m_w.syncIdle);
    sync->addStretch(1);
    grid->addWidget(m_w.syncGroup, row++, 0, 1, 3);

    m_w.activateCaption = new QLabel(f.activateCaption.text, socket);
    m_w.activate = Button(socket, &GprsForm::activate, GprsCommand::Activate);
    m_w.activateLabel = new QLabel(f.activateLabel.text, socket);
    // Each context control's button and its neighbour share the fields'
    // column: in columns of their own they would leave the captions too
    // little room.
    auto *activateRow = new QHBoxLayout;
    activateRow->addWidget(m_w.activate);
    activateRow->addWidget(m_w.activateLabel);
    activateRow->addStretch(1);
    grid->addWidget(m_w.activateCaption, row, 0);
    grid->addLayout(activateRow, row, 1, 1, 2);
    ++row;
    m_w.contextModeLabel = new QLabel(f.contextModeLabel.text, socket);
    m_w.contextMode = List(socket, &GprsForm::contextMode);
    m_w.contextConnect = Button(socket, &GprsForm::contextConnect, GprsCommand::ContextConnect);
    auto *contextRow = new QHBoxLayout;
    contextRow->addWidget(m_w.contextMode, 1);
    contextRow->addWidget(m_w.contextConnect);
    grid->addWidget(m_w.contextModeLabel, row, 0);
    grid->addLayout(contextRow, row, 1, 1, 2);
    compact::SnugButton(m_w.activate, {gprspagetext::kActivate, gprspagetext::kDeactivate});
    compact::SnugButton(m_w.contextConnect, {gprspagetext::kConnect, gprspagetext::kDisconnect});
    compact::ShrinkableList(m_w.contextMode, 12);
    grid->setColumnStretch(1, 1);

    m_w.attachGroup = new QGroupBox(f.attachGroup.caption, this);
    auto *attach = new QHBoxLayout(m_w.attachGroup);
    m_w.attachState = List(m_w.attachGroup, &GprsForm::attachState);
    m_w.change = Button(m_w.attachGroup, &GprsForm::change, GprsCommand::Change);
    attach->addWidget(new QLabel(QStringLiteral("State"), m_w.attachGroup));
    attach->addWidget(m_w.attachState, 1);
    attach->addWidget(m_w.change);

    m_w.gprsGroup = new QGroupBox(f.gprsGroup.caption, this);
    auto *gprs = new QHBoxLayout(m_w.gprsGroup);
    m_w.gprsConnect = Button(m_w.gprsGroup, &GprsForm::gprsConnect, GprsCommand::GprsConnect);
    m_w.ping = Button(m_w.gprsGroup, &GprsForm::ping, GprsCommand::Ping);
    gprs->addWidget(m_w.gprsConnect);
    gprs->addWidget(m_w.ping);
    m_w.tcpGroup = new QGroupBox(f.tcpGroup.caption, this);
    auto *tcp = new QHBoxLayout(m_w.tcpGroup);
    m_w.start = Button(m_w.tcpGroup, &GprsForm::start, GprsCommand::Start);
    m_w.stop = Button(m_w.tcpGroup, &GprsForm::stop, GprsCommand::Stop);
    tcp->addWidget(m_w.start);
    tcp->addWidget(m_w.stop);

    m_w.read = new BitmapButton(BitmapButton::Read, f.read.caption, this);
    m_w.write = new BitmapButton(BitmapButton::Write, f.write.caption, this);
    for (BitmapButton *b : {m_w.read, m_w.write})
        b->setMinimumWidth(100);
    connect(m_w.read, &QPushButton::clicked, this, [this] { Run(GprsCommand::Read); });
    connect(m_w.write, &QPushButton::clicked, this, [this] { Run(GprsCommand::Write); });

    // The three action groups side by side are wider than the sheet: the
    // attach group and "GPRS" in one row, "TCP" beside Read and Write.
    auto *actions = new QHBoxLayout;
    actions->addWidget(m_w.attachGroup, 1);
    actions->addWidget(m_w.gprsGroup);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_w.tcpGroup);
    buttons->addStretch(1);
    buttons->addWidget(m_w.read, 0, Qt::AlignBottom);
    buttons->addWidget(m_w.write, 0, Qt::AlignBottom);
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    layout->addWidget(socket);
    layout->addLayout(actions);
    layout->addLayout(buttons);
    layout->addStretch(1);
}

void Cgprs::ShowForm()
{
    const GprsForm &f = m_logic->form;
    const bool tips = f.tooltips;
    const int width = gprspagetext::kTooltipWidth;
    ShowGroup(m_w.socketGroup, f.socketGroup);
    ShowLabel(m_w.apnLabel, f.apnLabel);
    ShowEdit(m_w.apn, f.apn, tips, width);
    ShowLabel(m_w.userNameLabel, f.userNameLabel);
    ShowEdit(m_w.userName, f.userName, tips, width);
    ShowLabel(m_w.passwordLabel, f.passwordLabel);
    ShowEdit(m_w.password, f.password, tips, width);
    ShowLabel(m_w.serverIpLabel, f.serverIpLabel);
    ShowAddress(m_w.serverIp, f.serverIp, tips);
    ShowLabel(m_w.portLabel, f.portLabel);
    ShowEdit(m_w.port, f.port, tips, width);
    ShowLabel(m_w.delayLabel, f.delayLabel);
    ShowEdit(m_w.delay, f.delay, tips, width);
    ShowLabel(m_w.autoConnectLabel, f.autoConnectLabel);
    ShowList(m_w.autoConnect, f.autoConnect, tips, width);
    ShowLabel(m_w.connectionModeLabel, f.connectionModeLabel);
    ShowList(m_w.connectionMode, f.connectionMode, tips, width);
    ShowLabel(m_w.clientIpLabel, f.clientIpLabel);
    ShowAddress(m_w.clientIp, f.clientIp, tips);
    ShowLabel(m_w.tcpStatusLabel, f.tcpStatusLabel);
    ShowList(m_w.tcpStatus, f.tcpStatus, tips, width);
    ShowGroup(m_w.syncGroup, f.syncGroup);
    ShowList(m_w.syncMode, f.syncMode, tips, width);
    ShowEdit(m_w.syncDelay, f.syncDelay, tips, width);
    ShowEdit(m_w.syncIdle, f.syncIdle, tips, width);
    ShowLabel(m_w.activateCaption, f.activateCaption);
    ShowButton(m_w.activate, f.activate, tips, width);
    ShowLabel(m_w.activateLabel, f.activateLabel);
    ShowLabel(m_w.contextModeLabel, f.contextModeLabel);
    ShowList(m_w.contextMode, f.contextMode, tips, width);
    ShowButton(m_w.contextConnect, f.contextConnect, tips, width);
    ShowGroup(m_w.attachGroup, f.attachGroup);
    ShowList(m_w.attachState, f.attachState, tips, width);
    ShowButton(m_w.change, f.change, tips, width);
    ShowGroup(m_w.gprsGroup, f.gprsGroup);
    ShowButton(m_w.gprsConnect, f.gprsConnect, tips, width);
    ShowButton(m_w.ping, f.ping, tips, width);
    ShowGroup(m_w.tcpGroup, f.tcpGroup);
    ShowButton(m_w.start, f.start, tips, width);
    ShowButton(m_w.stop, f.stop, tips, width);
    ShowButton(m_w.read, f.read, tips, width);
    ShowButton(m_w.write, f.write, tips, width);
}

} // namespace telvio
