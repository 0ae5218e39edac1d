#pragma once
#include "core/window_state.h"
#include "platform/services.h"

namespace kestro {

// Discovery: looks at the attached game controllers and, when their number
// has changed since the last look, lists them afresh and acquires the one
// named by the saved "kestro" value (Polling), or keeps searching.
// Handles its own failures: any failure starts the reconnect timer.
void discoverControllers(WindowState& state, Services& s);

// Reconnect ticks between enumerations when the system reports no device
// change: enumerating can take tens of milliseconds on the window's thread.
inline constexpr int kSafetyNetTicks = 5;
// Windows announces a device as soon as its node appears, which may be
// before DirectInput lists it: a notice makes this many reconnect ticks look.
inline constexpr int kTicksLookingAfterNotice = 3;

// The reconnect timer's tick, once a second while searching. It looks at
// the attached controllers after a reported device change, or every few
// ticks without one, and takes a lost controller up again as soon as it can
// be read.
void onReconnectTick(WindowState& state, Services& s);

// The system reported that a device was plugged in or out.
void deviceChangeNoticed(WindowState& state);

// The user edited the device list's text: store it as the saved controller
// and run discovery. False when the name could not be stored.
bool onControllerBoxEdited(WindowState& state, Services& s);

// A poll tick failed: report it, look again, and go back to searching.
void lostDevice(WindowState& state, Services& s);

}  // namespace kestro
