#pragma once

#include "pages/core/pageslayer.h"

#include "pages/core/settingspage.h"
#include "pages/core/smsform.h"

#include <QStringList>

namespace telvio {

// Every notification the SMS page's controls send.
enum class SmsCommand { Edited, FormatChosen, Read, Write, Send };

// What the SMS page (`Csms`) does, on its form: reading and writing the
// service centre address and the preferred message format through the
// session's SMS record.
//
// Its lifecycle choices: a read fills the controls; activation reads on its
// own after enabling the controls, and with nothing to read counts edits
// left unwritten as modified again; showing a profile clears `modified`;
// after a failed read the controls do not count as settings until the next
// read.
class SmsLogic : public SettingsPage<264> {
public:
    SmsLogic(ModemSession &session, Prompter &prompts);

    SmsForm form = SmsForm::Initial();
    // The fields the last read could not take from the modem's answers
    // ("serviceCentre" when "AT+CSCA?" was refused or named no address, and
    // the page, as ever, keeps what it showed before; "format" likewise).
    QStringList unreadFields;

    // The change hook first, then the control's own handling. False only
    // for a Read or Write that failed (the user has been told).
    bool Command(SmsCommand command);

    // Only while connected and not busy; otherwise nothing is read and the
    // result is success, as the page has nothing new to show.
    bool ReadFromModem() override;
    bool WriteToModem() override;

    // The Send button: the message to the number, line by line at the text
    // prompt, then Ctrl-Z. 1 sent; 0 nothing sent or no answer (the
    // terminal says "Timeout"); anything else refused (the user is told).
    // A typed number and message are never unsaved settings afterwards.
    int Send();

    void ControlsToRecord(SmsRecord &record) override;
    void RecordToControls(const SmsRecord &record) override;
    void EnableControls(bool on) override;
    // A service centre address that would end its quoted AT argument early
    // (a quote, a line end, Ctrl-Z) can only come from a profile file.
    QString ValidateSettings() const override;

protected:
    void ResetForm() override { form = SmsForm::Initial(); }
    void DisableWhileOffline() override;
    void SetTooltips(bool on) override { form.tooltips = on; }
    void AfterCreate() override { m_pageValid = true; }
    bool TracksEdits() const override { return m_pageValid; }
    QString ReadFailedText() const override { return smspagetext::kReadFailed; }
    QString WriteFailedText() const override { return smspagetext::kWriteFailed; }

private:
    bool ReadSteps(TransferFrame &frame);
    int WriteSteps(TransferFrame &frame);
    int SendSteps();

    // Cleared by a failed read: the controls then show what the modem did
    // not confirm.
    bool m_pageValid = true;
};

} // namespace telvio
