#pragma once

#include "pages/core/pageslayer.h"

#include "link/core/modemsession.h"
#include "pages/core/pageframe.h"
#include "shell/core/prompter.h"

#include <QString>

namespace telvio {

// How a page's life differs from the common one. Every settings page
// states its choices here, next to its own reasons, instead of keeping a
// copy of the lifecycle with a silent difference.
struct PageLifecycle {
    // Where a read leaves what it found: in the record (shown on the
    // controls afterwards) or on the controls (copied into the record).
    enum class ReadFills { Record, Controls };
    ReadFills readFills = ReadFills::Record;

    // Creation clears `modified` as well as setting `mustRead`.
    bool clearModifiedAtCreate = false;

    // Right after a loaded profile is shown the page compares record and
    // snapshot, so the activation that shows it already counts the page as
    // modified; otherwise the next change hook does.
    bool compareAfterProfile = false;

    // Showing a loaded profile also clears `modified` (the next change
    // hook sets it again against the zeroed snapshot).
    bool profileClearsModified = false;

    // What activation does when the page must read.
    enum class ActivationRead {
        // The Read button's action, then a snapshot.
        ReadButton,
        // A read of its own: a failure disables the controls and is told
        // only while the link is up and pages are not being re-read after
        // a connect; `mustRead` is cleared in any case.
        Own,
    };
    ActivationRead activationRead = ActivationRead::ReadButton;
    // Before its own read, activation enables the controls a failed read
    // had disabled.
    bool enableBeforeOwnRead = false;
    // When nothing is to be read, edits left unwritten count as modified
    // again.
    bool remarkModifiedWhenNotReading = true;

    // The Read button first enables the controls a failed read disabled.
    bool enableBeforeReadButton = false;
    // The Read button settles a pending read before it reads.
    bool readButtonClearsMustRead = false;

    // Read and Write presses that arrive while a transfer holds the link
    // (the exchanges keep serving the window) are ignored rather than
    // answered with a failure message.
    bool buttonsIgnoredWhileBusy = false;

    // The Read button stays silent about a failed read while the pages are
    // re-read after a connect (AutoLoad), as activation does.
    bool readButtonQuietWhileReReading = false;

    // A successful Write also settles a pending read: what is in the modem
    // now is what the page shows.
    bool writeClearsMustRead = false;
};

// A settings page's life as the property sheet and "Write Profile to
// modem" drive it, whatever the page.
class PageLogic {
public:
    virtual ~PageLogic() = default;
    // The window is made (when the page is first shown after being added).
    virtual void Create() = 0;
    virtual bool Created() const = 0;
    // Each time the page is shown.
    virtual void Activate() = 0;
    // The page was taken out of the page set; the next showing makes the
    // window anew.
    virtual void Reset() = 0;
    virtual bool ReadFromModem() = 0;
    virtual bool WriteToModem() = 0;
    virtual void TakeSnapshot() = 0;
    // Empty when the record may be written, else the message naming the
    // field that may not.
    virtual QString ValidateSettings() const { return QString(); }
    // The Read and Write buttons: false when the transfer failed (the user
    // has been told).
    virtual bool ReadButton() = 0;
    virtual bool WriteButton() = 0;
};

// The part of every settings page that is the same: creation, activation
// with a pending profile or a pending read, the change hook over the
// record's snapshot and the page's `modified` flag, and the Read and Write
// buttons with their messages. A page supplies its form, its read and write
// steps, the copies between record and controls, and its lifecycle choices.
template <int N>
class SettingsPage : public PageLogic {
public:
    using Record = SettingsRecord<N>;

    virtual ~SettingsPage() = default;

    // --- the page window ------------------------------------------------
    void Create() override
    {
        ResetForm();
        if (m_session.Offline())
            DisableWhileOffline();
        PageFlags &flags = m_tracker.Flags();
        flags.mustRead = true;
        if (m_lifecycle.clearModifiedAtCreate)
            flags.modified = false;
        m_tracker.ZeroSnapshot();
        SetTooltips(m_session.options.tooltip == 1);
        AfterCreate();
        m_created = true;
    }
    bool Created() const override { return m_created; }

    void Activate() override
    {
        if (!m_created)
            Create();
        PageFlags &flags = m_tracker.Flags();
        if (flags.profilePending) {
            // Against the zeroed snapshot the profile counts as modified
            // until it is written.
            m_tracker.ZeroSnapshot();
            RecordToControls(m_tracker.Record());
            flags.profilePending = false;
            if (m_lifecycle.profileClearsModified) {
                flags.modified = false;
                m_session.Host()->UpdateStatusBar();
            }
            flags.mustRead = false;
            if (m_lifecycle.compareAfterProfile)
                m_tracker.Compare();
        }
        if (!flags.mustRead) {
            if (m_lifecycle.remarkModifiedWhenNotReading)
                m_tracker.MarkModifiedIfChanged();
        } else if (m_lifecycle.activationRead == PageLifecycle::ActivationRead::ReadButton) {
            ReadButton();
            TakeSnapshot();
        } else {
            if (m_lifecycle.enableBeforeOwnRead)
                EnableControls(true);
            if (ReadFromModem()) {
                if (m_lifecycle.readFills == PageLifecycle::ReadFills::Controls)
                    ControlsToRecord(m_tracker.Record());
                TakeSnapshot();
            } else if (m_session.Connected()) {
                EnableControls(false);
                if (!m_session.ReReading())
                    m_prompts.Message(ReadFailedText());
            }
            flags.mustRead = false;
        }
        SetTooltips(m_session.options.tooltip == 1);
    }

    void Reset() override
    {
        ResetForm();
        m_created = false;
    }

    // --- the page operations --------------------------------------------
    virtual void ControlsToRecord(Record &record) = 0;
    virtual void RecordToControls(const Record &record) = 0;
    virtual void EnableControls(bool on) = 0;
    QString ValidateSettings() const override { return QString(); }

    void TakeSnapshot() override { m_tracker.TakeSnapshot(); }
    // Runs before the handling of every notification of the page's
    // controls.
    void ChangeHook()
    {
        if (TracksEdits())
            m_tracker.ChangeHook([this] { ControlsToRecord(m_tracker.Record()); });
    }
    bool Unchanged() const { return m_tracker.Unchanged(); }
    const Record &Snapshot() const { return m_tracker.Snapshot(); }

    // --- the buttons ----------------------------------------------------
    bool ReadButton() override
    {
        if (m_lifecycle.buttonsIgnoredWhileBusy && m_session.Busy())
            return false;
        const bool fillsRecord = m_lifecycle.readFills == PageLifecycle::ReadFills::Record;
        if (m_lifecycle.enableBeforeReadButton)
            EnableControls(true);
        if (m_lifecycle.readButtonClearsMustRead)
            m_tracker.Flags().mustRead = false;
        if (ReadFromModem()) {
            if (fillsRecord) {
                TakeSnapshot();
                RecordToControls(m_tracker.Record());
            } else {
                ControlsToRecord(m_tracker.Record());
                TakeSnapshot();
            }
            return true;
        }
        EnableControls(false);
        if (!(m_lifecycle.readButtonQuietWhileReReading && m_session.ReReading()))
            m_prompts.Message(ReadFailedText());
        return false;
    }

    bool WriteButton() override
    {
        if (m_lifecycle.buttonsIgnoredWhileBusy && m_session.Busy())
            return false;
        const QString invalid = ValidateSettings();
        if (!invalid.isEmpty()) {
            m_prompts.Message(invalid);
            return false;
        }
        if (WriteToModem()) {
            TakeSnapshot();
            if (m_lifecycle.writeClearsMustRead)
                m_tracker.Flags().mustRead = false;
            return true;
        }
        m_prompts.Message(WriteFailedText());
        return false;
    }

protected:
    SettingsPage(ModemSession &session, Prompter &prompts, PageId page, Record &record, PageLifecycle lifecycle)
        : m_session(session), m_prompts(prompts), m_tracker(session, page, record), m_lifecycle(lifecycle)
    {
    }

    // The form as the page starts: every control in its initial state.
    virtual void ResetForm() = 0;
    // Creation while a profile is edited without a modem: what cannot work
    // without one is disabled.
    virtual void DisableWhileOffline() = 0;
    virtual void SetTooltips(bool on) = 0;
    // The rest of creation that only this page does.
    virtual void AfterCreate() {}
    // Whether the change hook follows the controls now; a page whose
    // controls may show something that is not a setting (after a failed
    // read) says no meanwhile.
    virtual bool TracksEdits() const { return true; }
    virtual QString ReadFailedText() const = 0;
    virtual QString WriteFailedText() const = 0;

    Record &PageRecord() { return m_tracker.Record(); }
    RecordTracker<N> &Tracker() { return m_tracker; }

    ModemSession &m_session;
    Prompter &m_prompts;

private:
    RecordTracker<N> m_tracker;
    PageLifecycle m_lifecycle;
    bool m_created = false;
};

} // namespace telvio
