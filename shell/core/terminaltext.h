#pragma once

#include "shell/core/shelllayer.h"

#include <QByteArray>
#include <QString>

namespace telvio {

// The text of the terminal window: the newest characters the modem sent,
// with backspaces applied and every line ending shown as one CR LF.
//
// Appending works on the shown text plus the new characters: the newest
// 10000 characters are kept first, then each backspace takes the character
// before it, line feeds are dropped and every carriage return is followed by
// a line feed. Because the shown text is already in that form, only the new
// characters (and whatever backspaces reach back into) need any work, so an
// append costs in proportion to what arrived, not to the window.
//
// A view mirrors the text through TakeChange(), which says how to turn what
// it showed at the previous call into the current text without rebuilding it.
class TerminalText {
public:
    static constexpr int kWindow = 10000;

    void Append(const QByteArray &bytes);
    void Clear();

    const QByteArray &Text() const { return m_text; }
    // Characters handed to Append in total.
    qint64 Received() const { return m_received; }

    // The edit that brings a view up to date. View positions count a line
    // ending (CR LF) as one character, as a text document does.
    struct Change {
        bool replaceAll = false; // drop the view's text; `append` is the whole text
        int dropFront = 0;       // characters to remove at the start
        int keep = 0;            // then keep this many and remove the rest
        QString append;          // then add this at the end
    };
    Change TakeChange();
    // False when the view already shows the text.
    bool HasChange() const;

private:
    void DropFront(qsizetype count);

    QByteArray m_text;
    qint64 m_received = 0;
    // What the view holds, relative to m_text: it lacks m_viewFront units at
    // its start, and agrees with m_text on the first m_viewKeep characters.
    bool m_viewStale = false;
    bool m_viewReset = false;
    int m_viewFront = 0;
    qsizetype m_viewKeep = 0;
};

} // namespace telvio
