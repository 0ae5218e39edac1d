#include "platform/win32/timer_driver.h"

#include <algorithm>

#include "platform/win32/win32_errors.h"

namespace kestro {
namespace {

constexpr UINT_PTR kFirstTimerId = 1;
constexpr UINT_PTR kPollTimerId = kFirstTimerId + static_cast<UINT_PTR>(TimerId::checkbut);

#ifdef KESTRO_PLAIN_WINDOW_TIMER
constexpr bool kPreciseTicker = false;
#else
constexpr bool kPreciseTicker = true;
#endif

// Plays a Windows that refuses every waitable timer, for the end-to-end tests.
#ifdef KESTRO_NO_WAITABLE_TIMER
constexpr bool kWaitableTimers = false;
#else
constexpr bool kWaitableTimers = true;
#endif

UINT windowTimerInterval(std::uint32_t interval) { return std::max(interval, kMinimumTimerInterval); }

void startWindowTimer(HWND window, UINT_PTR id, UINT interval) {
    if (!SetTimer(window, id, interval, nullptr)) win32::reportLastError(L"SetTimer");
}

}  // namespace

TimerDriver::TimerDriver(HWND window) : window_(window), ticker_(kWaitableTimers) {}

void TimerDriver::follow(Kestro& k) {
    for (TimerId id : kAllTimers) {
        const Timer& timer = timerOf(k, id);
        Running& r = running_[static_cast<std::size_t>(id)];
        const UINT_PTR nativeId = kFirstTimerId + static_cast<UINT_PTR>(id);
        const bool precise = kPreciseTicker && ticker_.available() && id == TimerId::checkbut;
        if (!timer.enabled) {
            if (r.on) KillTimer(window_, nativeId);
            if (r.on && precise) ticker_.stop();
            r.on = false;
        } else if (!r.on || r.starts != timer.starts || r.interval != timer.interval) {
            if (precise) {
                ticker_.start(windowTimerInterval(timer.interval));
                if (outsideOurLoop_) startWindowTimer(window_, nativeId, windowTimerInterval(timer.interval));
            } else {
                startWindowTimer(window_, nativeId, windowTimerInterval(timer.interval));
            }
            r = {true, timer.starts, timer.interval};
        }
    }
}

void TimerDriver::setOutsideOurLoop(bool outside) {
    outsideOurLoop_ = outside;
    if (!kPreciseTicker || !ticker_.available() || !ticker_.running()) return;
    if (outside)
        startWindowTimer(window_, kPollTimerId,
                         windowTimerInterval(running_[static_cast<std::size_t>(TimerId::checkbut)].interval));
    else
        KillTimer(window_, kPollTimerId);
}

bool TimerDriver::fromTimerId(UINT_PTR id, TimerId& out) {
    if (id < kFirstTimerId || id >= kFirstTimerId + std::size(kAllTimers)) return false;
    out = kAllTimers[id - kFirstTimerId];
    return true;
}

}  // namespace kestro
