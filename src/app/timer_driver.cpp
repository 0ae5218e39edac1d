#include "app/timer_driver.h"

#include "platform/win32/win32_errors.h"

namespace kestro {
namespace {

constexpr UINT_PTR kFirstTimerId = 1;
constexpr UINT_PTR kPollTimerId = kFirstTimerId + static_cast<UINT_PTR>(TimerId::Poll);

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

void startWindowTimer(HWND window, UINT_PTR id, UINT interval) {
    if (!SetTimer(window, id, interval, nullptr)) win32::reportLastError(L"SetTimer");
}

}  // namespace

TimerDriver::TimerDriver(HWND window) : window_(window), ticker_(kWaitableTimers) {}

void TimerDriver::follow(WindowState& state) {
    follower_.follow(state, [this](TimerId id, bool start, std::uint32_t period) {
        const UINT_PTR nativeId = kFirstTimerId + static_cast<UINT_PTR>(id);
        const bool precise = kPreciseTicker && ticker_.available() && id == TimerId::Poll;
        if (!start) {
            KillTimer(window_, nativeId);
            if (precise) ticker_.stop();
        } else if (precise) {
            ticker_.start(period);
            if (outsideOurLoop_) startWindowTimer(window_, nativeId, period);
        } else {
            startWindowTimer(window_, nativeId, period);
        }
    });
}

void TimerDriver::setOutsideOurLoop(bool outside) {
    outsideOurLoop_ = outside;
    if (!kPreciseTicker || !ticker_.available() || !ticker_.running()) return;
    if (outside)
        startWindowTimer(window_, kPollTimerId, follower_.period(TimerId::Poll));
    else
        KillTimer(window_, kPollTimerId);
}

bool TimerDriver::fromTimerId(UINT_PTR id, TimerId& out) {
    if (id < kFirstTimerId || id >= kFirstTimerId + std::size(kAllTimers)) return false;
    out = kAllTimers[id - kFirstTimerId];
    return true;
}

}  // namespace kestro
