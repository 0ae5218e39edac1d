#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/portable/tick_schedule.h"

namespace kestro {

// The poll timer's clock. Window timers are rounded up to the system tick
// (15.6 ms by default), so a 25 ms window timer fires about every 31 ms.
// This keeps a tick schedule on the performance counter and a waitable
// timer (high-resolution where Windows has one) that the message loop waits
// on together with the messages, so ticks come every 25 ms on average.
class PollTicker {
public:
    // Without `waitableTimers` it gets a waitable timer that it cannot set,
    // as when Windows refuses them.
    explicit PollTicker(bool waitableTimers = true);
    ~PollTicker();
    PollTicker(const PollTicker&) = delete;
    PollTicker& operator=(const PollTicker&) = delete;

    void start(std::uint32_t intervalMs);
    void stop();
    bool running() const { return running_; }
    // False when Windows gave no waitable timer, or one that could not be set:
    // the poll timer must then be a window timer.
    bool available() const { return timer_ != nullptr; }
    // Signalled when a tick is due; for the message loop to wait on. Null when not available.
    HANDLE handle() const { return timer_; }
    // True, and the next tick scheduled, when a tick is due now.
    bool tickIfDue();

private:
    void arm();
    void giveUpTimer();
    void holdFineSystemTick(bool hold);
    std::int64_t now() const;

    HANDLE timer_ = nullptr;
    bool settable_ = true;
    bool highResolution_ = false;
    bool fineTickHeld_ = false;
    bool running_ = false;
    std::int64_t frequency_ = 1;
    TickSchedule schedule_;
};

}  // namespace kestro
