#pragma once
// Time as the measurement uses it: microseconds on the clock the stand-ins stamp their log
// lines with (common/clock.h).

#include <windows.h>

#include <cstdint>

#include "common/clock.h"

namespace e2e::measure {

using Usec = std::int64_t;

inline double usecToMs(Usec usec) {
    return static_cast<double>(usec) / 1000.0;
}

// Sleeps until the clock reaches `when` (returns at once if it already has).
inline void sleepUntil(Usec when) {
    const Usec left = when - nowUsec();
    if (left > 0) Sleep(static_cast<DWORD>((left + 999) / 1000));
}

}  // namespace e2e::measure
