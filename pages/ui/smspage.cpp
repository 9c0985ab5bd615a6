#include "pages/ui/smspage.h"

#include "pages/ui/formbinding.h"
#include "shell/ui/bitmapbutton.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace telvio {

Csms::Csms(const PageContext &context, QWidget *parent)
    : SettingsPropertyPage(PageId::Sms, smspagetext::kTitle, context, parent),
      m_logic(std::make_unique<SmsLogic>(Session(), Prompt()))
{
    Bind(*m_logic);
    auto *settings = new QGroupBox(smspagetext::kSettingsGroup, this);
    auto *grid = new QGridLayout(settings);
    m_serviceCentre = new QLineEdit(settings);
    SetHelpId(m_serviceCentre, 1502);
    LimitEdit(m_serviceCentre, m_logic->form.serviceCentre);
    m_format = new QComboBox(settings);
    m_format->addItems(m_logic->form.format.items);
    SetHelpId(m_format, 1494);
    auto *centreLabel = new QLabel(smspagetext::kServiceCentre, settings);
    centreLabel->setBuddy(m_serviceCentre);
    auto *formatLabel = new QLabel(smspagetext::kFormat, settings);
    formatLabel->setBuddy(m_format);
    grid->addWidget(centreLabel, 0, 0);
    grid->addWidget(m_serviceCentre, 0, 1);
    grid->addWidget(formatLabel, 1, 0);
    grid->addWidget(m_format, 1, 1);
    grid->setColumnStretch(2, 1);

    connect(m_serviceCentre, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_logic->form.serviceCentre.text = text;
        Run(*m_logic, SmsCommand::Edited);
    });
    connect(m_format, &QComboBox::activated, this, [this](int index) {
        m_logic->form.format.current = index;
        Run(*m_logic, SmsCommand::FormatChosen);
    });

    m_read = new BitmapButton(BitmapButton::Read, m_logic->form.read.caption, this);
    m_write = new BitmapButton(BitmapButton::Write, m_logic->form.write.caption, this);
    SetHelpId(m_read, 1490);
    SetHelpId(m_write, 1492);
    for (BitmapButton *b : {m_read, m_write})
        b->setMinimumWidth(100);
    connect(m_read, &QPushButton::clicked, this, [this] { Run(*m_logic, SmsCommand::Read); });
    connect(m_write, &QPushButton::clicked, this, [this] { Run(*m_logic, SmsCommand::Write); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_read);
    buttons->addWidget(m_write);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(settings);
    layout->addLayout(buttons);
    layout->addStretch(1);
    ShowForm();
}

Csms::~Csms() = default;

void Csms::ShowForm()
{
    const SmsForm &f = m_logic->form;
    const int width = smspagetext::kTooltipWidth;
    ShowEdit(m_serviceCentre, f.serviceCentre, f.tooltips, width);
    ShowList(m_format, f.format, f.tooltips, width);
    ShowButton(m_read, f.read, f.tooltips, width);
    ShowButton(m_write, f.write, f.tooltips, width);
}

} // namespace telvio
