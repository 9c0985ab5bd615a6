#include "link/ui/waitdialog.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace telvio {

WaitDialog::WaitDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Wait"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    m_progress = new QProgressBar(this);
    m_progress->setTextVisible(false);
    m_text = new QLabel(this);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setMinimumWidth(320);
    m_abort = new QPushButton(QStringLiteral("Abort"), this);
    m_abort->setAutoDefault(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
    layout->addWidget(m_text);
    layout->addWidget(m_abort, 0, Qt::AlignHCenter);
    connect(m_abort, &QPushButton::clicked, this, &WaitDialog::Abort);
}

int WaitDialog::Run(const std::function<int(SearchProgress &)> &search)
{
    m_aborted = false;
    m_progress->setRange(0, 80);
    m_progress->setValue(0);
    int result = 0;
    // The search runs inside the dialog's own loop; its exchanges keep the
    // dialog's Abort button served while they wait.
    QTimer::singleShot(0, this, [&] {
        m_running = true;
        result = search(*this);
        m_running = false;
        done(result == -1 ? 2 : 1);
    });
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    exec();
    return result;
}

void WaitDialog::Step(int attempt, const QString &text)
{
    m_progress->setValue(attempt);
    if (!m_aborted)
        m_text->setText(text);
    repaint();
}

void WaitDialog::Abort()
{
    m_aborted = true;
    m_text->setText(QStringLiteral("Aborting..."));
    m_text->repaint();
}

void WaitDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Abort();
        return;
    case Qt::Key_Escape:
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void WaitDialog::closeEvent(QCloseEvent *event)
{
    // Only the end of the search closes the dialog.
    if (m_running)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace telvio
