#pragma once
#include <windows.h>

#include <array>
#include <cstdint>

#include "core/kestro_state.h"
#include "shell/timer_events.h"

namespace kestro {

// Makes the window's real timers follow the timer fields of the state:
// a started timer begins a fresh wait, a stopped one is killed.
class TimerDriver {
public:
    explicit TimerDriver(HWND window) : window_(window) {}

    void follow(Kestro& k);
    // The timer a WM_TIMER identifier belongs to; false for foreign ones.
    static bool fromTimerId(UINT_PTR id, TimerId& out);

private:
    struct Running {
        bool on = false;
        std::uint64_t starts = 0;
        std::uint32_t interval = 0;
    };
    HWND window_;
    std::array<Running, 3> running_{};
};

}  // namespace kestro
