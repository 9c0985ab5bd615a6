#include "pages/ui/basicpage.h"

#include "pages/ui/basicdialogs.h"
#include "pages/ui/formbinding.h"
#include "shell/ui/helpids.h"
#include "shell/core/tooltipwidths.h"
#include "shell/ui/bitmapbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace telvio {

Cconfig::Cconfig(const PageContext &context, QWidget *parent)
    : SettingsPropertyPage(PageId::Basic, basictext::kTitle, context, parent),
      m_dialogs(std::make_unique<BasicPageDialogs>(this, context.main, context.session->Comm())),
      m_logic(std::make_unique<BasicLogic>(Session(), Prompt(), *m_dialogs, *m_dialogs, *m_dialogs))
{
    Bind(*m_logic);
    Build();
    SetHelpIds();
    ShowForm();
}

Cconfig::~Cconfig() = default;

// ---------------------------------------------------------------------------
// Building

namespace {

QPushButton *Button(QWidget *parent)
{
    return new QPushButton(parent);
}

QLabel *Label(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

QWidget *Cconfig::BuildLeft()
{
    auto *column = new QWidget(this);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *security = new QGroupBox(basictext::kSecurityGroup, column);
    auto *securityRow = new QHBoxLayout(security);
    m_w.enterPin = Button(security);
    m_w.changePin = Button(security);
    m_w.activatePin = Button(security);
    for (QPushButton *b : {m_w.enterPin, m_w.changePin, m_w.activatePin})
        securityRow->addWidget(b);
    layout->addWidget(security);

    auto *call = new QGroupBox(basictext::kCallGroup, column);
    auto *callRow = new QHBoxLayout(call);
    m_w.rings = new QLineEdit(call);
    LimitEdit(m_w.rings, m_logic->form.rings);
    m_w.rings->setMaximumWidth(60);
    callRow->addWidget(Label(basictext::kRingsLabel, m_w.rings, call));
    callRow->addWidget(m_w.rings);
    callRow->addStretch(1);
    layout->addWidget(call);

    m_w.autoPinGroup = new QGroupBox(basictext::kAutoPinGroup, column);
    auto *autoPinRow = new QHBoxLayout(m_w.autoPinGroup);
    m_w.autoPin = new QCheckBox(m_w.autoPinGroup);
    m_w.autoPinCode = new QLineEdit(m_w.autoPinGroup);
    LimitEdit(m_w.autoPinCode, m_logic->form.autoPinCode);
    m_w.autoPinCode->setMaximumWidth(60);
    autoPinRow->addWidget(m_w.autoPin);
    autoPinRow->addWidget(Label(basictext::kPinLabel, m_w.autoPinCode, m_w.autoPinGroup));
    autoPinRow->addWidget(m_w.autoPinCode);
    autoPinRow->addStretch(1);
    layout->addWidget(m_w.autoPinGroup);

    auto *reset = new QGroupBox(basictext::kResetGroup, column);
    auto *resetGrid = new QGridLayout(reset);
    resetGrid->setHorizontalSpacing(4);
    m_w.reset = new QCheckBox(reset);
    m_w.resetDelay = new QLineEdit(reset);
    LimitEdit(m_w.resetDelay, m_logic->form.resetDelay);
    m_w.timeToReset = new QLineEdit(reset);
    m_w.timeToReset->setReadOnly(true);
    m_w.resetNow = Button(reset);
    for (QWidget *w : {static_cast<QWidget *>(m_w.resetDelay), static_cast<QWidget *>(m_w.timeToReset)})
        w->setFixedWidth(56);
    resetGrid->addWidget(m_w.reset, 0, 0, 1, 2);
    resetGrid->addWidget(Label(basictext::kDelayLabel, m_w.resetDelay, reset), 1, 0);
    resetGrid->addWidget(m_w.resetDelay, 1, 1);
    QLabel *timeToResetLabel = Label(basictext::kTimeToResetLabel, m_w.timeToReset, reset);
    timeToResetLabel->setWordWrap(true); // the column is narrow; wrap rather than cut
    resetGrid->addWidget(timeToResetLabel, 2, 0);
    resetGrid->addWidget(m_w.timeToReset, 2, 1);
    resetGrid->addWidget(Label(basictext::kCfunLabel, m_w.resetNow, reset), 3, 0);
    resetGrid->addWidget(m_w.resetNow, 3, 1);
    layout->addWidget(reset);

    auto *ledRow = new QVBoxLayout;
    ledRow->setSpacing(2);
    m_w.statusLed = new QComboBox(column);
    ledRow->addWidget(Label(basictext::kStatusLedLabel, m_w.statusLed, column));
    ledRow->addWidget(m_w.statusLed);
    layout->addLayout(ledRow);
    layout->addStretch(1);
    return column;
}

QWidget *Cconfig::BuildRight()
{
    auto *column = new QWidget(this);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    // The captions and the items are both long: each caption stands above
    // its list so that neither is cut.
    auto *data = new QGroupBox(basictext::kDataGroup, column);
    auto *dataGrid = new QGridLayout(data);
    dataGrid->setVerticalSpacing(2);
    auto addList = [&](QComboBox *&list, const QString &label, int row) {
        list = new QComboBox(data);
        dataGrid->addWidget(Label(label, list, data), 2 * row, 0);
        dataGrid->addWidget(list, 2 * row + 1, 0);
    };
    addList(m_w.bearerSpeed, basictext::kBearerSpeedLabel, 0);
    addList(m_w.bearerCe, basictext::kBearerCeLabel, 1);
    addList(m_w.compression, basictext::kCompressionLabel, 2);
    addList(m_w.errorCorrection, basictext::kErrorCorrectionLabel, 3);
    layout->addWidget(data);

    auto *dtr = new QGroupBox(basictext::kDtrGroup, column);
    auto *dtrLayout = new QVBoxLayout(dtr);
    m_w.dtrEvent = new QComboBox(dtr);
    auto *dtrButtons = new QHBoxLayout;
    m_w.dtrActivate = Button(dtr);
    m_w.dtrDeactivate = Button(dtr);
    m_w.dtrTest = Button(dtr);
    for (QPushButton *b : {m_w.dtrActivate, m_w.dtrDeactivate, m_w.dtrTest})
        dtrButtons->addWidget(b);
    dtrLayout->addWidget(m_w.dtrEvent);
    dtrLayout->addLayout(dtrButtons);
    layout->addWidget(dtr);

    auto *actions = new QVBoxLayout;
    auto *factory = new QGroupBox(basictext::kFactoryGroup, column);
    auto *factoryRow = new QHBoxLayout(factory);
    m_w.factory = Button(factory);
    factoryRow->addWidget(m_w.factory);
    m_w.embeddedAppGroup = new QGroupBox(basictext::kEmbeddedAppGroup, column);
    auto *appRow = new QHBoxLayout(m_w.embeddedAppGroup);
    m_w.embeddedApp = Button(m_w.embeddedAppGroup);
    appRow->addWidget(m_w.embeddedApp);
    // Side by side the two group titles would be cut: one above the other.
    actions->addWidget(factory);
    actions->addWidget(m_w.embeddedAppGroup);
    layout->addLayout(actions);

    m_w.read = new BitmapButton(BitmapButton::Read, QString(), column);
    m_w.write = new BitmapButton(BitmapButton::Write, QString(), column);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (BitmapButton *b : {m_w.read, m_w.write}) {
        b->setMinimumWidth(100);
        buttons->addWidget(b);
    }
    layout->addStretch(1);
    layout->addLayout(buttons);
    return column;
}

void Cconfig::SetHelpIds()
{
    using namespace helpids;
    const std::pair<QWidget *, int> ids[] = {
        {m_w.enterPin, kEnterPin}, {m_w.changePin, kChangePin}, {m_w.activatePin, kActivatePin},
        {m_w.rings, kRings}, {m_w.autoPin, kAutoPin}, {m_w.autoPinCode, kAutoPinCode},
        {m_w.reset, kReset}, {m_w.resetDelay, kResetDelay}, {m_w.timeToReset, kTimeToReset},
        {m_w.resetNow, kResetNow}, {m_w.bearerSpeed, kBearerSpeed}, {m_w.bearerCe, kBearerCe},
        {m_w.compression, kCompression}, {m_w.errorCorrection, kErrorCorrection}, {m_w.dtrEvent, kDtrEvent},
        {m_w.dtrActivate, kDtrActivate}, {m_w.dtrDeactivate, kDtrDeactivate}, {m_w.dtrTest, kDtrTest},
        {m_w.factory, kFactory}, {m_w.embeddedApp, kEmbeddedApp}, {m_w.statusLed, kStatusLed},
        {m_w.read, kBasicRead}, {m_w.write, kBasicWrite},
    };
    for (const auto &[control, id] : ids)
        SetHelpId(control, id);
}

void Cconfig::Build()
{
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(BuildLeft(), 1);
    layout->addWidget(BuildRight(), 1);

    auto click = [this](QPushButton *button, BasicCommand command) {
        connect(button, &QPushButton::clicked, this, [this, command] { Run(command); });
    };
    click(m_w.enterPin, BasicCommand::EnterPin);
    click(m_w.changePin, BasicCommand::ChangePin);
    click(m_w.activatePin, BasicCommand::ActivatePin);
    click(m_w.resetNow, BasicCommand::ResetNow);
    click(m_w.dtrActivate, BasicCommand::DtrActivate);
    click(m_w.dtrDeactivate, BasicCommand::DtrDeactivate);
    click(m_w.dtrTest, BasicCommand::DtrTest);
    click(m_w.factory, BasicCommand::Factory);
    click(m_w.embeddedApp, BasicCommand::EmbeddedApp);
    click(m_w.read, BasicCommand::Read);
    click(m_w.write, BasicCommand::Write);

    auto edited = [this](QLineEdit *edit, EditState BasicForm::*state, BasicCommand command) {
        connect(edit, &QLineEdit::textEdited, this, [=] { OnEdited(edit, state, command); });
    };
    edited(m_w.rings, &BasicForm::rings, BasicCommand::RingsEdited);
    edited(m_w.autoPinCode, &BasicForm::autoPinCode, BasicCommand::AutoPinCodeEdited);
    edited(m_w.resetDelay, &BasicForm::resetDelay, BasicCommand::ResetDelayEdited);

    auto chosen = [this](QComboBox *list, ListState BasicForm::*state, BasicCommand command) {
        connect(list, &QComboBox::activated, this, [=] { OnChosen(list, state, command); });
    };
    chosen(m_w.bearerSpeed, &BasicForm::bearerSpeed, BasicCommand::BearerSpeedChosen);
    chosen(m_w.bearerCe, &BasicForm::bearerCe, BasicCommand::BearerCeChosen);
    chosen(m_w.compression, &BasicForm::compression, BasicCommand::CompressionChosen);
    chosen(m_w.errorCorrection, &BasicForm::errorCorrection, BasicCommand::ErrorCorrectionChosen);
    chosen(m_w.dtrEvent, &BasicForm::dtrEvent, BasicCommand::DtrEventChosen);
    chosen(m_w.statusLed, &BasicForm::statusLed, BasicCommand::StatusLedChosen);

    auto checked = [this](QCheckBox *check, CheckState BasicForm::*state, BasicCommand command) {
        connect(check, &QCheckBox::clicked, this, [=] { OnChecked(check, state, command); });
    };
    checked(m_w.autoPin, &BasicForm::autoPin, BasicCommand::AutoPinToggled);
    checked(m_w.reset, &BasicForm::reset, BasicCommand::ResetToggled);
}

// ---------------------------------------------------------------------------
// The user's edits into the form, one control at a time: the others are in
// the form already, and may hold what a read running under this very edit
// has just found.

void Cconfig::OnEdited(QLineEdit *edit, EditState BasicForm::*state, BasicCommand command)
{
    (m_logic->form.*state).text = edit->text();
    Run(command);
}

void Cconfig::OnChosen(QComboBox *list, ListState BasicForm::*state, BasicCommand command)
{
    (m_logic->form.*state).current = list->currentIndex();
    Run(command);
}

void Cconfig::OnChecked(QCheckBox *check, CheckState BasicForm::*state, BasicCommand command)
{
    (m_logic->form.*state).checked = check->isChecked();
    Run(command);
}

void Cconfig::ShowForm()
{
    const BasicForm &f = m_logic->form;
    const bool tips = f.tooltips;
    const int width = TooltipWidth(PageId::Basic);
    ShowButton(m_w.enterPin, f.enterPin, tips, width);
    ShowButton(m_w.changePin, f.changePin, tips, width);
    ShowButton(m_w.activatePin, f.activatePin, tips, width);
    ShowEdit(m_w.rings, f.rings, tips, width);
    ShowGroup(m_w.autoPinGroup, f.autoPinGroup);
    ShowCheck(m_w.autoPin, f.autoPin, tips);
    ShowEdit(m_w.autoPinCode, f.autoPinCode, tips, width);
    ShowCheck(m_w.reset, f.reset, tips);
    ShowEdit(m_w.resetDelay, f.resetDelay, tips, width);
    ShowText(m_w.timeToReset, f.timeToReset, tips);
    ShowButton(m_w.resetNow, f.resetNow, tips, width);
    ShowList(m_w.bearerSpeed, f.bearerSpeed, tips, width);
    ShowList(m_w.bearerCe, f.bearerCe, tips, width);
    ShowList(m_w.compression, f.compression, tips, width);
    ShowList(m_w.errorCorrection, f.errorCorrection, tips, width);
    ShowList(m_w.dtrEvent, f.dtrEvent, tips, width);
    ShowButton(m_w.dtrActivate, f.dtrActivate, tips, width);
    ShowButton(m_w.dtrDeactivate, f.dtrDeactivate, tips, width);
    ShowButton(m_w.dtrTest, f.dtrTest, tips, width);
    ShowButton(m_w.factory, f.factory, tips, width);
    ShowGroup(m_w.embeddedAppGroup, f.embeddedAppGroup);
    ShowButton(m_w.embeddedApp, f.embeddedApp, tips, width);
    ShowList(m_w.statusLed, f.statusLed, tips, width);
    ShowButton(m_w.read, f.read, tips, width);
    ShowButton(m_w.write, f.write, tips, width);
}

} // namespace telvio
