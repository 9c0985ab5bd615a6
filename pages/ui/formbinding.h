#pragma once

#include "shell/ui/uilayer.h"

#include "pages/core/formcontrols.h"

#include <QString>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QWidget;

namespace telvio {

// Shows a page's form on its widgets. Values set from here are no user's
// doing: a page listens only to the signals that report the user's own
// edits (textEdited, clicked, activated), so its change hook does not run
// for them.

// A tooltip text whose lines are separated by "\n\r", wrapped to at most
// `width` pixels.
QString TooltipHtml(const QString &text, int width = 300);

// `tooltipWidth`: the widest a page's tooltip window grows, in pixels.
void ShowControl(QWidget *widget, const ControlState &state, bool tooltips, int tooltipWidth = 300);
void ShowButton(QAbstractButton *button, const ButtonState &state, bool tooltips, int tooltipWidth = 300);
void ShowCheck(QCheckBox *check, const CheckState &state, bool tooltips);
void ShowEdit(QLineEdit *edit, const EditState &state, bool tooltips, int tooltipWidth = 300);
void ShowText(QLineEdit *text, const TextState &state, bool tooltips);
void ShowList(QComboBox *list, const ListState &state, bool tooltips, int tooltipWidth = 300);
void ShowGroup(QGroupBox *group, const GroupState &state);

// The edit's own limits: its length, and digits only where the form says so.
void LimitEdit(QLineEdit *edit, const EditState &state);

} // namespace telvio
