#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/timer.h"
#include "platform/joy_state.h"

namespace kestro {

// Indicator fill colours (blue-green-red); the colour is also the input's pressed latch.
inline constexpr std::uint32_t kReleased = 255;  // red
inline constexpr std::uint32_t kPressed = 65280;  // green

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

enum Direction { kUp = 0, kDown = 1, kLeft = 2, kRight = 3 };

// The main window's state: its controls as data and the variables that the
// program's procedures share. The Windows window mirrors it.
struct Kestro {
    // Target selection ("Send to" frame). Set these from code only through
    // the option setters, which run the click handlers as a user click does.
    bool Option1 = false;  // true = host mode
    bool Option2 = false;  // true = keystroke mode
    TextBox txtapp{"Centrafuse", true};

    std::array<TextBox, 10> Text1{};
    TextBox textup{"Text2", true}, textdown{"Text2", true}, textleft{"Text2", true}, textright{"Text2", true};

    std::array<std::uint32_t, 4> joyup{kReleased, kReleased, kReleased, kReleased};
    std::array<std::uint32_t, 10> sh0{};

    ComboBox Combo1{{}, "Combo1", -1};
    ComboBox Combo2{{}, "none found", -1};
    std::string lblOutput = "Unplugged";
    int Check1 = 0;

    Timer checkbut{false, 25, 0};
    Timer Timer1{false, 1000, 0};
    Timer hibernation{false, 5000, 0};

    JoyState joystate{};
    double repeatDelay = 0;
    double buttonCounter = 0;
    std::array<double, 4> directionCounters{0, 0, 0, 0};
    std::int16_t devcount = 0;
    std::array<std::string, 11> butkeys{};
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

    Kestro() {
        for (auto& t : Text1) t.text = "Text1";
        sh0.fill(kReleased);
    }
};

}  // namespace kestro
