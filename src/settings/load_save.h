#pragma once
#include "core/kestro_state.h"
#include "platform/services.h"

namespace kestro {

// Fills the target selection, the fourteen key texts, the repeat delay, the
// resume delay and the no-repeat list from the settings file. A value that
// cannot be converted takes its default; the load goes on.
void loadsettings(Kestro& k, Services& s);

// "Save Settings": writes the window back in host mode, reloads it and
// leaves the controller to be looked for afresh (device list empty,
// `devcount` 0). Reports "updated settings.ini" and returns true; reports
// "error saving" and returns false when a write fails. The caller runs the
// closing discovery after a true result.
bool savesettings(Kestro& k, Services& s);

// Click handlers of the target options. Each writes the host flag and
// reloads, so they and the load call each other.
void Option1_Click(Kestro& k, Services& s);  // host mode
void Option2_Click(Kestro& k, Services& s);  // keystroke mode

// Setting an option from code runs its click handler as a user click does,
// when it is set to true while it was false. The two form one group.
void setOption1(Kestro& k, Services& s, bool value);
void setOption2(Kestro& k, Services& s, bool value);

}  // namespace kestro
