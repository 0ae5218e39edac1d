#pragma once
#include <cstdint>

namespace kestro {

// A window timer as the logic sees it. `starts` counts every (re)start, so
// the clock that drives it knows when to begin a fresh wait: enabling a
// running timer keeps its wait, restarting it begins a new one.
struct Timer {
    bool enabled = false;
    std::uint32_t interval = 0;  // milliseconds
    std::uint64_t starts = 0;

    void enable() {
        if (!enabled) restart();
    }
    void disable() { enabled = false; }
    void restart() {
        enabled = true;
        ++starts;
    }
    void setInterval(std::uint32_t ms) {
        if (ms == interval) return;
        interval = ms;
        if (enabled) ++starts;
    }
};

}  // namespace kestro
