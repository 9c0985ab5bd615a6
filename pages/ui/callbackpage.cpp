#include "pages/ui/callbackpage.h"

#include "pages/ui/compactlayout.h"
#include "pages/ui/formbinding.h"
#include "shell/ui/helpids.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace telvio {

CSCallback::CSCallback(const PageContext &context, QWidget *parent)
    : SettingsPropertyPage(PageId::Callback, callbackpagetext::kTitle, context, parent),
      m_logic(std::make_unique<CallbackLogic>(Session(), Prompt()))
{
    using namespace callbackpagetext;
    Bind(*m_logic);
    const CallbackForm &f = m_logic->form;
    auto *group = new QGroupBox(kGroup, this);
    auto *grid = new QGridLayout(group);

    auto makeButton = [this](const QString &caption, QWidget *parent, CallbackCommand command, int entry) {
        auto *button = new QPushButton(caption, parent);
        connect(button, &QPushButton::clicked, this, [this, command, entry] { Do(command, entry); });
        return button;
    };
    // `text` names the form's text of the edit, so the logic sees the typed
    // text before its change hook runs.
    auto makeEdit = [this](const EditState &state, QWidget *parent, std::function<QString &()> text) {
        auto *edit = new QLineEdit(parent);
        LimitEdit(edit, state);
        connect(edit, &QLineEdit::textEdited, this, [this, text](const QString &typed) {
            text() = typed;
            Do(CallbackCommand::Edited);
        });
        return edit;
    };

    m_control = new QComboBox(group);
    m_control->addItems(f.control.items);
    m_control->setCurrentIndex(-1);
    connect(m_control, &QComboBox::activated, this, [this](int index) {
        m_logic->form.control.current = index;
        Do(CallbackCommand::Edited);
    });
    m_saveControl = makeButton(f.saveControl.caption, group, CallbackCommand::SaveControl, 0);
    // The items run to sixty characters, far wider than the sheet: closed
    // the list shows what fits, open it shows them whole.
    compact::ShrinkableList(m_control, 20);
    grid->addWidget(new QLabel(kControlCaption, group), 0, 0, 1, 4);
    grid->addWidget(m_control, 1, 0, 1, 4);
    grid->addWidget(m_saveControl, 1, 4);

    m_delay = makeEdit(f.delay, group, [this]() -> QString & { return m_logic->form.delay.text; });
    compact::NarrowEdit(m_delay);
    m_saveDelay = makeButton(f.saveDelay.caption, group, CallbackCommand::SaveDelay, 0);
    // The caption is wider than the entry rows' first columns: it and its
    // field take a row of their own across them.
    auto *delayRow = new QHBoxLayout;
    delayRow->addWidget(new QLabel(kDelayCaption, group));
    delayRow->addWidget(m_delay);
    delayRow->addStretch(1);
    grid->addLayout(delayRow, 2, 0, 1, 4);
    grid->addWidget(m_saveDelay, 2, 4);

    // The two column captions side by side are wider than their fields;
    // each breaks before its command.
    for (const auto &[caption, column] : {std::pair{kNumberColumn, 1}, std::pair{kPasswordColumn, 2}}) {
        auto *label = new QLabel(caption, group);
        label->setWordWrap(true);
        grid->addWidget(label, 3, column, Qt::AlignBottom);
    }
    for (int k = 0; k < int(m_rows.size()); ++k) {
        const CallbackEntryForm &e = f.entries[size_t(k)];
        CallbackRowWidgets &w = m_rows[size_t(k)];
        w.number = makeEdit(e.number, group,
                            [this, k]() -> QString & { return m_logic->form.entries[size_t(k)].number.text; });
        w.password = makeEdit(e.password, group,
                              [this, k]() -> QString & { return m_logic->form.entries[size_t(k)].password.text; });
        w.clear = makeButton(e.clear.caption, group, CallbackCommand::ClearEntry, k);
        w.save = makeButton(e.save.caption, group, CallbackCommand::SaveEntry, k);
        grid->addWidget(new QLabel(e.label, group), 4 + k, 0);
        grid->addWidget(w.number, 4 + k, 1);
        grid->addWidget(w.password, 4 + k, 2);
        grid->addWidget(w.clear, 4 + k, 3);
        grid->addWidget(w.save, 4 + k, 4);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    m_read = makeButton(f.read.caption, this, CallbackCommand::Read, 0);
    m_saveAll = makeButton(f.saveAll.caption, this, CallbackCommand::SaveAll, 0);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_read);
    buttons->addWidget(m_saveAll);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->addStretch(1);

    SetHelpId(m_control, helpids::kCallbackControl);
    SetHelpId(m_saveControl, helpids::kSaveControl);
    SetHelpId(m_delay, helpids::kCallbackDelay);
    SetHelpId(m_saveDelay, helpids::kSaveDelay);
    for (int k = 0; k < int(m_rows.size()); ++k) {
        const CallbackRowWidgets &w = m_rows[size_t(k)];
        SetHelpId(w.number, helpids::kCallbackNumber + k);
        SetHelpId(w.password, helpids::kCallbackPassword + k);
        SetHelpId(w.clear, helpids::kCallbackClear + k);
        SetHelpId(w.save, helpids::kCallbackSave + k);
    }
    SetHelpId(m_read, helpids::kCallbackRead);
    SetHelpId(m_saveAll, helpids::kSaveAll);
    ShowForm();
}

CSCallback::~CSCallback() = default;

void CSCallback::Do(CallbackCommand command, int entry)
{
    m_logic->Command(command, entry);
    ShowForm();
}

void CSCallback::ShowForm()
{
    const CallbackForm &f = m_logic->form;
    const int width = callbackpagetext::kTooltipWidth;
    ShowList(m_control, f.control, f.tooltips, width);
    ShowButton(m_saveControl, f.saveControl, f.tooltips, width);
    ShowEdit(m_delay, f.delay, f.tooltips, width);
    ShowButton(m_saveDelay, f.saveDelay, f.tooltips, width);
    for (size_t k = 0; k < m_rows.size(); ++k) {
        const CallbackEntryForm &e = f.entries[k];
        const CallbackRowWidgets &w = m_rows[k];
        ShowEdit(w.number, e.number, f.tooltips, width);
        ShowEdit(w.password, e.password, f.tooltips, width);
        ShowButton(w.clear, e.clear, f.tooltips, width);
        ShowButton(w.save, e.save, f.tooltips, width);
    }
    ShowButton(m_read, f.read, f.tooltips, width);
    ShowButton(m_saveAll, f.saveAll, f.tooltips, width);
}

} // namespace telvio
