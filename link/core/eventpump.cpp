#include "link/core/eventpump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <thread>

namespace telvio {

namespace {
constexpr int kSliceMs = 5;
} // namespace

void QtEventPump::Pump(bool block)
{
    if (QCoreApplication::closingDown())
        return;
    QCoreApplication::processEvents(block ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
}

void QtEventPump::Sleep(int milliseconds)
{
    // Slices of plain sleep, each followed by the pending events, rather
    // than an event loop: a loop would read the port at every arrival, and
    // a device that keeps talking through the wait would cost a read per
    // few bytes. Events still wait at most one slice.
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (QCoreApplication::closingDown())
            return;
        const auto left = end - Clock::now();
        if (left <= Clock::duration::zero())
            return;
        std::this_thread::sleep_for(std::min<Clock::duration>(left, std::chrono::milliseconds(kSliceMs)));
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

void QtEventPump::Gather(int milliseconds)
{
    if (QCoreApplication::closingDown())
        return;
    // A plain sleep, not an event loop: served events would include the
    // port's read notifications, and reading each as it comes is exactly
    // the per-byte work this avoids. The driver holds the bytes meanwhile.
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace telvio
