#pragma once
#include "core/window_state.h"
#include "platform/services.h"

namespace kestro {

// Fills the target selection, the fourteen key texts, the repeat delay, the
// resume delay and the no-repeat list from the settings file. A value that
// cannot be converted takes its default; the load goes on.
void loadSettings(WindowState& state, Services& s);

// "Save Settings": writes the window back in the mode it shows (in
// keystroke mode into the target title's section), keeps the saved
// controller while the device box names none, reloads and leaves the
// controller to be looked for afresh (device list empty, none counted). Reports "updated settings.ini" and returns true; reports
// "error saving" and returns false when a write fails. The caller runs the
// closing discovery after a true result.
bool saveSettings(WindowState& state, Services& s);

// Handlers of the target options. Each writes the host flag and reloads, so
// they and the load call each other.
void onHostModeChosen(WindowState& state, Services& s);
void onKeystrokeModeChosen(WindowState& state, Services& s);

// Choosing an option from code runs its handler as a user's click does,
// when the target changes. The two form one group.
void chooseHostMode(WindowState& state, Services& s);
void chooseKeystrokeMode(WindowState& state, Services& s);

}  // namespace kestro
