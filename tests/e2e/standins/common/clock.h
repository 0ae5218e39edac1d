#pragma once
// One timestamp source for every stand-in. QueryPerformanceCounter is system-wide on
// Windows and on Wine, so lines written by the dinput8 stand-in inside kestro.exe and by
// the fake host/target in their own processes can be merged on one timeline.

#include <windows.h>

#include <cstdint>

namespace standin {

inline std::int64_t now_usec()
{
    static const std::int64_t frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return static_cast<std::int64_t>(value.QuadPart);
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    const std::int64_t ticks = count.QuadPart;
    // Split to avoid overflowing ticks * 1'000'000 on long uptimes.
    return (ticks / frequency) * 1'000'000 + (ticks % frequency) * 1'000'000 / frequency;
}

}  // namespace standin
