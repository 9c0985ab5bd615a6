#include "pages/ui/addressfield.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace telvio {

AddressField::AddressField(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        if (i > 0)
            layout->addWidget(new QLabel(QStringLiteral("."), this));
        auto *box = new QLineEdit(this);
        box->setMaxLength(3);
        box->setAlignment(Qt::AlignCenter);
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 8);
        connect(box, &QLineEdit::textEdited, this, [this, box](const QString &text) {
            if (text.toInt() > 255)
                box->setText(QStringLiteral("255"));
            m_typing = box;
            emit Edited();
            m_typing = nullptr;
        });
        layout->addWidget(box);
        m_boxes[i] = box;
    }
    layout->addStretch(1);
}

Octets AddressField::Value() const
{
    Octets octets{};
    for (size_t i = 0; i < m_boxes.size(); ++i)
        octets[i] = uint8_t(qMin(m_boxes[i]->text().toInt(), 255));
    return octets;
}

void AddressField::SetValue(const Octets &octets)
{
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        // The box being typed in keeps what the user typed (an emptied box
        // is 0 without turning into "0" under the caret).
        if (m_boxes[i] == m_typing)
            continue;
        const QString text = QString::number(octets[i]);
        if (m_boxes[i]->text() != text)
            m_boxes[i]->setText(text);
    }
}

void AddressField::Clear()
{
    for (QLineEdit *box : m_boxes)
        box->clear();
}

} // namespace telvio
