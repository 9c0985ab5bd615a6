#pragma once

#include "pages/core/pageslayer.h"

#include "link/core/messagewindow.h"
#include "link/core/modemsession.h"
#include "link/core/pageflags.h"
#include "link/core/sessionhost.h"
#include "link/core/settingsrecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace telvio {

// The frame every transfer of a page runs in: the busy flag and the "Wait"
// message window for its length, the answer-mode probe, and verbose result
// codes for the duration when the modem was found numeric. Leaving the
// scope switches numeric codes back (unless the transfer took that over),
// then clears busy, then closes the window, on every way out.
class TransferFrame {
public:
    static const QString kTransferText; // "Transfering data"

    // Whether a transfer may start: a link and no other transfer on it.
    static bool MayStart(const ModemSession &session) { return !session.Busy() && session.Connected(); }

    explicit TransferFrame(ModemSession &session, const QString &text = kTransferText);
    ~TransferFrame();
    TransferFrame(const TransferFrame &) = delete;
    TransferFrame &operator=(const TransferFrame &) = delete;

    int Probe() { return m_session.Probe(); }
    // "ATV1" when the last probe found numeric codes (the restore is noted
    // before the command goes out); 1 when nothing had to be switched.
    int SwitchToVerbose();
    bool Switched() const { return m_restorePending; }

    // Back to numeric codes: "AT" first to learn whether the modem echoes,
    // which decides whether the "0" answer of "ATV0" follows an echoed
    // command line, then "ATV0". Results are not looked at.
    void RestoreNumeric();
    // The caller restores numeric codes its own way (or not at all); the
    // frame forgets the restore. Returns whether one was due.
    bool TakeOverRestore();

    // The answer "ATV0" gives: its echo and "0" when the modem echoes.
    static QByteArray NumericOkAfterEcho(bool echo) { return echo ? QByteArrayLiteral("0\r0\r") : QByteArrayLiteral("0\r"); }

    // The answer of the last exchange run through Send.
    const QByteArray &Answer() const { return m_answer; }
    // Exchanges that keep the answer for Answer().
    int Send(const QByteArray &command, int factor, const QByteArray &success);
    int Send(const QByteArray &command, int factor, const QByteArray &success, const QByteArray &error);

private:
    ModemSession &m_session;
    // Declared in this order so that busy is cleared before the window
    // closes.
    MessageWindowScope m_window;
    BusyScope m_busy;
    QByteArray m_answer;
    bool m_restorePending = false;
};

// The success text of a result code in the session's current format.
inline QByteArray OkText(const ModemSession &session)
{
    return session.Verbose() ? QByteArrayLiteral("OK\r\n") : QByteArrayLiteral("0\r");
}

// The position of the first item that begins with `prefix`, letter case
// ignored; the search begins with item 1 and tries item 0 last, as a
// drop-down list's own search does. -1 when none does, or `prefix` is empty.
int FindItemStartingWith(const QStringList &items, const QString &prefix);

// List items begin with the AT value and " -" ("12 -  9600 bps (V.34)").
// The position of the first item that begins with `value` + " -", letter
// case ignored; the search begins with item 1 and tries item 0 last, as a
// drop-down list's own search does. -1 when none does, or `value` is empty.
int FindListItem(const QStringList &items, const QByteArray &value);
// The AT value of an item: its text before " -" (the whole text when it
// has none); empty for no item.
QByteArray ListItemValue(const QString &itemText);

// Texts that travel inside double quotes of a command: a quote or a control
// character would end the quoted text early and let the rest of it run as
// commands of its own, so such texts are not sent.
bool SafeQuotedText(const QByteArray &text);

// The bookkeeping of a page's change hook: the snapshot of the page's
// record taken after each read and write, `unchanged`, and the page's
// `modified` flag with the status bar that shows it.
template <int N>
class RecordTracker {
public:
    RecordTracker(ModemSession &session, PageId page, SettingsRecord<N> &record)
        : m_session(session), m_page(page), m_record(record)
    {
    }

    SettingsRecord<N> &Record() { return m_record; }
    const SettingsRecord<N> &Snapshot() const { return m_snapshot; }
    // For a page that puts what is no setting (a message typed to send)
    // into the snapshot, so it never counts as a change.
    SettingsRecord<N> &MutableSnapshot() { return m_snapshot; }
    PageFlags &Flags() { return m_session.Flags(m_page); }

    void ZeroSnapshot() { m_snapshot.Clear(); }
    // snapshot := record; not modified any more. The record now equals the
    // snapshot, so the page also counts as unchanged: otherwise showing it
    // again after a write would mark it modified until the next edit.
    void TakeSnapshot()
    {
        Flags().modified = false;
        m_session.Host()->UpdateStatusBar();
        m_snapshot = m_record;
        m_unchanged = true;
    }

    bool Unchanged() const { return m_unchanged; }
    void SetUnchanged(bool on) { m_unchanged = on; }
    void Compare() { m_unchanged = m_record == m_snapshot; }

    // Runs before the handling of every command that reaches the page. The
    // controls are copied into the record only while the record is the
    // page's own: not while a loaded profile waits to be shown, nor before
    // the page has read the modem.
    void ChangeHook(const std::function<void()> &controlsToRecord)
    {
        PageFlags &f = Flags();
        const bool wasModified = f.modified;
        if (!f.profilePending && !f.mustRead)
            controlsToRecord();
        Compare();
        f.modified = !m_unchanged && !f.mustRead;
        if (f.modified != wasModified && !m_session.Offline())
            m_session.Host()->UpdateStatusBar();
    }

    // Activation of a page that neither shows a profile nor reads: edits
    // made before it was left count as modified again.
    void MarkModifiedIfChanged()
    {
        if (!m_unchanged) {
            Flags().modified = true;
            m_session.Host()->UpdateStatusBar();
        }
    }

private:
    ModemSession &m_session;
    PageId m_page;
    SettingsRecord<N> &m_record;
    SettingsRecord<N> m_snapshot;
    bool m_unchanged = true;
};

} // namespace telvio
