#pragma once

#include "pages/core/basiclogic.h"
#include "shell/ui/propertypage.h"

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
class Cconfig : public PropertyPage {
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

    void OnSetActive() override;
    void ResetState() override;

    // Used by "Write Profile to modem", which makes this page active first.
    bool WriteToModem();
    void TakeSnapshot();

    BasicLogic &Logic() { return *m_logic; }
    const Controls &Widgets() const { return m_w; }

private:
    void Build();
    QWidget *BuildLeft();
    QWidget *BuildRight();
    void OnEdited(QLineEdit *edit, EditState BasicForm::*state, BasicCommand command);
    void OnChosen(QComboBox *list, ListState BasicForm::*state, BasicCommand command);
    void OnChecked(QCheckBox *check, CheckState BasicForm::*state, BasicCommand command);
    void Run(BasicCommand command);
    void ShowForm();

    std::unique_ptr<BasicPageDialogs> m_dialogs;
    std::unique_ptr<BasicLogic> m_logic;
    Controls m_w;
};

} // namespace telvio
