#include "pages/ui/v24v25page.h"

#include "pages/ui/formbinding.h"
#include "shell/ui/helpids.h"
#include "shell/ui/bitmapbutton.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace telvio {

Cv24v25::Cv24v25(const PageContext &context, QWidget *parent)
    : SettingsPropertyPage(PageId::Serial, serialtext::kTitle, context, parent),
      m_logic(std::make_unique<SerialSettingsLogic>(Session(), Prompt()))
{
    Bind(*m_logic);
    auto *group = new QGroupBox(serialtext::kGroup, this);
    auto *framing = new QGroupBox(serialtext::kFramingGroup, group);
    auto *flow = new QGroupBox(serialtext::kFlowGroup, group);

    auto makeList = [this](SerialField field, QWidget *parent, QGridLayout *grid, int row) {
        auto *list = new QComboBox(parent);
        list->addItems(SerialSettingsForm::Items(field));
        list->setCurrentIndex(-1);
        SetHelpId(list, SerialSettingsForm::ControlId(field));
        auto *label = new QLabel(SerialSettingsForm::Label(field), parent);
        label->setBuddy(list);
        grid->addWidget(label, row, 0);
        grid->addWidget(list, row, 1);
        m_lists[size_t(field)] = list;
        connect(list, &QComboBox::activated, this, [this, field] { OnListChosen(field); });
    };

    auto *framingGrid = new QGridLayout(framing);
    makeList(SerialField::DataBits, framing, framingGrid, 0);
    makeList(SerialField::StopBits, framing, framingGrid, 1);
    makeList(SerialField::Parity, framing, framingGrid, 2);
    framingGrid->setColumnStretch(1, 1);

    auto *flowGrid = new QGridLayout(flow);
    makeList(SerialField::DceByDte, flow, flowGrid, 0);
    makeList(SerialField::DteByDce, flow, flowGrid, 1);
    flowGrid->setColumnStretch(1, 1);
    flowGrid->setRowStretch(2, 1);

    auto *rateGrid = new QGridLayout;
    makeList(SerialField::DteRate, group, rateGrid, 0);
    rateGrid->setColumnStretch(2, 1);

    auto *lineGrid = new QGridLayout;
    makeList(SerialField::Dcd, group, lineGrid, 0);
    makeList(SerialField::Dtr, group, lineGrid, 1);
    makeList(SerialField::Dsr, group, lineGrid, 2);
    makeList(SerialField::ResponseFormat, group, lineGrid, 3);
    makeList(SerialField::Echo, group, lineGrid, 4);
    makeList(SerialField::Suppression, group, lineGrid, 5);
    m_note = new QLabel(serialtext::kSuppressionNote, group);
    m_note->setWordWrap(true);
    lineGrid->addWidget(m_note, 6, 1, 1, 2);
    lineGrid->setColumnStretch(2, 1);

    auto *boxes = new QHBoxLayout;
    boxes->addWidget(framing, 1);
    boxes->addWidget(flow, 1);

    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(rateGrid);
    groupLayout->addLayout(boxes);
    groupLayout->addLayout(lineGrid);

    m_read = new BitmapButton(BitmapButton::Read, serialtext::kRead, this);
    m_write = new BitmapButton(BitmapButton::Write, serialtext::kWrite, this);
    SetHelpId(m_read, helpids::kSerialRead);
    SetHelpId(m_write, helpids::kSerialWrite);
    for (BitmapButton *b : {m_read, m_write})
        b->setMinimumWidth(100);
    connect(m_read, &QPushButton::clicked, this, [this] { RunCommand(SerialCommand::Read); });
    connect(m_write, &QPushButton::clicked, this, [this] { RunCommand(SerialCommand::Write); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_read);
    buttons->addWidget(m_write);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->addStretch(1);

    ShowForm();
}

Cv24v25::~Cv24v25() = default;

QPushButton *Cv24v25::ReadButton() const
{
    return m_read;
}

QPushButton *Cv24v25::WriteButton() const
{
    return m_write;
}

void Cv24v25::OnListChosen(SerialField field)
{
    // Only the list the user chose in: the others already are in the form,
    // and may hold what a read running under this click has just found.
    m_logic->form.List(field).current = List(field)->currentIndex();
    RunCommand(SerialCommand::ListChosen);
}

void Cv24v25::ShowForm()
{
    const SerialSettingsForm &f = m_logic->form;
    for (SerialField field : kSerialFields)
        ShowList(List(field), f.List(field), f.tooltips, serialtext::kTooltipWidth);
    ShowButton(m_read, f.read, f.tooltips, serialtext::kTooltipWidth);
    ShowButton(m_write, f.write, f.tooltips, serialtext::kTooltipWidth);
}

} // namespace telvio
