#include "log_line.h"

#include <charconv>

namespace e2e {

std::optional<StampedLine> splitStamp(std::string_view line) {
    StampedLine out;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), out.usec);
    if (error != std::errc{} || end == line.data() + line.size() || *end != ' ') return std::nullopt;
    out.rest = line.substr(static_cast<std::size_t>(end - line.data()) + 1);
    return out;
}

}  // namespace e2e
