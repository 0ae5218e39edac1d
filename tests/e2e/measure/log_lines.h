#pragma once
// The stand-in log lines the measurement looks at. Every line starts with the writer's
// QueryPerformanceCounter time in microseconds.

#include <optional>
#include <string_view>

#include "clock.h"

namespace e2e::measure {

// "<usec> getstate <guid> ok x=.. y=.. buttons=0100..." from dinput_log.txt: one poll tick.
struct StateRead {
    Usec at = 0;
    bool succeeded = false;
    bool firstButtonDown = false;
};

// "<usec> tag=<n> len=<n> zero=<n> text=..." from the host log: one WM_COPYDATA received.
struct CopyDataReceived {
    Usec at = 0;
};

std::optional<StateRead> parseStateRead(std::string_view line);
std::optional<CopyDataReceived> parseCopyData(std::string_view line);
// "<usec> ready pid=..." from the host log.
bool isHostReady(std::string_view line);

}  // namespace e2e::measure
