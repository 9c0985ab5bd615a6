#include "pages/ui/iopage.h"

#include "link/core/modemsession.h"
#include "pages/ui/compactlayout.h"
#include "pages/ui/formbinding.h"
#include "pages/ui/ioentrydialog.h"
#include "shell/ui/bitmapbutton.h"

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

Cio::Cio(const PageContext &context, QWidget *parent)
    : SettingsPropertyPage(PageId::Io, iopagetext::kTitle, context, parent),
      m_logic(std::make_unique<IoLogic>(Session(), Prompt()))
{
    using namespace iopagetext;
    Bind(*m_logic);
    m_logic->editEntry = [this](int k) { OpenEntryDialog(k); };
    const IoForm &f = m_logic->form;

    auto makeList = [this](const ListState &state, int id, QWidget *parent) {
        auto *list = new QComboBox(parent);
        list->addItems(state.items);
        list->setCurrentIndex(-1);
        SetHelpId(list, id);
        return list;
    };
    // `text` names the form's text of the edit, so the logic sees the typed
    // text before its change hook runs.
    auto makeEdit = [this](const EditState &state, int id, QWidget *parent, std::function<QString &()> text) {
        auto *edit = new QLineEdit(parent);
        LimitEdit(edit, state);
        SetHelpId(edit, id);
        connect(edit, &QLineEdit::textEdited, this, [this, text](const QString &typed) {
            text() = typed;
            Do(IoCommand::Edited);
        });
        return edit;
    };
    auto makeButton = [this](const QString &caption, int id, QWidget *parent, IoCommand command, int row) {
        auto *button = new QPushButton(caption, parent);
        SetHelpId(button, id);
        connect(button, &QPushButton::clicked, this, [this, command, row] { Do(command, row); });
        return button;
    };

    // The list of entries takes the sheet's whole width and most of its
    // height; the other groups pack around it: the trigger parameters above
    // in two columns (pulse times left, the three lists right), the enable
    // group beside Read and Write below.
    auto *parameters = new QGroupBox(kParametersGroup, this);
    auto *pg = new QGridLayout(parameters);
    pg->setContentsMargins(8, 4, 8, 4);
    pg->setVerticalSpacing(2);
    m_tp = makeEdit(f.tp, 1562, parameters, [this]() -> QString & { return m_logic->form.tp.text; });
    m_tc = makeEdit(f.tc, 1560, parameters, [this]() -> QString & { return m_logic->form.tc.text; });
    compact::NarrowEdit(m_tp);
    compact::NarrowEdit(m_tc);
    pg->addWidget(new QLabel(kPulseCaption, parameters), 0, 0, 1, 5);
    pg->addWidget(new QLabel(kTp, parameters), 1, 0);
    pg->addWidget(m_tp, 1, 1);
    pg->addWidget(new QLabel(kTc, parameters), 1, 2);
    pg->addWidget(m_tc, 1, 3);
    struct ParameterList {
        QComboBox **list;
        ListState IoForm::*state;
        QString caption;
        int id;
    };
    const ParameterList lists[] = {{&m_trigType, &IoForm::trigType, kTrigType, 1420},
                                   {&m_trigLevel, &IoForm::trigLevel, kTrigLevel, 1558},
                                   {&m_outputCtrl, &IoForm::outputCtrl, kOutputCtrl, 1380}};
    int pr = 0;
    for (const ParameterList &l : lists) {
        *l.list = makeList(f.*l.state, l.id, parameters);
        const auto state = l.state;
        connect(*l.list, &QComboBox::activated, this, [this, state](int index) {
            (m_logic->form.*state).current = index;
            Do(IoCommand::Edited);
        });
        pg->addWidget(new QLabel(l.caption, parameters), pr, 6);
        pg->addWidget(*l.list, pr, 7);
        ++pr;
    }
    m_saveParameters = makeButton(f.saveParameters.caption, 1310, parameters, IoCommand::SaveParameters, 0);
    pg->addWidget(m_saveParameters, 2, 0, 1, 4, Qt::AlignLeft);
    pg->setColumnStretch(4, 1);
    pg->setColumnMinimumWidth(5, 8);

    // The ten entries, one row each from the same description.
    auto *entries = new QGroupBox(kListGroup, this);
    auto *eg = new QGridLayout(entries);
    eg->setContentsMargins(8, 4, 8, 4);
    eg->setVerticalSpacing(2);
    eg->setHorizontalSpacing(4);
    const QString columns[] = {kServiceColumn, kRetryColumn, kTimeColumn, kPriorityColumn};
    for (int c = 0; c < 4; ++c)
        eg->addWidget(new QLabel(columns[c], entries), 0, c + 1, Qt::AlignBottom);
    for (int k = 0; k < int(m_rows.size()); ++k) {
        const IoRowForm &rf = f.rows[size_t(k)];
        const IoRowIds &ids = kIoRowIds[size_t(k)];
        IoRowWidgets &w = m_rows[size_t(k)];
        w.service = makeList(rf.service, ids.service, entries);
        w.retry = makeList(rf.retry, ids.retry, entries);
        w.time = makeEdit(rf.time, ids.time, entries,
                          [this, k]() -> QString & { return m_logic->form.rows[size_t(k)].time.text; });
        w.priority = makeList(rf.priority, ids.priority, entries);
        w.edit = makeButton(rf.edit.caption, ids.edit, entries, IoCommand::EditEntry, k);
        w.clear = makeButton(rf.clear.caption, ids.clear, entries, IoCommand::ClearEntry, k);
        w.save = makeButton(rf.save.caption, ids.save, entries, IoCommand::SaveEntry, k);
        compact::NarrowEdit(w.time);
        for (QPushButton *b : {w.edit, w.clear, w.save})
            compact::SnugButton(b);
        using RowList = ListState IoRowForm::*;
        for (auto [list, state] : {std::pair<QComboBox *, RowList>{w.service, &IoRowForm::service},
                                   std::pair<QComboBox *, RowList>{w.retry, &IoRowForm::retry},
                                   std::pair<QComboBox *, RowList>{w.priority, &IoRowForm::priority}}) {
            connect(list, &QComboBox::activated, this, [this, k, state](int index) {
                (m_logic->form.rows[size_t(k)].*state).current = index;
                Do(IoCommand::Edited);
            });
        }
        const int row = k + 1;
        eg->addWidget(new QLabel(rf.label, entries), row, 0);
        eg->addWidget(w.service, row, 1);
        eg->addWidget(w.retry, row, 2);
        eg->addWidget(w.time, row, 3);
        eg->addWidget(w.priority, row, 4);
        eg->addWidget(w.edit, row, 5);
        eg->addWidget(w.clear, row, 6);
        eg->addWidget(w.save, row, 7);
    }
    m_clearAll = makeButton(f.clearAll.caption, 1284, entries, IoCommand::ClearAll, 0);
    compact::SnugButton(m_clearAll);
    const int last = int(m_rows.size()) + 1;
    eg->addWidget(new QLabel(kAllEntries, entries), last, 3, 1, 3, Qt::AlignRight);
    eg->addWidget(m_clearAll, last, 6);
    // Extra height goes below the rows, not between the captions and them.
    eg->setRowStretch(last + 1, 1);
    eg->setColumnStretch(8, 1);

    // Remote I/O access.
    auto *enable = new QGroupBox(kEnableGroup, this);
    auto *enableRow = new QHBoxLayout(enable);
    enableRow->setContentsMargins(8, 2, 8, 4);
    m_enable = makeList(f.enable, 1588, enable);
    connect(m_enable, &QComboBox::activated, this, [this](int index) {
        m_logic->form.enable.current = index;
        Do(IoCommand::Edited);
    });
    m_saveEnable = makeButton(f.saveEnable.caption, 1308, enable, IoCommand::SaveEnable, 0);
    enableRow->addWidget(m_enable);
    enableRow->addWidget(m_saveEnable);

    m_read = new BitmapButton(BitmapButton::Read, f.read.caption, this);
    m_write = new BitmapButton(BitmapButton::Write, f.write.caption, this);
    SetHelpId(m_read, 1306);
    SetHelpId(m_write, 1332);
    for (BitmapButton *b : {m_read, m_write})
        b->setMinimumWidth(100);
    connect(m_read, &QPushButton::clicked, this, [this] { Do(IoCommand::Read); });
    connect(m_write, &QPushButton::clicked, this, [this] { Do(IoCommand::Write); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(enable);
    buttons->addStretch(1);
    buttons->addWidget(m_read, 0, Qt::AlignBottom);
    buttons->addWidget(m_write, 0, Qt::AlignBottom);
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    layout->addWidget(parameters);
    layout->addWidget(entries);
    layout->addLayout(buttons);
    layout->addStretch(1);
    ShowForm();
}

Cio::~Cio() = default;

void Cio::Do(IoCommand command, int row)
{
    m_logic->Command(command, row);
    ShowForm();
}

void Cio::OpenEntryDialog(int k)
{
    IoEntryDialog dialog(Session().ioRecord, k, Session().options.tooltip == 1, this);
    dialog.exec();
}

void Cio::ShowForm()
{
    const IoForm &f = m_logic->form;
    const int width = iopagetext::kTooltipWidth;
    ShowEdit(m_tp, f.tp, f.tooltips, width);
    ShowEdit(m_tc, f.tc, f.tooltips, width);
    ShowList(m_trigType, f.trigType, f.tooltips, width);
    ShowList(m_trigLevel, f.trigLevel, f.tooltips, width);
    ShowList(m_outputCtrl, f.outputCtrl, f.tooltips, width);
    ShowButton(m_saveParameters, f.saveParameters, f.tooltips, width);
    for (size_t k = 0; k < m_rows.size(); ++k) {
        const IoRowForm &rf = f.rows[k];
        const IoRowWidgets &w = m_rows[k];
        ShowList(w.service, rf.service, f.tooltips, width);
        ShowList(w.retry, rf.retry, f.tooltips, width);
        ShowEdit(w.time, rf.time, f.tooltips, width);
        ShowList(w.priority, rf.priority, f.tooltips, width);
        ShowButton(w.edit, rf.edit, f.tooltips, width);
        ShowButton(w.clear, rf.clear, f.tooltips, width);
        ShowButton(w.save, rf.save, f.tooltips, width);
    }
    ShowButton(m_clearAll, f.clearAll, f.tooltips, width);
    ShowList(m_enable, f.enable, f.tooltips, width);
    ShowButton(m_saveEnable, f.saveEnable, f.tooltips, width);
    ShowButton(m_read, f.read, f.tooltips, width);
    ShowButton(m_write, f.write, f.tooltips, width);
}

} // namespace telvio
