#pragma once

#include "pages/core/pageslayer.h"

#include "link/core/modemsession.h"
#include "pages/core/gprsform.h"
#include "pages/core/gprsparsers.h"
#include "shell/core/prompter.h"

namespace telvio {

class GprsLogic;

// The Ping dialog as plain state: the address, the number of pings and
// the delay between them.
struct PingForm {
    AddressState address;
    EditState count;
    EditState delay;
    bool addressShown = false; // false: the address boxes are empty
};

// The Ping dialog's logic (`PingDialog`): it reads the modem's ping
// settings when it opens and writes them on OK only when they changed.
class PingDialog {
public:
    static inline const QString kTitle = QStringLiteral("Ping");

    explicit PingDialog(ModemSession &session);

    PingForm form;

    // The dialog opening: "AT*WPINGCONFIG?". A failed read leaves the
    // fields empty.
    void Initialise();
    // OK: "AT*WPINGCONFIG=..." when any value differs from what was read
    // (always, when nothing was). The dialog closes as accepted whatever
    // came of it.
    void Accept();

    bool ConfigRead() const { return m_read; }
    // What the fields hold, as numbers.
    PingConfig Fields() const;
    // -1 nothing written (unchanged, or no transfer possible), else the
    // write's exchange result.
    int WriteResult() const { return m_written; }

private:
    ModemSession &m_session;
    PingConfig m_kept;
    bool m_read = false;
    int m_written = -1;
};

// Runs the Ping dialog modally on its logic (already initialised): true
// when it was closed with OK, the form holding what the user left in it.
class PingDialogs {
public:
    virtual ~PingDialogs() = default;
    virtual bool RunPing(PingDialog &dialog) = 0;
};

// The GPRS page's buttons that make the modem do something at once. Each
// runs one short transfer in the common frame and shows its outcome on the
// page; each returns whether the modem did what was asked.
class GprsActions {
public:
    GprsActions(ModemSession &session, Prompter &prompts, GprsLogic &page);

    bool Change();
    bool Activate();
    bool ContextConnect();
    bool GprsConnect();
    // Opens the dialog; on OK sends "AT*WPING" and does not wait: the
    // results arrive later as ordinary modem output.
    bool Ping(PingDialogs &dialogs);
    bool Start();
    bool Stop();

private:
    bool SimpleCommand(const char *command);
    void ShowAnswerInTerminal(const QByteArray &answer, const QByteArray &from);

    ModemSession &m_session;
    Prompter &m_prompts;
    GprsLogic &m_page;
};

} // namespace telvio
