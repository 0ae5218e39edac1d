#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>

#include "shell/timer_events.h"

namespace kestro::fakes {

// Simulated time for the window's three timers. Advancing fires every
// enabled timer whose wait has run out, in time order (ties in timer order),
// exactly as the window's message loop would, without real waiting.
class SimClock {
public:
    using Fire = std::function<void(TimerId)>;
    SimClock(Kestro& k, Fire fire) : k_(k), fire_(std::move(fire)) {}

    std::uint64_t now() const { return now_; }

    void advance(std::uint64_t ms) {
        const std::uint64_t end = now_ + ms;
        sync();
        for (;;) {
            Track* next = nullptr;
            TimerId nextId{};
            for (TimerId id : kAllTimers) {
                Track& t = track(id);
                if (t.running && t.due <= end && (!next || t.due < next->due)) {
                    next = &t;
                    nextId = id;
                }
            }
            if (!next) break;
            now_ = next->due;
            next->due = now_ + period(timerOf(k_, nextId));
            fire_(nextId);
            sync();
        }
        now_ = end;
    }

private:
    struct Track {
        bool running = false;
        std::uint64_t starts = 0;
        std::uint64_t due = 0;
    };
    static std::uint64_t period(const Timer& t) { return std::max(t.interval, kMinimumTimerInterval); }
    Track& track(TimerId id) { return tracks_[static_cast<std::size_t>(id)]; }

    // Picks up timers that the handlers switched on, off or restarted.
    void sync() {
        for (TimerId id : kAllTimers) {
            const Timer& timer = timerOf(k_, id);
            Track& t = track(id);
            if (!timer.enabled) {
                t.running = false;
            } else if (!t.running || timer.starts != t.starts) {
                t = {true, timer.starts, now_ + period(timer)};
            }
        }
    }

    Kestro& k_;
    Fire fire_;
    std::uint64_t now_ = 0;
    std::array<Track, 3> tracks_{};
};

}  // namespace kestro::fakes
