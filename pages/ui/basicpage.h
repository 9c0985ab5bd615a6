#pragma once

#include "shell/ui/uilayer.h"

#include "pages/core/basiclogic.h"
#include "pages/ui/settingspropertypage.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace telvio {

class BasicPageDialogs;
class BitmapButton;

// The Basic page: the modem's general settings, the SIM PIN buttons and the
// DTR event functions. Everything it does lives in BasicLogic; the page
// shows the logic's form and hands the user's edits and clicks back.
class Cconfig : public SettingsPropertyPage {
    Q_OBJECT
public:
    // The page's controls, for the sheet's tests and the help.
    struct Controls {
        QPushButton *enterPin = nullptr;
        QPushButton *changePin = nullptr;
        QPushButton *activatePin = nullptr;
        QLineEdit *rings = nullptr;
        QGroupBox *autoPinGroup = nullptr;
        QCheckBox *autoPin = nullptr;
        QLineEdit *autoPinCode = nullptr;
        QCheckBox *reset = nullptr;
        QLineEdit *resetDelay = nullptr;
        QLineEdit *timeToReset = nullptr;
        QPushButton *resetNow = nullptr;
        QComboBox *bearerSpeed = nullptr;
        QComboBox *bearerCe = nullptr;
        QComboBox *compression = nullptr;
        QComboBox *errorCorrection = nullptr;
        QComboBox *dtrEvent = nullptr;
        QPushButton *dtrActivate = nullptr;
        QPushButton *dtrDeactivate = nullptr;
        QPushButton *dtrTest = nullptr;
        QPushButton *factory = nullptr;
        QGroupBox *embeddedAppGroup = nullptr;
        QPushButton *embeddedApp = nullptr;
        QComboBox *statusLed = nullptr;
        BitmapButton *read = nullptr;
        BitmapButton *write = nullptr;
    };

    explicit Cconfig(const PageContext &context, QWidget *parent = nullptr);
    ~Cconfig() override;

    BasicLogic &Logic() { return *m_logic; }
    const Controls &Widgets() const { return m_w; }

private:
    void Build();
    void SetHelpIds();
    QWidget *BuildLeft();
    QWidget *BuildRight();
    void OnEdited(QLineEdit *edit, EditState BasicForm::*state, BasicCommand command);
    void OnChosen(QComboBox *list, ListState BasicForm::*state, BasicCommand command);
    void OnChecked(QCheckBox *check, CheckState BasicForm::*state, BasicCommand command);
    void Run(BasicCommand command) { SettingsPropertyPage::Run(*m_logic, command); }
    void ShowForm() override;

    std::unique_ptr<BasicPageDialogs> m_dialogs;
    std::unique_ptr<BasicLogic> m_logic;
    Controls m_w;
};

} // namespace telvio
