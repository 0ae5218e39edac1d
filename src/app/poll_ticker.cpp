#include "app/poll_ticker.h"

#include <mmsystem.h>

#include "platform/win32/win32_errors.h"

namespace kestro {
namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

}  // namespace

PollTicker::PollTicker(bool waitableTimers) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    frequency_ = f.QuadPart;
    settable_ = waitableTimers;
    // Manual reset: the loop can look at the timer without consuming it.
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_MANUAL_RESET | CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    highResolution_ = timer_ != nullptr;
    // Older Windows: an ordinary waitable timer, on a 1 ms system tick while polling.
    if (!timer_) timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_MANUAL_RESET, TIMER_ALL_ACCESS);
    if (!timer_) win32::reportLastError(L"CreateWaitableTimerExW (polling falls back to a window timer)");
}

PollTicker::~PollTicker() {
    holdFineSystemTick(false);
    if (timer_) CloseHandle(timer_);
}

// A 1 ms system tick costs the whole PC power, so it is held only while polling.
void PollTicker::holdFineSystemTick(bool hold) {
    if (highResolution_ || !timer_ || hold == fineTickHeld_) return;
    if (hold)
        fineTickHeld_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    else {
        timeEndPeriod(1);
        fineTickHeld_ = false;
    }
}

std::int64_t PollTicker::now() const {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

void PollTicker::start(std::uint32_t intervalMs) {
    schedule_.start(now(), frequency_ * intervalMs / 1000);
    running_ = true;
    holdFineSystemTick(true);
    arm();
}

void PollTicker::stop() {
    running_ = false;
    holdFineSystemTick(false);
    if (!timer_) return;
    // Cancelling keeps a signalled timer signalled; setting it clears that first.
    LARGE_INTEGER never;
    never.QuadPart = -(10'000'000LL * 3600);
    SetWaitableTimer(timer_, &never, 0, nullptr, nullptr, FALSE);
    CancelWaitableTimer(timer_);
}

bool PollTicker::tickIfDue() {
    if (!running_) return false;
    const bool due = schedule_.tickIfDue(now());
    arm();
    return due;
}

// Sets the waitable timer for the next due time, as a relative wait in 100 ns units.
void PollTicker::arm() {
    if (!timer_) return;
    const std::int64_t remaining = schedule_.remaining(now());
    LARGE_INTEGER wait;
    wait.QuadPart = remaining > 0 ? -(remaining * 10'000'000 / frequency_) : -1;
    if (settable_ && SetWaitableTimer(timer_, &wait, 0, nullptr, nullptr, FALSE)) return;
    if (settable_) win32::reportLastError(L"SetWaitableTimer (polling falls back to a window timer)");
    giveUpTimer();
}

// A timer that cannot be set never signals again: polling goes on with a
// window timer, as when there is none.
void PollTicker::giveUpTimer() {
    CloseHandle(timer_);
    timer_ = nullptr;
    running_ = false;
    holdFineSystemTick(false);
}

}  // namespace kestro
