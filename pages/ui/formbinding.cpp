#include "pages/ui/formbinding.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolTip>

namespace telvio {

QString TooltipHtml(const QString &text, int width)
{
    if (text.isEmpty())
        return QString();
    const QStringList lines = text.split(QStringLiteral("\n\r"));
    const QFontMetrics metrics(QToolTip::font());
    int widest = 0;
    QStringList escaped;
    for (const QString &line : lines) {
        widest = qMax(widest, metrics.horizontalAdvance(line));
        escaped << line.toHtmlEscaped();
    }
    const QString body = escaped.join(QStringLiteral("<br>"));
    if (widest <= width)
        return QStringLiteral("<p style=\"white-space:pre\">%1</p>").arg(body);
    return QStringLiteral("<table width=\"%1\"><tr><td>%2</td></tr></table>").arg(width).arg(body);
}

void ShowControl(QWidget *widget, const ControlState &state, bool tooltips, int tooltipWidth)
{
    widget->setEnabled(state.enabled);
    widget->setHidden(!state.visible);
    widget->setToolTip(tooltips ? TooltipHtml(state.tooltip, tooltipWidth) : QString());
}

void ShowButton(QAbstractButton *button, const ButtonState &state, bool tooltips, int tooltipWidth)
{
    ShowControl(button, state, tooltips, tooltipWidth);
    button->setText(state.caption);
}

void ShowCheck(QCheckBox *check, const CheckState &state, bool tooltips)
{
    ShowControl(check, state, tooltips);
    check->setText(state.caption);
    check->setChecked(state.checked);
}

void ShowEdit(QLineEdit *edit, const EditState &state, bool tooltips, int tooltipWidth)
{
    ShowControl(edit, state, tooltips, tooltipWidth);
    // Setting the same text again would move the caret of an edit in use.
    if (edit->text() != state.text)
        edit->setText(state.text);
}

void ShowText(QLineEdit *text, const TextState &state, bool tooltips)
{
    ShowControl(text, state, tooltips);
    text->setText(state.text);
}

void ShowList(QComboBox *list, const ListState &state, bool tooltips, int tooltipWidth)
{
    ShowControl(list, state, tooltips, tooltipWidth);
    if (list->count() != state.items.size()) {
        list->clear();
        list->addItems(state.items);
    }
    list->setCurrentIndex(state.current);
}

void ShowGroup(QGroupBox *group, const GroupState &state)
{
    group->setHidden(!state.visible);
    group->setEnabled(state.enabled);
    group->setTitle(state.caption);
}

void LimitEdit(QLineEdit *edit, const EditState &state)
{
    if (state.maxLength > 0)
        edit->setMaxLength(state.maxLength);
    if (state.digitsOnly)
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
}

} // namespace telvio
