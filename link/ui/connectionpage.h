#pragma once

#include "link/core/modemsession.h"
#include "shell/ui/propertypage.h"

#include <QList>

class QComboBox;
class QLabel;
class QPushButton;

namespace telvio {

// The Connection page: the port and its line settings, and the link
// procedures the page and the Connection menu share (ExecuteCommand).
class Cserial : public PropertyPage {
    Q_OBJECT
public:
    // Indices of ExecuteCommand.
    enum Command { CmdAutoconnect = 0, CmdConnect = 1, CmdDisconnect = 2, CmdOpen = 4 };

    explicit Cserial(const PageContext &context, QWidget *parent = nullptr);

    void ExecuteCommand(int index);
    void OnSetActive() override;
    // Selects the link's settings in the four line lists.
    void ShowPortSettings(const QString &baud, QChar parity, const QString &dataBits, const QString &stopBits);
    // Asks the session for the port list again.
    void FillPortList();

    QComboBox *PortList() const { return m_port; }
    QComboBox *BaudList() const { return m_baud; }
    QComboBox *ParityList() const { return m_parity; }
    QComboBox *DataBitsList() const { return m_dataBits; }
    QComboBox *StopBitsList() const { return m_stopBits; }
    QPushButton *OpenButton() const { return m_open; }
    QPushButton *DisconnectButton() const { return m_disconnect; }

private:
    void Open();
    void Disconnect();
    void OnLineListChanged();
    void ApplyTooltips(bool on);
    void SetMenu(int position, int id, bool enable);
    void SetBarConnected(bool on);
    QChar SelectedParity() const;

    QList<PortEntry> m_ports;
    QComboBox *m_port;
    QComboBox *m_baud;
    QComboBox *m_parity;
    QComboBox *m_dataBits;
    QComboBox *m_stopBits;
    QPushButton *m_open;
    QPushButton *m_disconnect;
    QLabel *m_openText;
    QLabel *m_disconnectText;
};

} // namespace telvio
