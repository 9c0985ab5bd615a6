#include "shell/ui/optionsdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace telvio {

OptionsDialog::OptionsDialog(const Options &options, QWidget *parent) : QDialog(parent), m_result(options)
{
    setWindowTitle(QStringLiteral("Telvio Options"));

    auto *tool = new QGroupBox(QStringLiteral("Tool Options"), this);
    m_tooltip = new QCheckBox(QStringLiteral("Show Tooltip"), tool);
    m_terminal = new QCheckBox(QStringLiteral("Active Terminal Window"), tool);
    m_debug = new QCheckBox(QStringLiteral("Show Debug Messages"), tool);
    m_autoLoad = new QCheckBox(QStringLiteral("Load configuration on connect"), tool);
    m_userAutoConnect = new QCheckBox(QStringLiteral("User Auto Connect"), tool);
    m_userAutoConnect->setVisible(false);
    m_searchPorts = new QCheckBox(QStringLiteral("Search for avalible com-ports at startup"), tool);
    m_ports = new QComboBox(tool);
    for (int n = 1; n <= 16; ++n)
        m_ports->addItem(QString::number(n));
    auto *portsLabel = new QLabel(QStringLiteral("Number of com-ports."), tool);
    portsLabel->setBuddy(m_ports);
    auto *toolLayout = new QGridLayout(tool);
    int row = 0;
    for (QCheckBox *box : {m_tooltip, m_terminal, m_debug, m_autoLoad, m_userAutoConnect, m_searchPorts})
        toolLayout->addWidget(box, row++, 0, 1, 2);
    toolLayout->addWidget(portsLabel, row, 0);
    toolLayout->addWidget(m_ports, row, 1);

    auto *hardware = new QGroupBox(QStringLiteral("Hardware"), this);
    m_autoDisconnect = new QCheckBox(QStringLiteral("Disconnect on CTS event"), hardware);
    m_dtr = new QCheckBox(QStringLiteral("Enable DTR"), hardware);
    m_rts = new QCheckBox(QStringLiteral("Enable RTS"), hardware);
    m_flow = new QComboBox(hardware);
    m_flow->addItems({QStringLiteral("No handshaking"), QStringLiteral("XOn/XOff"), QStringLiteral("RTS/CTS"),
                      QStringLiteral("RTS/CTS & XOn/XOff")});
    auto *flowLabel = new QLabel(QStringLiteral("Flow Control"), hardware);
    flowLabel->setBuddy(m_flow);
    m_delay = new QLineEdit(hardware);
    m_delay->setMaxLength(OptionsForm::kDelayMaxLength);
    m_delay->setPlaceholderText(QStringLiteral("0-1000 ms"));
    m_delay->setToolTip(QStringLiteral("0-1000 ms"));
    auto *delayLabel = new QLabel(QStringLiteral("Delay before AT (ms)"), hardware);
    delayLabel->setBuddy(m_delay);
    auto *hardwareLayout = new QGridLayout(hardware);
    hardwareLayout->addWidget(m_autoDisconnect, 0, 0, 1, 2);
    hardwareLayout->addWidget(m_dtr, 1, 0, 1, 2);
    hardwareLayout->addWidget(m_rts, 2, 0, 1, 2);
    hardwareLayout->addWidget(flowLabel, 3, 0);
    hardwareLayout->addWidget(m_flow, 3, 1);
    hardwareLayout->addWidget(delayLabel, 4, 0);
    hardwareLayout->addWidget(m_delay, 4, 1);
    hardwareLayout->setRowStretch(5, 1);

    m_defaults = new QPushButton(QStringLiteral("Defaults"), this);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_ok->setDefault(true);
    connect(m_defaults, &QPushButton::clicked, this, [this] { SetForm(OptionsForm::Defaults()); });
    connect(m_ok, &QPushButton::clicked, this, &OptionsDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *groups = new QHBoxLayout;
    groups->addWidget(tool);
    groups->addWidget(hardware);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_defaults);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    SetForm(OptionsForm::From(options));
}

OptionsForm OptionsDialog::Form() const
{
    OptionsForm f;
    f.tooltip = m_tooltip->isChecked();
    f.terminal = m_terminal->isChecked();
    f.debug = m_debug->isChecked();
    f.autoLoad = m_autoLoad->isChecked();
    f.userAutoConnect = m_userAutoConnect->isChecked();
    f.searchPorts = m_searchPorts->isChecked();
    f.numberOfPortsIndex = m_ports->currentIndex();
    f.autoDisconnect = m_autoDisconnect->isChecked();
    f.dtrEnable = m_dtr->isChecked();
    f.rtsEnable = m_rts->isChecked();
    f.flowControlIndex = m_flow->currentIndex();
    f.delayText = m_delay->text();
    return f;
}

void OptionsDialog::SetForm(const OptionsForm &f)
{
    m_tooltip->setChecked(f.tooltip);
    m_terminal->setChecked(f.terminal);
    m_debug->setChecked(f.debug);
    m_autoLoad->setChecked(f.autoLoad);
    m_userAutoConnect->setChecked(f.userAutoConnect);
    m_searchPorts->setChecked(f.searchPorts);
    m_ports->setCurrentIndex(f.numberOfPortsIndex);
    m_autoDisconnect->setChecked(f.autoDisconnect);
    m_dtr->setChecked(f.dtrEnable);
    m_rts->setChecked(f.rtsEnable);
    m_flow->setCurrentIndex(f.flowControlIndex);
    m_delay->setText(f.delayText);
}

void OptionsDialog::accept()
{
    m_result = Form().ToOptions();
    QDialog::accept();
}

void OptionsDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        emit HelpRequested();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace telvio
