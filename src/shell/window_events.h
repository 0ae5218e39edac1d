#pragma once
#include <cstdint>

#include "core/window_state.h"
#include "platform/services.h"

namespace kestro {

// Mouse codes that the tray icon reports in its callback.
inline constexpr std::uint32_t kTrayLeftButtonDown = 513;   // WM_LBUTTONDOWN
inline constexpr std::uint32_t kTrayRightButtonDown = 516;  // WM_RBUTTONDOWN

// A tray icon callback with the mouse event's code: a right press opens the
// menu, a left press shows and raises the window, anything else is ignored.
void trayCallback(Services& s, std::uint32_t mouseCode);

void onMinimizeClicked(Services& s);               // "Minimize"
// "Save Settings": the save, then a full discovery when it succeeded.
void onSaveClicked(WindowState& state, Services& s);
// "Start Minimized": records the value for the next start; false when the
// write failed.
bool onStartHiddenClicked(WindowState& state, Services& s);

// Setting the check box from code to a different value runs its click
// handler, as a user click does; false when its write failed.
bool setStartHidden(WindowState& state, Services& s, bool value);

// A write the user asked for (the tick, a typed controller name) failed:
// the "error saving" box, at the first such failure of the run only, since
// typing a name writes at every keystroke.
void reportFailedWrite(WindowState& state, Services& s);

}  // namespace kestro
