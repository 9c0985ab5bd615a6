#pragma once

#include "shell/ui/uilayer.h"

#include "pages/core/iologic.h"
#include "pages/ui/settingspropertypage.h"

#include <array>
#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace telvio {

class BitmapButton;

// The widgets of one row of the I/O list.
struct IoRowWidgets {
    QComboBox *service = nullptr;
    QComboBox *retry = nullptr;
    QLineEdit *time = nullptr;
    QComboBox *priority = nullptr;
    QPushButton *edit = nullptr;
    QPushButton *clear = nullptr;
    QPushButton *save = nullptr;
};

// The I/O page: the Pike-3's trigger parameters, its ten I/O entries and
// remote I/O access. Everything it does lives in IoLogic; the page shows
// the logic's form, hands the user's edits and clicks back, and opens the
// entry dialog for a row's Edit.
class Cio : public SettingsPropertyPage {
    Q_OBJECT
public:
    explicit Cio(const PageContext &context, QWidget *parent = nullptr);
    ~Cio() override;

    IoLogic &Logic() { return *m_logic; }
    const IoRowWidgets &Row(int k) const { return m_rows[size_t(k)]; }
    QLineEdit *Tp() const { return m_tp; }
    QLineEdit *Tc() const { return m_tc; }
    QComboBox *TrigType() const { return m_trigType; }
    QComboBox *TrigLevel() const { return m_trigLevel; }
    QComboBox *OutputCtrl() const { return m_outputCtrl; }
    QPushButton *SaveParameters() const { return m_saveParameters; }
    QPushButton *ClearAll() const { return m_clearAll; }
    QComboBox *Enable() const { return m_enable; }
    QPushButton *SaveEnable() const { return m_saveEnable; }
    BitmapButton *ReadButton() const { return m_read; }
    BitmapButton *WriteButton() const { return m_write; }

private:
    void ShowForm() override;
    void OpenEntryDialog(int k);
    // A notification of a control: the logic handles it, the page shows
    // the outcome.
    void Do(IoCommand command, int row = 0);

    std::unique_ptr<IoLogic> m_logic;
    std::array<IoRowWidgets, 10> m_rows;
    QLineEdit *m_tp = nullptr;
    QLineEdit *m_tc = nullptr;
    QComboBox *m_trigType = nullptr;
    QComboBox *m_trigLevel = nullptr;
    QComboBox *m_outputCtrl = nullptr;
    QPushButton *m_saveParameters = nullptr;
    QPushButton *m_clearAll = nullptr;
    QComboBox *m_enable = nullptr;
    QPushButton *m_saveEnable = nullptr;
    BitmapButton *m_read = nullptr;
    BitmapButton *m_write = nullptr;
};

} // namespace telvio
