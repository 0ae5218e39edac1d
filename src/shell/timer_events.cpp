#include "shell/timer_events.h"

#include "controller/discovery.h"
#include "controller/power.h"
#include "core/poll_cycle.h"

namespace kestro {

const Timer& timerOf(const WindowState& state, TimerId id) {
    switch (id) {
        case TimerId::Poll: return state.pollTimer;
        case TimerId::Reconnect: return state.reconnectTimer;
        default: return state.resumeTimer;
    }
}

Timer& timerOf(WindowState& state, TimerId id) {
    return const_cast<Timer&>(timerOf(static_cast<const WindowState&>(state), id));
}

void onTimerTick(WindowState& state, Services& s, TimerId id) {
    if (!timerOf(state, id).enabled) return;
    switch (id) {
        case TimerId::Poll:
            if (!onPollTick(state, s)) lostDevice(state, s);
            break;
        case TimerId::Reconnect: onReconnectTick(state, s); break;
        case TimerId::Resume: onResumeTimer(state, s); break;
    }
}

}  // namespace kestro
