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
        if (!timer.enabled) {
            if (r.on) KillTimer(window_, nativeId);
            r.on = false;
        } else if (!r.on || r.starts != timer.starts || r.interval != timer.interval) {
            SetTimer(window_, nativeId, std::max(timer.interval, kMinimumTimerInterval), nullptr);
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
