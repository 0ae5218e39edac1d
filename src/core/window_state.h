#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/timer.h"
#include "platform/game_controllers.h"
#include "platform/joy_state.h"

namespace kestro {

// Where a press goes: a command to the host application, or keystrokes
// typed into the window named by the target title. None only before the
// first load of the settings.
enum class Target { None, Host, Keystrokes };

struct TextBox {
    std::string text;
    bool enabled = true;
};

// A combo box with an edit field: a list of entries and a free text.
struct ComboBox {
    std::vector<std::string> list;
    std::string text;
    int listIndex = -1;

    // Removes every entry and empties the edit text.
    void clear() {
        list.clear();
        text.clear();
        listIndex = -1;
    }
    // Selects entry `i`; the edit text becomes its name.
    void select(int i) {
        listIndex = i;
        text = list.at(static_cast<std::size_t>(i));
    }
};

// An input's indicator light. `pressed` is the input's latch: set by the
// tick that sends the first press, cleared by the tick that sees it released.
struct Light {
    bool pressed = false;
};

// The light's fill colour (blue-green-red): green while pressed, else red.
inline constexpr std::uint32_t kLightOff = 255;
inline constexpr std::uint32_t kLightOn = 65280;
inline constexpr std::uint32_t colourOf(const Light& light) { return light.pressed ? kLightOn : kLightOff; }

// What the device box shows until the first listing.
inline constexpr std::string_view kNoControllerFound = "none found";

enum Direction { kUp = 0, kDown = 1, kLeft = 2, kRight = 3 };

// The main window's state: its controls as data and the variables that the
// program's procedures share. The Windows window mirrors it.
struct WindowState {
    // Set from code only through chooseHostMode / chooseKeystrokeMode, which
    // run the option's handler as a user's click does.
    Target target = Target::None;
    TextBox targetTitle{"Centrafuse", true};

    // The boxes' texts until the settings are loaded are the window's own.
    std::array<TextBox, 10> buttonKeys{};
    std::array<TextBox, 4> directionKeys{};

    std::array<Light, 4> directionLights{};
    std::array<Light, 10> buttonLights{};

    ComboBox delayBox{{}, "Combo1", -1};
    ComboBox controllerBox{{}, std::string(kNoControllerFound), -1};
    std::string statusLabel = "Unplugged";
    bool startHiddenBox = false;

    Timer pollTimer{false, 25, 0};
    Timer reconnectTimer{false, 1000, 0};
    Timer resumeTimer{false, 5000, 0};

    JoyState controllerState{};
    double repeatDelay = 0;
    double buttonCounter = 0;
    std::array<double, 4> directionCounters{0, 0, 0, 0};
    std::int16_t attachedCount = 0;
    // The controllers attached at the last look, whether it listed them or
    // ended at the count check.
    std::vector<ControllerItem> attachedControllers;
    std::vector<std::string> noRepeat;
    bool dpad = false;  // the first hat also drives the four directions

    // Searching: the reconnect ticks still to look at the attached
    // controllers because the system reported a plug or unplug (the first
    // tick after start looks too), and the ticks since the last look.
    int ticksToLook = 1;
    int quietReconnectTicks = 0;
    // The saved controller failed a read; the reconnect ticks try to take it
    // up again while it is still attached.
    bool retakeLost = false;
    // A write the user asked for failed and the user was told, once a run.
    bool failedWriteReported = false;

    WindowState() {
        for (auto& t : buttonKeys) t.text = "Text1";
        for (auto& t : directionKeys) t.text = "Text2";
    }
};

}  // namespace kestro
