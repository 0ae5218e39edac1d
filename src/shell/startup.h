#pragma once
#include <string_view>

#include "core/window_state.h"
#include "platform/services.h"

namespace kestro {

// The title by which a running instance is found.
inline constexpr std::string_view kApplicationTitle = "Kestro v3.0";
inline constexpr std::string_view kTrayTip = "Kestro v1.0";

// True when another instance runs; that instance is brought forward.
bool anotherInstanceRunning(Instance& instance);

// The window's load handler. False when another instance already runs and
// this one must end at once. After a true result the caller hooks the
// power broadcasts into the window, last of all.
bool startUp(WindowState& state, Services& s);

// The Close command: removes the tray icon and ends the program. Closing the
// window runs it too.
void closeProgram(Services& s);

}  // namespace kestro
