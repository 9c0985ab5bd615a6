#pragma once

#include "link/core/settingsrecord.h"
#include "pages/core/pageframe.h"
#include "pages/core/v24v25form.h"
#include "pages/core/v24v25parsers.h"

namespace telvio {

class ModemSession;
class Prompter;

// Every notification the Serial page's controls send.
enum class SerialCommand { ListChosen, Read, Write };

// What the Serial page (`Cv24v25`) does, on its form: reading the modem's
// V.24/V.25 settings from its profile dump, writing them back, and keeping
// the PC's port in step with every rate or framing the page reads or writes,
// so that the link survives the change.
class V24v25Logic {
public:
    V24v25Logic(ModemSession &session, Prompter &prompts);

    V24v25Form form = V24v25Form::Initial();
    // The fields the last read could not take from the modem's profile
    // dump (a dump cut short or mangled, a value that names no item). The
    // page itself shows the lists as ever: such a list keeps its selection.
    QList<SerialField> unreadFields;

    // --- the page window ------------------------------------------------
    // The window is made (when the page is first shown after being added).
    void Create();
    bool Created() const { return m_created; }
    // Each time the page is shown.
    void Activate();
    // The page was taken out of the page set; the next showing makes the
    // window anew.
    void Reset();

    // A notification from a control: the change hook first, then the
    // control's own handling. False only for a Read or Write that failed
    // (the user has been told).
    bool Command(SerialCommand command);

    // --- the page operations --------------------------------------------
    // Fills the lists from the modem; the record is left alone.
    bool ReadFromModem();
    bool WriteToModem();
    void ControlsToRecord(SerialSettingsRecord &record);
    void RecordToControls(const SerialSettingsRecord &record);
    void TakeSnapshot() { m_tracker.TakeSnapshot(); }
    // All twelve lists and Write; Read stays as it is.
    void EnableControls(bool on);
    void ChangeHook();

    const SerialSettingsRecord &Snapshot() const { return m_tracker.Snapshot(); }

    bool ReadButton();
    bool WriteButton();

private:
    bool ReadSteps();
    bool WriteSteps();
    void ShowDump(const SerialDump &dump);
    void NoteUnread(const SerialDump &dump);
    // The PC port takes the parity the modem's framing names.
    void FollowModemParity();
    int Line(const QByteArray &command);

    ModemSession &m_session;
    Prompter &m_prompts;
    RecordTracker<80> m_tracker;
    bool m_created = false;
};

} // namespace telvio
