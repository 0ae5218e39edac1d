#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>

#include "shell/timer_follower.h"

namespace kestro::fakes {

// Simulated time for the window's three timers. Advancing fires every
// enabled timer whose wait has run out, in time order (ties in timer order),
// exactly as the window's message loop would, without real waiting.
class SimClock {
public:
    using Fire = std::function<void(TimerId)>;
    SimClock(WindowState& state, Fire fire) : state_(state), fire_(std::move(fire)) {}

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
            next->due = now_ + follower_.period(nextId);
            fire_(nextId);
            sync();
        }
        now_ = end;
    }

private:
    struct Track {
        bool running = false;
        std::uint64_t due = 0;
    };
    Track& track(TimerId id) { return tracks_[static_cast<std::size_t>(id)]; }

    // Picks up timers that the handlers switched on, off or restarted.
    void sync() {
        follower_.follow(state_, [this](TimerId id, bool start, std::uint32_t period) {
            track(id) = {start, now_ + period};
        });
    }

    WindowState& state_;
    Fire fire_;
    TimerFollower follower_;
    std::uint64_t now_ = 0;
    std::array<Track, 3> tracks_{};
};

}  // namespace kestro::fakes
