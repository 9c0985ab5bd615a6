#include "shell/ui/statusbar.h"

#include "shell/ui/fonts.h"

#include <QPainter>

namespace telvio {

StatusBar::StatusBar(ModemSession *session, QWidget *parent) : QFrame(parent), m_session(session)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFont(StatusBarFont());
    setAccessibleName(QStringLiteral("Status bar"));
}

void StatusBar::Update()
{
    m_model.Update(*m_session);
    setAccessibleDescription(m_model.text);
    repaint();
}

void StatusBar::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(10, 2, width() - 12, height() - 2), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_model.text);
}

} // namespace telvio
