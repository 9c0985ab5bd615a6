#pragma once

#include "pages/core/pageslayer.h"

#include <QString>
#include <QStringList>

namespace telvio {

// What a page shows in one of its controls, without the widget: the logic
// of a page works on these and its widget page copies them to the screen
// and the user's edits back. Tooltip texts separate lines with "\n\r".
struct ControlState {
    bool enabled = true;
    bool visible = true;
    QString tooltip;
};

struct ButtonState : ControlState {
    QString caption;
};

struct CheckState : ControlState {
    QString caption;
    bool checked = false;
};

// A one-line edit. A limit of 0 means none.
struct EditState : ControlState {
    QString text;
    int maxLength = 0;
    bool digitsOnly = false;

    // Whether the edit itself would take `value` (typed or pasted).
    bool Accepts(const QString &value) const
    {
        if (maxLength > 0 && value.size() > maxLength)
            return false;
        if (digitsOnly) {
            for (const QChar c : value) {
                if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                    return false;
            }
        }
        return true;
    }
};

// A read-only text.
struct TextState : ControlState {
    QString text;
};

// A drop-down list with fixed items; `current` is -1 when nothing is
// selected.
struct ListState : ControlState {
    QStringList items;
    int current = -1;

    QString CurrentText() const { return current >= 0 && current < items.size() ? items.at(current) : QString(); }
    // Selects `position`, or nothing when it names no item, as a list does
    // when told to select an item it does not have.
    void Select(int position) { current = position >= 0 && position < items.size() ? position : -1; }
};

// A group box: hiding it hides what it holds.
struct GroupState : ControlState {
    QString caption;
};

} // namespace telvio
