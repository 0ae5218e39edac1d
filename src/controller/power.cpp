#include "controller/power.h"

#include "controller/discovery.h"

namespace kestro {

void onPowerMessage(WindowState& state, std::uint32_t event) {
    switch (event) {
        case kPowerSuspend:
            state.pollTimer.disable();
            break;
        // Windows always announces a resume as automatic; the user-activity
        // code follows only after keyboard or mouse input, which a gamepad
        // is not. Either starts (or restarts) the wait.
        case kPowerResumeSuspend:
        case kPowerResumeAutomatic:
            state.resumeTimer.restart();
            break;
        default:
            break;
    }
}

void onResumeTimer(WindowState& state, Services& s) {
    state.resumeTimer.disable();
    state.attachedCount = 0;
    discoverControllers(state, s);
    // Without the saved controller keep searching, so a later plug-in is noticed.
    if (!state.pollTimer.enabled) state.reconnectTimer.enable();
}

}  // namespace kestro
