#include "platform/win32/timer_driver.h"

#include <algorithm>

namespace kestro {
namespace {

constexpr UINT_PTR kFirstTimerId = 1;

}  // namespace

void TimerDriver::follow(Kestro& k) {
    for (TimerId id : kAllTimers) {
        const Timer& timer = timerOf(k, id);
        Running& r = running_[static_cast<std::size_t>(id)];
        const UINT_PTR nativeId = kFirstTimerId + static_cast<UINT_PTR>(id);
        const bool poll = id == TimerId::checkbut;
        if (!timer.enabled) {
            if (r.on) KillTimer(window_, nativeId);
            if (r.on && poll) ticker_.stop();
            r.on = false;
        } else if (!r.on || r.starts != timer.starts || r.interval != timer.interval) {
            const UINT interval = std::max(timer.interval, kMinimumTimerInterval);
            SetTimer(window_, nativeId, interval, nullptr);
#ifndef KESTRO_PLAIN_WINDOW_TIMER
            if (poll) ticker_.start(interval);
#endif
            r = {true, timer.starts, timer.interval};
        }
    }
}

bool TimerDriver::fromTimerId(UINT_PTR id, TimerId& out) {
    if (id < kFirstTimerId || id >= kFirstTimerId + std::size(kAllTimers)) return false;
    out = kAllTimers[id - kFirstTimerId];
    return true;
}

}  // namespace kestro
