#pragma once

#include "pages/core/pageslayer.h"

#include "link/core/settingsrecord.h"
#include "pages/core/pageframe.h"
#include "pages/core/settingspage.h"
#include "pages/core/serialsettingsform.h"
#include "pages/core/serialsettingsparsers.h"

namespace telvio {

class ModemSession;
class Prompter;

// Every notification the Serial page's controls send.
enum class SerialCommand { ListChosen, Read, Write };

// What the Serial page (`Cv24v25`) does, on its form: reading the modem's
// V.24/V.25 settings from its profile dump, writing them back, and keeping
// the PC's port in step with every rate or framing the page reads or writes,
// so that the link survives the change.
//
// Its lifecycle choices: a read fills the lists, which are then copied into
// the record; activation reads on its own and reports a failure only while
// the link is up; creation also clears `modified`; presses during another
// transfer are ignored; a write settles a pending read.
class SerialSettingsLogic : public SettingsPage<80> {
public:
    SerialSettingsLogic(ModemSession &session, Prompter &prompts);

    SerialSettingsForm form = SerialSettingsForm::Initial();
    // The fields the last read could not take from the modem's profile
    // dump (a dump cut short or mangled, a value that names no item). The
    // page itself shows the lists as ever: such a list keeps its selection.
    QList<SerialField> unreadFields;

    // A notification from a control: the change hook first, then the
    // control's own handling. False only for a Read or Write that failed
    // (the user has been told).
    bool Command(SerialCommand command);

    // --- the page operations --------------------------------------------
    // Fills the lists from the modem; the record is left alone.
    bool ReadFromModem() override;
    bool WriteToModem() override;
    void ControlsToRecord(SerialSettingsRecord &record) override;
    void RecordToControls(const SerialSettingsRecord &record) override;
    // All twelve lists and Write; Read stays as it is.
    void EnableControls(bool on) override;

protected:
    void ResetForm() override { form = SerialSettingsForm::Initial(); }
    void DisableWhileOffline() override;
    void SetTooltips(bool on) override { form.tooltips = on; }
    QString ReadFailedText() const override;
    QString WriteFailedText() const override;

private:
    bool ReadSteps();
    bool WriteSteps();
    void ShowDump(const SerialDump &dump);
    void NoteUnread(const SerialDump &dump);
    // The PC port takes the parity the modem's framing names.
    void FollowModemParity();
    int Line(const QByteArray &command);
};

} // namespace telvio
