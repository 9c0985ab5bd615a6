#include "pages/ui/smspage.h"

#include "pages/core/smstext.h"
#include "pages/ui/dtrdialogs.h"
#include "pages/ui/formbinding.h"
#include "shell/ui/bitmapbutton.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace telvio {

Csms::Csms(const PageContext &context, QWidget *parent)
    : SettingsPropertyPage(PageId::Sms, smspagetext::kTitle, context, parent),
      m_logic(std::make_unique<SmsLogic>(Session(), Prompt()))
{
    Bind(*m_logic);
    auto *sendGroup = new QGroupBox(smspagetext::kSendGroup, this);
    auto *sendGrid = new QGridLayout(sendGroup);
    m_number = new QLineEdit(sendGroup);
    SetHelpId(m_number, 1498);
    LimitEdit(m_number, m_logic->form.number);
    m_message = new SmsMessageEdit(sendGroup);
    SetHelpId(m_message, 1496);
    m_message->setFixedHeight(m_message->fontMetrics().lineSpacing() * 4 + 12);
    m_message->installEventFilter(this);
    m_length = new QLabel(m_logic->form.length.text, sendGroup);
    SetHelpId(m_length, 1618);
    m_send = new QPushButton(m_logic->form.send.caption, sendGroup);
    SetHelpId(m_send, 1500);
    m_send->setMinimumWidth(100);
    auto *numberLabel = new QLabel(smspagetext::kNumber, sendGroup);
    numberLabel->setBuddy(m_number);
    auto *messageLabel = new QLabel(smspagetext::kMessage, sendGroup);
    messageLabel->setBuddy(m_message);
    auto *lengthRow = new QHBoxLayout;
    lengthRow->addWidget(new QLabel(smspagetext::kLengthCaption, sendGroup));
    lengthRow->addWidget(m_length);
    lengthRow->addWidget(new QLabel(smspagetext::kLengthLimit, sendGroup));
    lengthRow->addStretch(1);
    auto *sendRow = new QHBoxLayout;
    sendRow->addWidget(new QLabel(smspagetext::kSendNote, sendGroup));
    sendRow->addStretch(1);
    sendRow->addWidget(m_send);
    sendGrid->addWidget(numberLabel, 0, 0);
    sendGrid->addWidget(m_number, 0, 1);
    sendGrid->addWidget(messageLabel, 1, 0, Qt::AlignTop);
    sendGrid->addWidget(m_message, 1, 1);
    sendGrid->addLayout(lengthRow, 2, 1);
    sendGrid->addLayout(sendRow, 3, 0, 1, 2);
    sendGrid->setColumnStretch(1, 1);
    connect(m_number, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_logic->form.number.text = text;
        Run(*m_logic, SmsCommand::Edited);
    });
    connect(m_message, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_message->Message();
        if (text == m_logic->form.message.text)
            return;
        m_logic->form.message.text = text;
        Run(*m_logic, SmsCommand::Edited);
    });
    connect(m_send, &QPushButton::clicked, this, [this] { Run(*m_logic, SmsCommand::Send); });

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
    layout->addWidget(sendGroup);
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
    ShowEdit(m_number, f.number, f.tooltips, width);
    if (m_message->Message() != f.message.text) {
        const QSignalBlocker quiet(m_message);
        m_message->SetMessage(f.message.text);
    }
    ShowControl(m_message, f.message, f.tooltips, width);
    m_length->setText(f.length.text);
    ShowButton(m_send, f.send, f.tooltips, width);
    ShowEdit(m_serviceCentre, f.serviceCentre, f.tooltips, width);
    ShowList(m_format, f.format, f.tooltips, width);
    ShowButton(m_read, f.read, f.tooltips, width);
    ShowButton(m_write, f.write, f.tooltips, width);
}

bool Csms::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_message || event->type() != QEvent::KeyPress)
        return SettingsPropertyPage::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (SmsText::EnterInserts(m_message->Length())) {
        // The break goes in before the selection, which stays selected.
        QTextCursor cursor = m_message->textCursor();
        const int start = cursor.selectionStart();
        const int end = cursor.selectionEnd();
        const bool caretAtEnd = cursor.position() == end;
        QTextCursor insert(m_message->document());
        insert.setPosition(start);
        insert.insertText(QStringLiteral("\n"));
        cursor.setPosition(caretAtEnd ? start + 1 : end + 1);
        cursor.setPosition(caretAtEnd ? end + 1 : start + 1, QTextCursor::KeepAnchor);
        m_message->setTextCursor(cursor);
        m_message->ensureCursorVisible();
    }
    return true;
}

} // namespace telvio
