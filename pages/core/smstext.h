#pragma once

#include "pages/core/pageslayer.h"

#include <QString>

namespace telvio {

// The message edit of the SMS-on-DTR dialog, counted the way the modem will
// get it: a line break is CR LF and counts as two characters. Typing stops
// at 160 characters; Enter inserts a break while the text is shorter than
// 160, so a break typed at 159 leaves 161 (the LF is dropped before the
// text is sent).
class SmsText {
public:
    static constexpr int kLimit = 160;

    SmsText() = default;
    // A text with CR LF line breaks.
    explicit SmsText(const QString &text) : m_text(text) {}

    const QString &Text() const { return m_text; }
    int Length() const { return int(m_text.size()); }
    // What the "Length:" counter shows.
    QString Counter() const { return QString::number(Length()); }

    // Typed characters that fit under the limit are inserted at `caret`
    // (a position in Text()); returns how many went in.
    int Type(const QString &chars, int caret = -1);
    // Enter at `caret`; false when the text is already at the limit.
    bool Enter(int caret = -1);

    // How many typed characters still fit.
    static int Room(int length) { return length < kLimit ? kLimit - length : 0; }
    static bool EnterInserts(int length) { return length < kLimit; }

    // An edit widget keeps a line break as one '\n'; the dialog's text has
    // CR LF. Length of an edit's text as the dialog counts it.
    static int LengthOfEditText(const QString &editText);
    static QString FromEditText(const QString &editText);
    static QString ToEditText(const QString &text);

private:
    QString m_text;
};

} // namespace telvio
