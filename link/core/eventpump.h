#pragma once

#include "link/core/linklayer.h"

namespace telvio {

// How an exchange lets the rest of the program run while it waits.
// Pump(true) blocks until at least one event (serial data, a timer tick,
// user input) has been served; Pump(false) serves what is pending and
// returns at once. Tests substitute a scripted pump that feeds the port
// and advances the tick counter instead.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void Pump(bool block) = 0;
    // Lets `milliseconds` pass while events keep being served.
    virtual void Sleep(int milliseconds) = 0;
    // Called after a pass that took bytes but found nothing to act on:
    // lets about `milliseconds` of input pile up so the next read takes it
    // in one piece, then serves what is pending. A stream that never ends
    // then costs a pass per few milliseconds, not a pass per byte.
    virtual void Gather(int milliseconds) { (void)milliseconds; Pump(false); }
};

// Dispatches the thread's Qt events. A blocking pump relies on a periodic
// tick timer being active, so it never sleeps longer than one tick.
class QtEventPump : public EventPump {
public:
    void Pump(bool block) override;
    void Sleep(int milliseconds) override;
    void Gather(int milliseconds) override;
};

} // namespace telvio
