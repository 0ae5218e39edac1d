#pragma once
#include <string>

#include "controller/discovery.h"
#include "core/window_state.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_game_controllers.h"
#include "fakes/fake_host_messages.h"
#include "fakes/fake_instance.h"
#include "fakes/fake_keystrokes.h"
#include "fakes/fake_main_window.h"
#include "fakes/fake_profile_file.h"
#include "fakes/fake_tray.h"
#include "fakes/sim_clock.h"
#include "platform/services.h"
#include "shell/timer_events.h"

namespace kestro::fakes {

// The program's logic wired to in-memory fakes and a simulated clock.
struct KestroRig {
    FakeGameControllers controllers;
    FakeHostMessages host;
    FakeKeystrokes keystrokes;
    FakeProfileFile profile;
    FakeDialogs dialogs;
    FakeTray tray;
    FakeInstance instance;
    FakeMainWindow window;
    Services services{controllers, host, keystrokes, profile, dialogs, tray, instance, window};
    WindowState state;
    SimClock clock{state, [this](TimerId id) { onTimerTick(state, services, id); }};

    KestroRig() {
        controllers.onDeviceChange = [this] { deviceChangeNoticed(state); };
    }

    void advance(std::uint64_t ms) { clock.advance(ms); }
    // Whole 25 ms poll periods.
    void ticks(int n) { clock.advance(25u * static_cast<std::uint64_t>(n)); }

    bool polling() const { return state.pollTimer.enabled && !state.reconnectTimer.enabled; }
    bool searching() const { return !state.pollTimer.enabled && state.reconnectTimer.enabled; }
};

}  // namespace kestro::fakes
