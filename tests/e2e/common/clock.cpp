#include "clock.h"

#include <windows.h>

namespace e2e {

std::int64_t nowUsec() {
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

}  // namespace e2e
