#pragma once

#include "shell/ui/uilayer.h"

#include "pages/core/smslogic.h"
#include "pages/ui/settingspropertypage.h"

#include <memory>

class QComboBox;
class QLineEdit;

namespace telvio {

class BitmapButton;

// The SMS page: the service centre address and the preferred message
// format. Everything it does lives in SmsLogic; the page shows the logic's
// form and hands the user's edits and clicks back.
class Csms : public SettingsPropertyPage {
    Q_OBJECT
public:
    explicit Csms(const PageContext &context, QWidget *parent = nullptr);
    ~Csms() override;

    SmsLogic &Logic() { return *m_logic; }
    QLineEdit *ServiceCentre() const { return m_serviceCentre; }
    QComboBox *Format() const { return m_format; }
    BitmapButton *ReadButton() const { return m_read; }
    BitmapButton *WriteButton() const { return m_write; }

private:
    void ShowForm() override;

    std::unique_ptr<SmsLogic> m_logic;
    QLineEdit *m_serviceCentre = nullptr;
    QComboBox *m_format = nullptr;
    BitmapButton *m_read = nullptr;
    BitmapButton *m_write = nullptr;
};

} // namespace telvio
