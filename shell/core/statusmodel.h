#pragma once

#include "shell/core/shelllayer.h"

#include <QChar>
#include <QString>

namespace telvio {

class ModemSession;

// What the status panel shows for the session's state.
struct PanelFields {
    // Offline changes only the status and the model; the other fields keep
    // whatever they showed.
    enum class Mode { Connected, Offline, Closed };
    Mode mode = Mode::Closed;
    QString status, port, baud, parity, dataBits, stopBits, modem, sim;
    bool inputEnabled = false;
    bool outputTypable = false; // the terminal output takes typing
    bool spinEnabled = false;
};

PanelFields ComputePanelFields(const ModemSession &session);
QString ParityName(QChar letter);
QString SimStateText(int simStatus);

// The one-line status bar. It shows the product line until the first
// update; while a modem is connected it lists the pages changed but not
// written, and while none is, every update forgets those changes.
class StatusBarModel {
public:
    StatusBarModel();

    // Rebuilds the text from the session (and clears the session's four
    // `modified` flags when not connected).
    void Update(ModemSession &session);

    bool connected = false;
    bool showVersion = true;
    QString text;
};

} // namespace telvio
