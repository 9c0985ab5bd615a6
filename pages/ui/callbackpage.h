#pragma once

#include "shell/ui/uilayer.h"

#include "pages/core/callbacklogic.h"
#include "pages/ui/settingspropertypage.h"

#include <array>
#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace telvio {

// The widgets of one callback table row.
struct CallbackRowWidgets {
    QLineEdit *number = nullptr;
    QLineEdit *password = nullptr;
    QPushButton *clear = nullptr;
    QPushButton *save = nullptr;
};

// The Callback page: the Pike-3's secure callback settings. Everything it
// does lives in CallbackLogic; the page shows the logic's form and hands
// the user's edits and clicks back.
class CSCallback : public SettingsPropertyPage {
    Q_OBJECT
public:
    explicit CSCallback(const PageContext &context, QWidget *parent = nullptr);
    ~CSCallback() override;

    CallbackLogic &Logic() { return *m_logic; }
    QComboBox *Control() const { return m_control; }
    QPushButton *SaveControl() const { return m_saveControl; }
    QLineEdit *Delay() const { return m_delay; }
    QPushButton *SaveDelay() const { return m_saveDelay; }
    const CallbackRowWidgets &Row(int k) const { return m_rows[size_t(k)]; }
    QPushButton *ReadButton() const { return m_read; }
    QPushButton *SaveAll() const { return m_saveAll; }

private:
    void ShowForm() override;
    void Do(CallbackCommand command, int entry = 0);

    std::unique_ptr<CallbackLogic> m_logic;
    QComboBox *m_control = nullptr;
    QPushButton *m_saveControl = nullptr;
    QLineEdit *m_delay = nullptr;
    QPushButton *m_saveDelay = nullptr;
    std::array<CallbackRowWidgets, 3> m_rows;
    QPushButton *m_read = nullptr;
    QPushButton *m_saveAll = nullptr;
};

} // namespace telvio
