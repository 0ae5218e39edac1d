#pragma once
#include <windows.h>

#include <array>
#include <cstdint>

#include "core/kestro_state.h"
#include "platform/win32/poll_ticker.h"
#include "shell/timer_events.h"

namespace kestro {

// Makes the window's real timers follow the timer fields of the state:
// a started timer begins a fresh wait, a stopped one is killed. The poll
// timer runs on the precise ticker, which only our message loop waits on;
// while another loop runs (the window being dragged, its system menu open)
// a window timer stands in for it, and it is a window timer throughout
// when Windows gives the ticker no waitable timer.
class TimerDriver {
public:
    explicit TimerDriver(HWND window);

    void follow(Kestro& k);
    // The timer a WM_TIMER identifier belongs to; false for foreign ones.
    static bool fromTimerId(UINT_PTR id, TimerId& out);
    PollTicker& ticker() { return ticker_; }
    // Another message loop than ours runs from now on, or no longer.
    void setOutsideOurLoop(bool outside);

private:
    struct Running {
        bool on = false;
        std::uint64_t starts = 0;
        std::uint32_t interval = 0;
    };
    HWND window_;
    PollTicker ticker_;
    bool outsideOurLoop_ = false;
    std::array<Running, 3> running_{};
};

}  // namespace kestro
