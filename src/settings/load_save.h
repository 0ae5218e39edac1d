#pragma once
#include "core/kestro_state.h"
#include "platform/services.h"

namespace kestro {

// Fills the target selection, the fourteen key texts, the repeat delay, the
// resume delay and the no-repeat list from the settings file. A value that
// cannot be converted takes its default; the load goes on.
void loadsettings(Kestro& k, Services& s);

// "Save Settings": writes the window back in host mode, reloads it and runs
// a full discovery. Reports "updated settings.ini", or "error saving" when
// a write fails.
void savesettings(Kestro& k, Services& s);

}  // namespace kestro
