#pragma once

#include "shell/ui/uilayer.h"

#include "pages/core/smslogic.h"
#include "pages/ui/settingspropertypage.h"

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace telvio {

class BitmapButton;
class SmsMessageEdit;

// The SMS page: a text message to send, the service centre address and the
// preferred message format. Everything it does lives in SmsLogic; the page shows the logic's
// form and hands the user's edits and clicks back.
class Csms : public SettingsPropertyPage {
    Q_OBJECT
public:
    explicit Csms(const PageContext &context, QWidget *parent = nullptr);
    ~Csms() override;

    SmsLogic &Logic() { return *m_logic; }
    QLineEdit *Number() const { return m_number; }
    SmsMessageEdit *Message() const { return m_message; }
    QLabel *Length() const { return m_length; }
    QPushButton *SendButton() const { return m_send; }
    QLineEdit *ServiceCentre() const { return m_serviceCentre; }
    QComboBox *Format() const { return m_format; }
    BitmapButton *ReadButton() const { return m_read; }
    BitmapButton *WriteButton() const { return m_write; }

protected:
    // Enter in the message field breaks the line while there is room for
    // it, and never reaches a button.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowForm() override;

    std::unique_ptr<SmsLogic> m_logic;
    QLineEdit *m_number = nullptr;
    SmsMessageEdit *m_message = nullptr;
    QLabel *m_length = nullptr;
    QPushButton *m_send = nullptr;
    QLineEdit *m_serviceCentre = nullptr;
    QComboBox *m_format = nullptr;
    BitmapButton *m_read = nullptr;
    BitmapButton *m_write = nullptr;
};

} // namespace telvio
