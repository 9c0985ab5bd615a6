#include "pages/ui/dtrdialogs.h"

#include "pages/core/smstext.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

namespace telvio {

namespace {

// Activate (the default) and Cancel.
QDialogButtonBox *ActivateCancel(QDialog *dialog, QPushButton **activate)
{
    auto *buttons = new QDialogButtonBox(dialog);
    *activate = buttons->addButton(QStringLiteral("Activate"), QDialogButtonBox::AcceptRole);
    (*activate)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QLabel *Note(const QString &text, QWidget *parent)
{
    auto *note = new QLabel(text, parent);
    note->setWordWrap(true);
    return note;
}

bool IsEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

// ---------------------------------------------------------------------------

DialOnDtrDialog::DialOnDtrDialog(const QString &number, QWidget *parent)
    : QDialog(parent), m_number(new QLineEdit(number, this))
{
    setWindowTitle(QStringLiteral("Enable dial on DTR event"));
    m_number->setMaxLength(DtrDialogs::kDialNumberLength);
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Number"), this), 0, 0);
    grid->addWidget(m_number, 0, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(Note(
        QStringLiteral("The number will be stored in first location of the SIM phonebook. [+CPBS], [+CPBW]"), this));
    layout->addWidget(ActivateCancel(this, &m_activate));
}

QString DialOnDtrDialog::Number() const
{
    return m_number->text();
}

// ---------------------------------------------------------------------------

SmsMessageEdit::SmsMessageEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
}

QString SmsMessageEdit::Message() const
{
    return SmsText::FromEditText(toPlainText());
}

void SmsMessageEdit::SetMessage(const QString &message)
{
    setPlainText(SmsText::ToEditText(message));
}

int SmsMessageEdit::Length() const
{
    return SmsText::LengthOfEditText(toPlainText());
}

void SmsMessageEdit::keyPressEvent(QKeyEvent *event)
{
    if (IsEnter(event)) {
        // A break while there is room for it; at the limit nothing, and
        // in neither case does Enter confirm the dialog.
        if (SmsText::EnterInserts(Length()))
            textCursor().insertText(QStringLiteral("\n"));
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (printable) {
        InsertFitting(typed);
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void SmsMessageEdit::insertFromMimeData(const QMimeData *source)
{
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    InsertFitting(text);
}

void SmsMessageEdit::InsertFitting(const QString &text)
{
    QTextCursor cursor = textCursor();
    const int replaced = SmsText::LengthOfEditText(cursor.selection().toPlainText());
    int room = SmsText::Room(Length() - replaced);
    QString fitting;
    for (const QChar c : text) {
        const int cost = c == QLatin1Char('\n') ? 2 : 1;
        if (cost > room)
            break;
        if (c != QLatin1Char('\n') && !c.isPrint())
            continue;
        fitting += c;
        room -= cost;
    }
    if (!fitting.isEmpty() || cursor.hasSelection())
        cursor.insertText(fitting);
    setTextCursor(cursor);
}

// ---------------------------------------------------------------------------

SmsOnDtrDialog::SmsOnDtrDialog(const SmsOnDtr &sms, QWidget *parent)
    : QDialog(parent),
      m_number(new QLineEdit(sms.number, this)),
      m_message(new SmsMessageEdit(this)),
      m_counter(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Enable SMS on DTR event"));
    m_number->setMaxLength(DtrDialogs::kSmsNumberLength);
    m_number->installEventFilter(this);
    m_message->SetMessage(sms.message);
    m_counter->setText(QString::number(m_message->Length()));
    connect(m_message, &QPlainTextEdit::textChanged, this,
            [this] { m_counter->setText(QString::number(m_message->Length())); });

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Number"), this), 0, 0);
    grid->addWidget(m_number, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Message (Max 160 Characters)"), this), 1, 0, 1, 4);
    grid->addWidget(m_message, 2, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Length:"), this), 3, 0);
    grid->addWidget(m_counter, 3, 1);
    grid->setColumnStretch(3, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(
        Note(QStringLiteral("The message will be stored in first location of the Message stack. [+CMGW]"), this));
    layout->addWidget(ActivateCancel(this, &m_activate));
}

SmsOnDtr SmsOnDtrDialog::Sms() const
{
    return SmsOnDtr{m_number->text(), m_message->Message()};
}

bool SmsOnDtrDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the number goes on to the message instead of confirming.
    if (watched == m_number && event->type() == QEvent::KeyPress && IsEnter(static_cast<QKeyEvent *>(event))) {
        m_message->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace telvio
