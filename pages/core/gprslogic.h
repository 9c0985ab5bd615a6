#pragma once

#include "pages/core/pageslayer.h"

#include "pages/core/gprsactions.h"
#include "pages/core/gprsform.h"
#include "pages/core/gprsparsers.h"
#include "pages/core/settingspage.h"

#include <QStringList>

namespace telvio {

// Every notification the GPRS page's controls send.
enum class GprsCommand {
    Edited,      // an edit or an address field changed
    ListChosen,  // a list selection
    Read,
    Write,
    Change,         // attach or detach
    Activate,       // the IP stack's context
    ContextConnect, // a TCP session of the IP stack
    GprsConnect,
    Ping,
    Start,
    Stop,
};

// What the GPRS page (`Cgprs`) does, on its form: the access and TCP
// socket settings in whichever command set the modem speaks, the attach
// state, and the page's actions.
//
// Its lifecycle choices: a read fills the record, shows it, and the
// snapshot then holds the values as the controls normalise them (the delay
// to 20 ms steps), so a read alone never counts as an edit; activation
// reads on its own; showing a profile clears `modified`; the Read button
// settles a pending read.
class GprsLogic : public SettingsPage<544> {
public:
    GprsLogic(ModemSession &session, Prompter &prompts, PingDialogs &pingDialogs);

    GprsForm form = GprsForm::Initial();
    // Page state shared with the actions: a GPRS connection the modem
    // reported, the IP stack's context, a TCP session opened from the page.
    bool gprsConnected = false;
    bool contextActive = false;
    bool tcpSessionOpen = false;
    // Fields a read's successful answers did not hold (the command line's
    // names for them).
    QStringList unreadFields;

    // The change hook first, then the control's own handling. False for a
    // Read or Write that failed (the user has been told) and for an action
    // the modem did not do.
    bool Command(GprsCommand command);

    void Activate() override;
    bool ReadFromModem() override;
    // Every value goes out even when the modem refuses one; the result is
    // true only when it took them all.
    bool WriteToModem() override;
    QString ValidateSettings() const override;
    void ControlsToRecord(GprsSettingsRecord &record) override;
    void RecordToControls(const GprsSettingsRecord &record) override;
    void EnableControls(bool on) override;

    GprsCommandSet CommandSet() const { return m_session.Traits().gprs; }
    GprsActions &Actions() { return m_actions; }

    // After an action changed the record: modified while it differs from
    // the snapshot.
    void CompareWithSnapshot();
    // The GPRS button and Ping as a connection leaves them.
    void ShowGprsConnected(bool connected);
    // The Activate button and its label as the context leaves them.
    void ShowContextActive();

protected:
    void ResetForm() override;
    void DisableWhileOffline() override;
    void SetTooltips(bool on) override { form.tooltips = on; }
    void AfterCreate() override;
    QString ReadFailedText() const override { return gprspagetext::kReadFailed; }
    QString WriteFailedText() const override { return gprspagetext::kWriteFailed; }

private:
    bool ReadSteps(TransferFrame &frame);
    bool ReadPlainApn();
    void ShowGroupsForFirmware();

    PingDialogs &m_pingDialogs;
    GprsActions m_actions;
};

} // namespace telvio
