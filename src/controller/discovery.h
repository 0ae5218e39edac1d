#pragma once
#include "core/kestro_state.h"
#include "platform/services.h"

namespace kestro {

// Discovery: looks at the attached game controllers and, when their number
// has changed since the last look, lists them afresh and acquires the one
// named by the saved "kestro" value (Polling), or keeps searching.
// Handles its own failures: any failure starts the reconnect timer.
void cmdInitialize_Click(Kestro& k, Services& s);

// The reconnect timer's tick, once a second while searching.
void Timer1_Timer(Kestro& k, Services& s);

// The user edited the device list's text: store it as the saved controller
// and run discovery.
void Combo2_Change(Kestro& k, Services& s);

// A poll tick failed: report it, look again, and go back to searching.
void lostDevice(Kestro& k, Services& s);

}  // namespace kestro
