#pragma once
#include "session.h"

namespace e2e {

// Runs kestro.exe through `cycles` unplug/re-plug and `cycles` suspend/resume cycles
// with a press after each recovery, and prints the figures. 0 when every press arrived
// exactly once, every cycle recovered in time and no controller object leaked.
int runSoak(const Paths& paths, int cycles);

}  // namespace e2e
