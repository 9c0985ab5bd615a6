#pragma once

#include "link/core/linklayer.h"

#include <QByteArray>

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
    int m_from = 0;
    bool m_advanced = false;
};

} // namespace telvio
