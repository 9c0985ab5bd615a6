#pragma once

#include "shell/ui/uilayer.h"

#include "link/core/connectionlogic.h"
#include "link/core/modemsession.h"
#include "shell/ui/propertypage.h"

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;

namespace telvio {

class BitmapButton;
class WaitDialog;

// The Connection page: the port and its line settings, and the link
// procedures the page and the Connection menu share (ExecuteCommand). The
// procedures live in ConnectionLogic; the page shows its form.
class Cserial : public PropertyPage {
    Q_OBJECT
public:
    // Indices of ExecuteCommand.
    enum Command {
        CmdAutoconnect = ConnectionLogic::CmdAutoconnect,
        CmdConnect = ConnectionLogic::CmdConnect,
        CmdDisconnect = ConnectionLogic::CmdDisconnect,
        CmdOpen = ConnectionLogic::CmdOpen
    };

    explicit Cserial(const PageContext &context, QWidget *parent = nullptr);
    ~Cserial() override;

    void ExecuteCommand(int index);
    void OnSetActive() override;
    // Selects the link's settings in the four line lists.
    void ShowPortSettings(const QString &baud, QChar parity, const QString &dataBits, const QString &stopBits);
    // Asks the session for the port list again.
    void FillPortList();
    // The port list is being opened: offer what is plugged in now.
    void RefreshPortList();
    // Tests run the search without a modal dialog.
    void SetWaitDialogRunner(WaitDialogRunner *runner);

    ConnectionLogic &Logic() { return *m_logic; }
    QComboBox *PortList() const { return m_port; }
    QComboBox *BaudList() const { return m_baud; }
    QComboBox *ParityList() const { return m_parity; }
    QComboBox *DataBitsList() const { return m_dataBits; }
    QComboBox *StopBitsList() const { return m_stopBits; }
    QPushButton *AutoconnectButton() const;
    QPushButton *ConnectButton() const;
    QPushButton *OpenButton() const;
    QPushButton *DisconnectButton() const;

private:
    void ShowForm();
    void TakeLists();
    void OnLineListChanged();
    void ApplyTooltips(bool on);
    void ApplyMenu();

    class Runner;
    std::unique_ptr<Runner> m_runner;
    std::unique_ptr<ConnectionLogic> m_logic;
    bool m_showing = false;

    QComboBox *m_port;
    QComboBox *m_baud;
    QComboBox *m_parity;
    QComboBox *m_dataBits;
    QComboBox *m_stopBits;
    BitmapButton *m_autoconnect;
    BitmapButton *m_connect;
    BitmapButton *m_disconnect;
    BitmapButton *m_open;
};

} // namespace telvio
