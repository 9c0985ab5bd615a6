#pragma once

#include "shell/ui/uilayer.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QString>

#include <algorithm>
#include <initializer_list>

// Sizes for the controls of pages that must fit the sheet's fixed width.
// A layout that asks for more than the sheet has is squeezed as a whole,
// and then it is the captions that get cut; these keep the wide-by-default
// controls no wider than their content needs.
namespace telvio::compact {

// A list that may be narrower than its longest item: closed it shows at
// least `chars` characters of the chosen item, the open list still shows
// every item whole (the popup widens to its items).
inline void ShrinkableList(QComboBox *list, int chars)
{
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(chars);
}

// A short field (a number) as wide as the characters its limit lets in,
// with room for the caret.
inline void NarrowEdit(QLineEdit *edit)
{
    const QFontMetrics fm(edit->font());
    edit->setFixedWidth(fm.horizontalAdvance(QString(edit->maxLength() + 1, QLatin1Char('0'))) + 10);
}

// A button as wide as its caption with the usual padding, rather than the
// style's minimum width for dialog buttons. A button whose caption changes
// (Connect / Disconnect) names all of them, and fits the widest.
inline void SnugButton(QAbstractButton *button, std::initializer_list<QString> captions = {})
{
    const QFontMetrics fm(button->font());
    int widest = fm.horizontalAdvance(button->text());
    for (const QString &caption : captions)
        widest = std::max(widest, fm.horizontalAdvance(caption));
    button->setFixedWidth(widest + 2 * fm.averageCharWidth() + 8);
}

} // namespace telvio::compact
