#pragma once

#include "pages/core/pageslayer.h"

#include "pages/core/callbackform.h"
#include "pages/core/settingspage.h"

#include <QStringList>

namespace telvio {

// Every notification the Callback page's controls send; the entry
// commands name their entry (0 to 2).
enum class CallbackCommand { Edited, Read, SaveControl, SaveDelay, SaveEntry, ClearEntry, SaveAll };

// What one save sends: the control item, the delay, and entries first to
// last (0 to 2; none when first > last).
struct CallbackSaveParts {
    bool control = false;
    bool delay = false;
    int firstEntry = 0;
    int lastEntry = -1;
};

// What the Callback page (`CSCallback`) does, on its form: secure callback
// ("AT*WCB"), its delay ("AT*WCBTIME", written only) and the table of
// three numbers ("AT*WCBTAB") with their passwords ("AT*WCBPWD").
//
// Its lifecycle choices: a read fills the controls; activation reads on
// its own (a failure disables the editing controls).
class CallbackLogic : public SettingsPage<184> {
public:
    CallbackLogic(ModemSession &session, Prompter &prompts);

    CallbackForm form = CallbackForm::Initial();
    // What the last read could not take from the modem's answers
    // ("control" when no item begins with the "WCB:" value; "numbers" or
    // "passwords" when an entry's keyword was missing). The page keeps what
    // it showed for them.
    QStringList unreadFields;

    // The change hook first, then the control's own handling. False only
    // for a transfer that failed or was refused (the user has been told).
    bool Command(CallbackCommand command, int entry = 0);

    bool ReadFromModem() override;
    // Save all.
    bool WriteToModem() override;
    bool WriteToModem(const CallbackSaveParts &parts);
    void ControlsToRecord(CallbackRecord &record) override;
    void RecordToControls(const CallbackRecord &record) override;
    void EnableControls(bool on) override;
    QString ValidateSettings() const override;

protected:
    void ResetForm() override { form = CallbackForm::Initial(); }
    void DisableWhileOffline() override;
    void SetTooltips(bool on) override { form.tooltips = on; }
    // The read leaves the delay alone (the modem is not asked for it): the
    // field starts from the record, else the first change hook would empty
    // it and a Save all would send "AT*WCBTIME=" with nothing.
    void AfterCreate() override { RecordToControls(PageRecord()); }
    QString ReadFailedText() const override { return callbackpagetext::kReadFailed; }
    QString WriteFailedText() const override { return callbackpagetext::kWriteFailed; }

private:
    bool ReadSteps(TransferFrame &frame);
    // The commands of a save, or none with `problem` set when a text cannot
    // be sent.
    QList<QByteArray> Commands(const CallbackSaveParts &parts, QString *problem) const;
    bool Save(const CallbackSaveParts &parts);
};

} // namespace telvio
