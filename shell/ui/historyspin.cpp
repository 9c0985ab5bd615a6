#include "shell/ui/historyspin.h"

#include <QEvent>
#include <QToolButton>

#include <algorithm>

namespace telvio {

HistorySpin::HistorySpin(QWidget *parent) : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    for (QToolButton *b : {m_up, m_down}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(false);
        b->setIconSize(QSize(8, 6));
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setAccessibleName(QStringLiteral("Older command"));
    m_down->setAccessibleName(QStringLiteral("Newer command"));
    connect(m_up, &QToolButton::clicked, this, [this] { emit Clicked(m_position, -1); });
    connect(m_down, &QToolButton::clicked, this, [this] { emit Clicked(m_position, +1); });
}

void HistorySpin::SetPosition(int position)
{
    m_position = std::clamp(position, 0, kLowEnd);
}

void HistorySpin::Step(int delta)
{
    SetPosition(m_position + delta);
}

void HistorySpin::resizeEvent(QResizeEvent *)
{
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

void HistorySpin::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        m_up->setEnabled(isEnabled());
        m_down->setEnabled(isEnabled());
    }
    QWidget::changeEvent(event);
}

} // namespace telvio
