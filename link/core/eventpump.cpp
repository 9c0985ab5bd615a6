#include "link/core/eventpump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace telvio {

void QtEventPump::Pump(bool block)
{
    if (QCoreApplication::closingDown())
        return;
    QCoreApplication::processEvents(block ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
}

void QtEventPump::Sleep(int milliseconds)
{
    if (milliseconds <= 0 || QCoreApplication::closingDown())
        return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace telvio
