#pragma once
// The stand-ins' log lines, "<usec> <rest>": every line starts with the writer's clock.h
// time, so lines from different processes fall on one timeline.

#include <cstdint>
#include <optional>
#include <string_view>

namespace e2e {

struct StampedLine {
    std::int64_t usec = 0;
    std::string_view rest;  // everything after the first space
};

// The time and the rest of one line (no newline); nullopt unless it starts "<number> ".
std::optional<StampedLine> splitStamp(std::string_view line);

}  // namespace e2e
