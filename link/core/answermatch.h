#pragma once

#include "link/core/linklayer.h"

#include <QByteArray>

#include <utility>

namespace telvio {

// In-order pattern match over a growing answer buffer: the pattern matches
// when its characters occur in the buffer in order, anything between them.
// Each pass advances at most one pattern character, searched from the
// position where the previous one was found, so one buffer character can
// serve two equal neighbours. Answer patterns are written for this:
// "OK\r\n" is an O, later a K, later the end of that line. Once every
// character is found the pattern still waits until p + tail <= buffer
// length, p being the position of the last matched character.
class PatternMatch {
public:
    PatternMatch(QByteArray pattern, int tail = 0);

    // One pass over the buffer as it is now. Returns true once matched.
    bool Step(const QByteArray &buffer);
    bool Matched() const { return m_matched; }
    // True when the last Step moved the match on (a character or the tail).
    bool Advanced() const { return m_advanced; }
    int CharsMatched() const { return m_k; }

private:
    QByteArray m_pattern;
    int m_tail;
    int m_k = 0;
    int m_p = 0;
    // The buffer only grows: where the search for character k found nothing
    // it need not look again.
    qsizetype m_searched = 0;
    bool m_matched = false;
    bool m_advanced = false;
};

// Search of one text for the line-anchored exchange: the text counts only
// where it starts the buffer or follows a CR or LF. Each pass looks once,
// from where the last rejected find left off.
class LineStartSearch {
public:
    explicit LineStartSearch(QByteArray text);

    // One pass. Returns true when the text was found at a line start.
    bool Step(const QByteArray &buffer);
    // A find was rejected and the next pass will look further on.
    bool Advanced() const { return m_advanced; }
    bool Empty() const { return m_text.isEmpty(); }

private:
    QByteArray m_text;
    qsizetype m_from = 0;
    // No occurrence starts before this and is still to be judged: finds
    // before it were judged, and the buffer only grows.
    qsizetype m_fresh = 0;
    bool m_advanced = false;
};

// Substring search over a growing buffer (the main exchange's mode 1):
// each pass looks only at what could complete with the new bytes.
class SubstringSearch {
public:
    explicit SubstringSearch(QByteArray text) : m_text(std::move(text)) {}
    bool Step(const QByteArray &buffer);

private:
    QByteArray m_text;
    qsizetype m_from = 0;
    bool m_found = false;
};

} // namespace telvio

namespace telvio {

// Recognises the final result code of an answer the way a modem frames it:
// a whole line "OK", "ERROR", "+CME ERROR: n", "+CMS ERROR: n", "NO CARRIER",
// "BUSY", "NO ANSWER", "NO DIALTONE" or "CONNECT..." in verbose mode, or in
// numeric mode a short line of digits ended by a CR alone ("0\r", "4\r").
// Text that merely contains those letters (an "AT&V" dump, an SMS body) is
// no final result.
//
// Fed the growing buffer, it looks only at what arrived since the last
// pass. A line that ends with a CR as the last byte so far cannot be judged
// yet: a LF may follow (then digits were an information line, e.g. an
// S-register value "5\r\n" under ATV0) or not (a numeric result code).
// Such a line is Pending(); the caller accepts it with AcceptPending() once
// the line has stayed quiet.
class FinalResultMatch {
public:
    enum Kind { NotYet = 0, Success = 1, Failure = 2 };

    // One pass over the buffer as it is now. Returns the final result once
    // one was seen (and keeps returning it).
    Kind Step(const QByteArray &buffer);
    Kind Result() const { return m_result; }
    bool Pending() const { return m_result == NotYet && m_pending != NotYet; }
    // Takes the pending line as the final result (nothing more arrived).
    Kind AcceptPending();
    // The final result line, without its line end; empty until matched.
    QByteArray Line() const { return m_line; }

    // What a single line would be as a final result: verbose words at any
    // line end, `numeric` for a line of digits (then only when it ends with
    // a CR alone).
    static Kind Classify(const QByteArray &line, bool *numeric);

private:
    qsizetype m_lineStart = 0; // start of the line being read
    qsizetype m_scan = 0;      // next byte to look at
    Kind m_result = NotYet;
    Kind m_pending = NotYet;
    QByteArray m_pendingLine;
    QByteArray m_line;
};

} // namespace telvio
