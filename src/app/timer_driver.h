#pragma once
#include <windows.h>

#include "core/window_state.h"
#include "app/poll_ticker.h"
#include "shell/timer_follower.h"

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

    void follow(WindowState& state);
    // The timer a WM_TIMER identifier belongs to; false for foreign ones.
    static bool fromTimerId(UINT_PTR id, TimerId& out);
    // Signalled when the precise ticker has a tick due; null without one.
    HANDLE pollHandle() const { return ticker_.handle(); }
    // True when the running precise ticker has a tick due now.
    bool pollDue();
    bool tickerRunning() const { return ticker_.running(); }
    // Another message loop than ours runs from now on, or no longer.
    void setOutsideOurLoop(bool outside);

private:
    void fallBackIfTickerLost();

    HWND window_;
    PollTicker ticker_;
    bool outsideOurLoop_ = false;
    TimerFollower follower_;
    bool usingTicker_ = false;
};

}  // namespace kestro
