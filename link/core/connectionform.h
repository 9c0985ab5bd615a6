#pragma once

#include "link/core/linklayer.h"

#include "link/core/portsettings.h"

#include <QChar>
#include <QString>
#include <QStringList>

namespace telvio {

// The Connection page as plain state: its five lists, its buttons and the
// Connection menu items it steers.
struct ConnectionForm {
    static const QStringList &BaudItems();
    static const QStringList &ParityItems();
    static const QStringList &DataBitsItems();
    static const QStringList &StopBitsItems();

    QStringList portLabels; // what the port list shows
    QStringList portPaths;  // the device behind each item
    int port = -1;
    int baud = 5;     // "9600"
    int parity = 0;   // "None"
    int dataBits = 1; // "8"
    int stopBits = 0; // "1"

    bool portListEnabled = true;
    bool autoconnectEnabled = true;
    bool connectEnabled = true;
    bool disconnectEnabled = false;
    bool openEnabled = true;
    QString connectCaption = QStringLiteral("Connect");
    QString disconnectCaption = QStringLiteral("Disconnect");
    bool tooltips = true;

    struct Menu {
        bool autoconnect = true;
        bool connect = true;
        bool disconnect = false;
        bool openPort = true;
        bool remote = true;
        bool closeProfile = false;
        bool writeProfile = false;
    } menu;

    QString PortPath() const { return port >= 0 && port < portPaths.size() ? portPaths.at(port) : QString(); }
    QString PortLabel() const { return port >= 0 && port < portLabels.size() ? portLabels.at(port) : QString(); }
    QString BaudText() const;
    QChar ParityLetter() const;
    // The four lists as port settings; a list with nothing chosen gives
    // its part of 9600 8N1.
    PortSettings Line() const;
    QString DataBitsText() const;
    QString StopBitsText() const;

    // Selects the item whose text is `text` (for parity: whose first letter
    // is `text`); leaves the selection alone when there is none.
    void SelectBaud(const QString &text);
    void SelectParity(QChar letter);
    void SelectDataBits(const QString &text);
    void SelectStopBits(const QString &text);
    void SelectPort(const QString &path);
};

} // namespace telvio
