#pragma once

#include <windows.h>

namespace standin {

// A stand-in must never outlive a test run: after `seconds` the window is asked to close,
// and if it is stuck (a --slow handler, a hung message loop) the process is ended shortly after.
void start_lifetime_watchdog(HWND window, unsigned long seconds);

}  // namespace standin
