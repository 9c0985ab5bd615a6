#pragma once

#include "pages/core/pageslayer.h"

#include "link/core/settingsrecord.h"
#include "pages/core/basicform.h"
#include "pages/core/dtrlogic.h"
#include "pages/core/pageframe.h"
#include "pages/core/pinlogic.h"
#include "pages/core/settingspage.h"

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
//
// Its lifecycle choices: a read fills the record, which is then shown;
// activation reads through the Read button and, with nothing to read,
// counts edits left unwritten as modified again; a shown profile is
// compared at once; the Read button is quiet while pages are re-read after
// a connect.
class BasicLogic : public SettingsPage<80> {
public:
    BasicLogic(ModemSession &session, Prompter &prompts, PinDialogs &pinDialogs, DtrDialogs &dtrDialogs,
               DtrDropTimer &dropTimer);

    BasicForm form = BasicForm::Initial();
    // The fields the last read could not take from the modem's answers
    // ("rings", "bearerSpeed", ...: the command line's names for them): an
    // answer that ended in OK but held no value the page knows. The page
    // itself shows what its parsers made of such an answer, as ever.
    QStringList unreadFields;

    // A notification from a control. The change hook runs first, then the
    // control's own handling. The result is false only for a Read or Write
    // that failed (the user has been told).
    bool Command(BasicCommand command);

    // --- the page operations --------------------------------------------
    bool ReadFromModem() override;
    bool WriteToModem() override;
    QString ValidateSettings() const override;
    void ControlsToRecord(BasicSettingsRecord &record) override;
    void RecordToControls(const BasicSettingsRecord &record) override;
    void EnableControls(bool on) override;

    bool PinEnabled() const { return m_pin.pinEnabled; }
    PinLogic &Pin() { return m_pin; }
    DtrLogic &Dtr() { return m_dtr; }

    // --- the controls' handling -------------------------------------------
    void ResetToggled();
    void ResetNow();
    void EmbeddedApp();
    void Factory();

protected:
    void ResetForm() override { form = BasicForm::Initial(); }
    void DisableWhileOffline() override;
    void SetTooltips(bool on) override { form.tooltips = on; }
    void AfterCreate() override { ApplyModelDependence(); }
    QString ReadFailedText() const override;
    QString WriteFailedText() const override;

private:
    bool ReadSteps(TransferFrame &frame);
    // 1 written, 0 a step failed, -1 the store timed out (no restore then).
    int WriteSteps(TransferFrame &frame);
    void ApplyModelDependence();
    // Reset Now and the Embedded App button: ask, send, close the link.
    void ResetWith(const QByteArray &command);

    PinLogic m_pin;
    DtrLogic m_dtr;
};

} // namespace telvio
