#include "link/ui/messagewindow.h"

#include <QLabel>
#include <QVBoxLayout>

namespace telvio {

MessageWindow::MessageWindow(QWidget *owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Wait"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);
    m_text = new QLabel(this);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setMinimumWidth(220);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->addWidget(m_text);
}

void MessageWindow::ShowText(const QString &text, QWidget *over)
{
    m_text->setText(text);
    adjustSize();
    if (QWidget *owner = over ? over : parentWidget()) {
        const QPoint centre = owner->mapToGlobal(owner->rect().center());
        move(centre - rect().center());
    }
    show();
    raise();
    // The procedure that follows blocks in exchanges; paint the text now.
    repaint();
}

QString MessageWindow::Text() const
{
    return m_text->text();
}

} // namespace telvio
