#pragma once
// One clock for everything measured: QueryPerformanceCounter in microseconds, the same
// clock the stand-ins stamp their log lines with (system-wide on Windows and on Wine).

#include <windows.h>

#include <cstdint>

namespace measure {

using Usec = std::int64_t;

inline Usec nowUsec() {
    static const std::int64_t frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return static_cast<std::int64_t>(value.QuadPart);
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    const std::int64_t ticks = count.QuadPart;
    // Split so that ticks * 1'000'000 cannot overflow on a long uptime.
    return (ticks / frequency) * 1'000'000 + (ticks % frequency) * 1'000'000 / frequency;
}

inline double usecToMs(Usec usec) {
    return static_cast<double>(usec) / 1000.0;
}

// Sleeps until the clock reaches `when` (returns at once if it already has).
inline void sleepUntil(Usec when) {
    const Usec left = when - nowUsec();
    if (left > 0) Sleep(static_cast<DWORD>((left + 999) / 1000));
}

}  // namespace measure
