#pragma once

#include "link/core/linklayer.h"

#include "link/core/pageflags.h"

#include <QByteArray>
#include <QString>

namespace telvio {

// What the session needs from the windows around it: the status panel,
// the status bar and the property sheet. The main window implements it;
// the command-line tool and the tests run with this do-nothing default.
class SessionHost {
public:
    virtual ~SessionHost() = default;

    virtual void RefreshStatusPanel() {}
    virtual void AppendTerminal(const QByteArray &text) { Q_UNUSED(text); }
    virtual void UpdateStatusBar() {}
    // The status bar's `connected` member: it lists unsaved pages only then.
    virtual void SetStatusBarConnected(bool connected) { Q_UNUSED(connected); }

    // The one-line "Wait" window a procedure shows while it talks to the
    // modem ("Transfering data", "Connecting..."). Show replaces the text of
    // a window already shown; Close is harmless when none is.
    virtual void ShowMessageWindow(const QString &text) { Q_UNUSED(text); }
    virtual void CloseMessageWindow() {}

    virtual int PageCount() const { return 1; }
    virtual void AddPage(PageId page) { Q_UNUSED(page); }
    // Removes the page and lets it reset its own state.
    virtual void RemovePage(PageId page) { Q_UNUSED(page); }
    virtual void SetActivePage(PageId page) { Q_UNUSED(page); }
    virtual void RedrawPages() {}
    // Selects the link's settings in the Connection page's lists.
    virtual void ShowPortSettings(const QString &baud, QChar parity, const QString &dataBits,
                                  const QString &stopBits)
    {
        Q_UNUSED(baud); Q_UNUSED(parity); Q_UNUSED(dataBits); Q_UNUSED(stopBits);
    }
};

} // namespace telvio
