#pragma once
#include <array>
#include <cstdint>

#include "shell/timer_events.h"

namespace kestro {

// A timer's period: its interval, raised to the shortest a window timer has.
inline std::uint32_t periodOf(const Timer& timer) {
    return timer.interval < kMinimumTimerInterval ? kMinimumTimerInterval : timer.interval;
}

// Tells a clock what to do so that its running timers follow the state's
// timer fields: a timer switched on, restarted or given a new interval begins
// a fresh wait, one switched off stops. Enabling a running timer keeps its wait.
class TimerFollower {
public:
    // Calls apply(id, start, period) for each timer that changed since the
    // last call, in timer order; `start` false means stop.
    template <class Apply>
    void follow(const WindowState& state, Apply&& apply) {
        for (TimerId id : kAllTimers) {
            const Timer& timer = timerOf(state, id);
            Running& r = running_[static_cast<std::size_t>(id)];
            if (!timer.enabled) {
                if (r.on) apply(id, false, r.period);
                r.on = false;
            } else if (!r.on || r.starts != timer.starts || r.period != periodOf(timer)) {
                r = {true, timer.starts, periodOf(timer)};
                apply(id, true, r.period);
            }
        }
    }
    bool running(TimerId id) const { return running_[static_cast<std::size_t>(id)].on; }
    std::uint32_t period(TimerId id) const { return running_[static_cast<std::size_t>(id)].period; }

private:
    struct Running {
        bool on = false;
        std::uint64_t starts = 0;
        std::uint32_t period = 0;
    };
    std::array<Running, 3> running_{};
};

}  // namespace kestro
