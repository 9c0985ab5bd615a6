#pragma once

#include "link/core/settingsrecord.h"
#include "pages/core/basicform.h"
#include "pages/core/dtrlogic.h"
#include "pages/core/pageframe.h"
#include "pages/core/pinlogic.h"

#include <QString>
#include <QStringList>

namespace telvio {

class ModemSession;
class Prompter;

// Every notification the Basic page's controls send: a button, an edit
// change, a list selection, a check box.
enum class BasicCommand {
    EnterPin,
    ChangePin,
    ActivatePin,
    RingsEdited,
    AutoPinToggled,
    AutoPinCodeEdited,
    ResetToggled,
    ResetDelayEdited,
    ResetNow,
    BearerSpeedChosen,
    BearerCeChosen,
    CompressionChosen,
    ErrorCorrectionChosen,
    DtrEventChosen,
    DtrActivate,
    DtrDeactivate,
    DtrTest,
    Factory,
    EmbeddedApp,
    StatusLedChosen,
    Read,
    Write,
};

// What the Basic page (`Cconfig`) does, on its form: reading and writing
// the modem's basic settings through the session's Basic record, keeping
// record and controls in step, the page's one-shot actions, and the SIM
// PIN and DTR event groups it holds.
class BasicLogic {
public:
    BasicLogic(ModemSession &session, Prompter &prompts, PinDialogs &pinDialogs, DtrDialogs &dtrDialogs,
               DtrDropTimer &dropTimer);

    BasicForm form = BasicForm::Initial();
    // The fields the last read could not take from the modem's answers
    // ("rings", "bearerSpeed", ...: the command line's names for them): an
    // answer that ended in OK but held no value the page knows. The page
    // itself shows what its parsers made of such an answer, as ever.
    QStringList unreadFields;

    // --- the page window ------------------------------------------------
    // The window is made (when the page is first shown after being added).
    void Create();
    bool Created() const { return m_created; }
    // Each time the page is shown.
    void Activate();
    // The page was taken out of the page set; the next showing makes the
    // window anew.
    void Reset();

    // A notification from a control. The change hook runs first, then the
    // control's own handling. The result is false only for a Read or Write
    // that failed (the user has been told).
    bool Command(BasicCommand command);

    // --- the page operations --------------------------------------------
    bool ReadFromModem();
    bool WriteToModem();
    // Empty when the record may be written, else the message to show.
    QString ValidateSettings() const;
    void ControlsToRecord(BasicSettingsRecord &record);
    void RecordToControls(const BasicSettingsRecord &record);
    void TakeSnapshot() { m_tracker.TakeSnapshot(); }
    void EnableControls(bool on);

    // The change hook on its own.
    void ChangeHook();

    bool Unchanged() const { return m_tracker.Unchanged(); }
    const BasicSettingsRecord &Snapshot() const { return m_tracker.Snapshot(); }
    bool PinEnabled() const { return m_pin.pinEnabled; }
    PinLogic &Pin() { return m_pin; }
    DtrLogic &Dtr() { return m_dtr; }

    // --- the controls' handling -------------------------------------------
    bool ReadButton();
    bool WriteButton();
    void ResetToggled();
    void ResetNow();
    void EmbeddedApp();
    void Factory();

private:
    bool ReadSteps(TransferFrame &frame);
    // 1 written, 0 a step failed, -1 the store timed out (no restore then).
    int WriteSteps(TransferFrame &frame);
    void ApplyModelDependence();
    // Reset Now and the Embedded App button: ask, send, close the link.
    void ResetWith(const QByteArray &command);

    ModemSession &m_session;
    Prompter &m_prompts;
    RecordTracker<80> m_tracker;
    PinLogic m_pin;
    DtrLogic m_dtr;
    bool m_created = false;
};

} // namespace telvio
