#pragma once

#include "pages/core/pageslayer.h"

#include "pages/core/ioform.h"
#include "pages/core/settingspage.h"

#include <functional>

namespace telvio {

// Every notification the I/O page's controls send; the row commands name
// their row (0 to 9).
enum class IoCommand {
    Edited,
    Read,
    Write,
    SaveParameters,
    SaveEnable,
    EditEntry,
    ClearEntry,
    SaveEntry,
    ClearAll,
};

// What an I/O write sends besides the entries.
struct IoWriteParts {
    bool parameters = false;
    bool enable = false;
    int firstEntry = 0;
    int lastEntry = 0;
};

// The number that names entry k (0 to 9) in "AT*WIOL": the modem numbers
// its entries 1 to 10 in the query as in the set form, and prints that
// number in the keys of its answer ("IO1_Service="); a query of 0 is
// refused.
constexpr int IoEntryNumber(int k) { return k + 1; }

// What the I/O page (`Cio`) does, on its form: the trigger parameters
// ("AT*WIOP"), ten I/O entries ("AT*WIOL") and remote I/O access
// ("AT*WIOE") through the session's I/O record. The entries' data fields
// are not on the page: the entry dialog edits them in the record.
//
// Its lifecycle choices: a read fills the record and shows it; activation
// reads on its own (a failure disables the controls); the Read button
// enables the controls first and settles the pending read.
class IoLogic : public SettingsPage<2736> {
public:
    IoLogic(ModemSession &session, Prompter &prompts);

    IoForm form = IoForm::Initial();
    // Opens the entry dialog for entry k on the record; the page shows the
    // record again whatever it returns. Unset: nothing opens.
    std::function<void(int k)> editEntry;

    // The change hook first, then the control's own handling. False only
    // for a transfer that failed or was refused (the user has been told).
    bool Command(IoCommand command, int row = 0);

    bool ReadFromModem() override;
    // Everything: the parameters, the enable state and all ten entries.
    bool WriteToModem() override;
    bool WriteToModem(const IoWriteParts &parts);
    // A Save button's write: data that cannot be sent is refused with a
    // message naming its entry and field; a failed write says so.
    bool Save(const IoWriteParts &parts);
    void ControlsToRecord(IoRecord &record) override;
    void RecordToControls(const IoRecord &record) override;
    void EnableControls(bool on) override;
    QString ValidateSettings() const override;

    // The entry k of the record emptied: service, retry and priority 0,
    // time "0", no data.
    static void ClearEntry(IoRecord &record, int k);
    // The set command of entry k, or empty when a data field cannot be
    // sent (`problem` then says which).
    static QByteArray EntryCommand(const IoRecord &record, int k, QString *problem = nullptr);

protected:
    void ResetForm() override { form = IoForm::Initial(); }
    void DisableWhileOffline() override;
    void SetTooltips(bool on) override { form.tooltips = on; }
    void AfterCreate() override { RecordToControls(PageRecord()); }
    QString ReadFailedText() const override { return iopagetext::kReadFailed; }
    QString WriteFailedText() const override { return iopagetext::kWriteFailed; }

private:
    bool ReadSteps(TransferFrame &frame);
    QString CheckEntries(int first, int last) const;
};

} // namespace telvio
