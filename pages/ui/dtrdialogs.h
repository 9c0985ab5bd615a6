#pragma once

#include "shell/ui/uilayer.h"

#include "pages/core/dtrlogic.h"

#include <QDialog>
#include <QPlainTextEdit>

class QLabel;
class QLineEdit;
class QPushButton;

namespace telvio {

// "Enable dial on DTR event": the number for phonebook entry 1.
class DialOnDtrDialog : public QDialog {
    Q_OBJECT
public:
    explicit DialOnDtrDialog(const QString &number, QWidget *parent = nullptr);
    QString Number() const;
    QLineEdit *NumberEdit() const { return m_number; }
    QPushButton *ActivateButton() const { return m_activate; }

private:
    QLineEdit *m_number;
    QPushButton *m_activate;
};

// The message edit of the SMS dialog, counted the way the modem will get
// it (SmsText): typing stops at 160 characters, Enter breaks the line while
// the text is shorter than that and never reaches the dialog.
class SmsMessageEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit SmsMessageEdit(QWidget *parent = nullptr);
    // Line breaks as CR LF.
    QString Message() const;
    void SetMessage(const QString &message);
    int Length() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    // What fits of `text` at the caret, the selection being replaced.
    void InsertFitting(const QString &text);
};

// "Enable SMS on DTR event": the number and the message for location 1
// of the message store.
class SmsOnDtrDialog : public QDialog {
    Q_OBJECT
public:
    SmsOnDtrDialog(const SmsOnDtr &sms, QWidget *parent = nullptr);
    SmsOnDtr Sms() const;
    QLineEdit *NumberEdit() const { return m_number; }
    SmsMessageEdit *MessageEdit() const { return m_message; }
    QLabel *Counter() const { return m_counter; }
    QPushButton *ActivateButton() const { return m_activate; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_number;
    SmsMessageEdit *m_message;
    QLabel *m_counter;
    QPushButton *m_activate;
};

} // namespace telvio
