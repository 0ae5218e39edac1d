#pragma once
#include <string>
#include <string_view>

#include "core/window_state.h"
#include "platform/services.h"

namespace kestro {

// What the user did to one control of the window, in neutral terms.
enum class ControlAction { Click, TextChanged, SelectionChanged, CheckChanged };

struct ControlEvent {
    ControlAction action;
    std::string text;  // TextChanged: the control's whole text after the change
    int value = 0;     // SelectionChanged: the entry chosen; CheckChanged: 0 or 1
};

// The one way user events on the window's controls (named as in the layout
// table) reach the program: the state the control is bound to takes the new
// value, then the control's handler runs, if it has one. Typing into a key
// box, the title box or the delay box only changes the state.
void onControlEvent(WindowState& state, Services& s, std::string_view control, const ControlEvent& event);

}  // namespace kestro
