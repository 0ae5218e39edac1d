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

// Plays a Windows whose waitable timers cannot be set, for the end-to-end tests.
#ifdef KESTRO_NO_WAITABLE_TIMER
constexpr bool kWaitableTimers = false;
#else
constexpr bool kWaitableTimers = true;
#endif

void startWindowTimer(HWND window, UINT_PTR id, UINT interval) {
    if (!SetTimer(window, id, interval, nullptr)) win32::reportLastError(L"SetTimer");
}

}  // namespace

TimerDriver::TimerDriver(HWND window)
    : window_(window), ticker_(kWaitableTimers), usingTicker_(kPreciseTicker && ticker_.available()) {}

// A waitable timer that could not be set gave up: the poll timer carries on
// as a window timer.
void TimerDriver::fallBackIfTickerLost() {
    if (!usingTicker_ || ticker_.available()) return;
    usingTicker_ = false;
    if (follower_.running(TimerId::Poll)) startWindowTimer(window_, kPollTimerId, follower_.period(TimerId::Poll));
}

bool TimerDriver::pollDue() {
    const bool due = ticker_.tickIfDue();
    fallBackIfTickerLost();
    return due;
}

void TimerDriver::follow(WindowState& state) {
    follower_.follow(state, [this](TimerId id, bool start, std::uint32_t period) {
        const UINT_PTR nativeId = kFirstTimerId + static_cast<UINT_PTR>(id);
        const bool precise = usingTicker_ && id == TimerId::Poll;
        if (!start) {
            KillTimer(window_, nativeId);
            if (precise) ticker_.stop();
        } else if (precise) {
            ticker_.start(period);
            if (outsideOurLoop_) startWindowTimer(window_, nativeId, period);
            fallBackIfTickerLost();
        } else {
            startWindowTimer(window_, nativeId, period);
        }
    });
}

void TimerDriver::setOutsideOurLoop(bool outside) {
    outsideOurLoop_ = outside;
    if (!usingTicker_ || !ticker_.running()) return;
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
