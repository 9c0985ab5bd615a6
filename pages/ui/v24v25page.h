#pragma once

#include "shell/ui/uilayer.h"

#include "pages/core/serialsettingslogic.h"
#include "pages/ui/settingspropertypage.h"

#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;

namespace telvio {

class BitmapButton;

// The Serial page: the modem's V.24/V.25 interface settings. Everything it
// does lives in SerialSettingsLogic; the page shows the logic's form and hands the
// user's choices and clicks back.
class Cv24v25 : public SettingsPropertyPage {
    Q_OBJECT
public:
    explicit Cv24v25(const PageContext &context, QWidget *parent = nullptr);
    ~Cv24v25() override;

    SerialSettingsLogic &Logic() { return *m_logic; }
    QComboBox *List(SerialField field) const { return m_lists[size_t(field)]; }
    QPushButton *ReadButton() const;
    QPushButton *WriteButton() const;
    QLabel *Note() const { return m_note; }

private:
    void OnListChosen(SerialField field);
    void RunCommand(SerialCommand command) { Run(*m_logic, command); }
    void ShowForm() override;

    std::unique_ptr<SerialSettingsLogic> m_logic;
    std::array<QComboBox *, kSerialFieldCount> m_lists{};
    BitmapButton *m_read = nullptr;
    BitmapButton *m_write = nullptr;
    QLabel *m_note = nullptr;
};

} // namespace telvio
