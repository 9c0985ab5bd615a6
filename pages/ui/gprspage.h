#pragma once

#include "shell/ui/uilayer.h"

#include "pages/core/gprslogic.h"
#include "pages/ui/settingspropertypage.h"

#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace telvio {

class AddressField;
class BitmapButton;
class GprsPageDialogs;

// The GPRS page: GPRS access and TCP socket settings in the command set the
// modem speaks, the attach state and the page's actions. Everything it
// does lives in GprsLogic; the page shows the logic's form and hands the
// user's edits and clicks back.
class Cgprs : public SettingsPropertyPage {
    Q_OBJECT
public:
    // The page's controls, for the tests.
    struct Controls {
        QGroupBox *socketGroup = nullptr;
        QLabel *apnLabel = nullptr;
        QLineEdit *apn = nullptr;
        QLabel *userNameLabel = nullptr;
        QLineEdit *userName = nullptr;
        QLabel *passwordLabel = nullptr;
        QLineEdit *password = nullptr;
        QLabel *serverIpLabel = nullptr;
        AddressField *serverIp = nullptr;
        QLabel *portLabel = nullptr;
        QLineEdit *port = nullptr;
        QLabel *delayLabel = nullptr;
        QLineEdit *delay = nullptr;
        QLabel *autoConnectLabel = nullptr;
        QComboBox *autoConnect = nullptr;
        QLabel *connectionModeLabel = nullptr;
        QComboBox *connectionMode = nullptr;
        QLabel *clientIpLabel = nullptr;
        AddressField *clientIp = nullptr;
        QLabel *tcpStatusLabel = nullptr;
        QComboBox *tcpStatus = nullptr;
        QGroupBox *syncGroup = nullptr;
        QComboBox *syncMode = nullptr;
        QLineEdit *syncDelay = nullptr;
        QLineEdit *syncIdle = nullptr;
        QLabel *activateCaption = nullptr;
        QPushButton *activate = nullptr;
        QLabel *activateLabel = nullptr;
        QLabel *contextModeLabel = nullptr;
        QComboBox *contextMode = nullptr;
        QPushButton *contextConnect = nullptr;
        QGroupBox *attachGroup = nullptr;
        QComboBox *attachState = nullptr;
        QPushButton *change = nullptr;
        QGroupBox *gprsGroup = nullptr;
        QPushButton *gprsConnect = nullptr;
        QPushButton *ping = nullptr;
        QGroupBox *tcpGroup = nullptr;
        QPushButton *start = nullptr;
        QPushButton *stop = nullptr;
        BitmapButton *read = nullptr;
        BitmapButton *write = nullptr;
    };

    explicit Cgprs(const PageContext &context, QWidget *parent = nullptr);
    ~Cgprs() override;

    GprsLogic &Logic() { return *m_logic; }
    const Controls &Widgets() const { return m_w; }

private:
    void Build();
    void SetHelpIds();
    QLineEdit *Edit(QWidget *parent, EditState GprsForm::*state);
    QComboBox *List(QWidget *parent, ListState GprsForm::*state);
    AddressField *Address(QWidget *parent, AddressState GprsForm::*state);
    QPushButton *Button(QWidget *parent, ButtonState GprsForm::*state, GprsCommand command);
    void Run(GprsCommand command) { SettingsPropertyPage::Run(*m_logic, command); }
    void ShowForm() override;

    std::unique_ptr<GprsPageDialogs> m_dialogs;
    std::unique_ptr<GprsLogic> m_logic;
    Controls m_w;
};

} // namespace telvio
