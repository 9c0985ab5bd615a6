#include "pages/ui/ioentrydialog.h"

#include "pages/ui/formbinding.h"
#include "shell/ui/propertypage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace telvio {

IoEntryDialog::IoEntryDialog(IoRecord &record, int k, bool tooltips, QWidget *parent)
    : QDialog(parent), m_logic(record, k, tooltips)
{
    using namespace ioentrytext;
    IoEntryForm &f = m_logic.form;
    setWindowTitle(f.title);
    m_group = new QGroupBox(f.group.caption, this);
    SetHelpId(m_group, 1334);
    auto *grid = new QGridLayout(m_group);

    auto list = [this](ListState &state, int id, const QString &caption, int column) {
        auto *box = new QComboBox(m_group);
        box->addItems(state.items);
        SetHelpId(box, id);
        auto *label = new QLabel(caption, m_group);
        label->setBuddy(box);
        connect(box, &QComboBox::activated, this, [this, &state](int index) {
            state.current = index;
            Notified();
        });
        auto *layout = static_cast<QGridLayout *>(m_group->layout());
        layout->addWidget(label, 0, column);
        layout->addWidget(box, 1, column);
        return box;
    };
    m_service = list(f.service, 1466, kServiceCaption, 0);
    m_retry = list(f.retry, 1438, kRetryCaption, 1);
    m_time = new QLineEdit(m_group);
    LimitEdit(m_time, f.time);
    SetHelpId(m_time, 1536);
    connect(m_time, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_logic.form.time.text = text;
        Notified();
    });
    grid->addWidget(new QLabel(kTimeCaption, m_group), 0, 2);
    grid->addWidget(m_time, 1, 2);
    m_priority = list(f.priority, 1396, kPriorityCaption, 3);

    const int editIds[6] = {1336, 1338, 1340, 1342, 1344, 1346};
    const int labelIds[6] = {1228, 1230, 1232, 1234, 1236, 1238};
    for (int d = 0; d < 6; ++d) {
        QLabel *&label = m_dataLabels[size_t(d)];
        QLineEdit *&edit = m_data[size_t(d)];
        label = new QLabel(f.dataLabels[size_t(d)].text, m_group);
        SetHelpId(label, labelIds[d]);
        edit = new QLineEdit(m_group);
        LimitEdit(edit, f.data[size_t(d)]);
        SetHelpId(edit, editIds[d]);
        connect(edit, &QLineEdit::textEdited, this, [this, d](const QString &text) {
            m_logic.form.data[size_t(d)].text = text;
            Notified();
        });
        grid->addWidget(label, 2 + d, 0);
        grid->addWidget(edit, 2 + d, 1, 1, 3);
    }

    m_ok = new QPushButton(f.ok.caption, this);
    m_cancel = new QPushButton(f.cancel.caption, this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        Notified();
        m_logic.Store();
        accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        Notified();
        reject();
    });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    layout->addLayout(buttons);
    // What the edits were given, also the texts a field's limit would cut.
    for (int d = 0; d < 6; ++d)
        m_data[size_t(d)]->setText(f.data[size_t(d)].text);
    Notified();
}

IoEntryDialog::~IoEntryDialog() = default;

void IoEntryDialog::Notified()
{
    m_logic.ApplyService();
    ShowForm();
}

void IoEntryDialog::ShowForm()
{
    const IoEntryForm &f = m_logic.form;
    const int width = ioentrytext::kTooltipWidth;
    ShowGroup(m_group, f.group);
    ShowList(m_service, f.service, f.tooltips, width);
    ShowList(m_retry, f.retry, f.tooltips, width);
    ShowEdit(m_time, f.time, f.tooltips, width);
    ShowList(m_priority, f.priority, f.tooltips, width);
    for (size_t d = 0; d < m_data.size(); ++d) {
        m_dataLabels[d]->setText(f.dataLabels[d].text);
        ShowEdit(m_data[d], f.data[d], f.tooltips, width);
    }
}

} // namespace telvio
