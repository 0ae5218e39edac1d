#pragma once
// The one clock of every e2e program: QueryPerformanceCounter in microseconds. It is
// system-wide on Windows and on Wine, so the lines the stand-ins log in their own processes
// (the dinput8 stand-in inside kestro.exe) and the moments the driver and the measurement
// take can be compared on one timeline.

#include <cstdint>

namespace e2e {

std::int64_t nowUsec();

}  // namespace e2e
