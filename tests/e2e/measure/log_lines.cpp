#include "log_lines.h"

#include <charconv>

namespace measure {
namespace {

struct Stamped {
    Usec at = 0;
    std::string_view rest;
};

std::optional<Stamped> splitStamp(std::string_view line) {
    Stamped out;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), out.at);
    if (error != std::errc{} || end == line.data() + line.size() || *end != ' ') return std::nullopt;
    out.rest = line.substr(static_cast<std::size_t>(end - line.data()) + 1);
    return out;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::optional<StateRead> parseStateRead(std::string_view line) {
    const auto stamped = splitStamp(line);
    if (!stamped || !startsWith(stamped->rest, "getstate ")) return std::nullopt;
    StateRead read;
    read.at = stamped->at;
    // "getstate <guid> <result> ...": the result is the third word.
    const std::string_view rest = stamped->rest;
    const auto guidEnd = rest.find(' ', 9);
    if (guidEnd == std::string_view::npos) return read;
    read.succeeded = startsWith(rest.substr(guidEnd + 1), "ok");
    const auto buttons = rest.find(" buttons=");
    if (buttons != std::string_view::npos && buttons + 9 < rest.size()) read.firstButtonDown = rest[buttons + 9] == '1';
    return read;
}

std::optional<CopyDataReceived> parseCopyData(std::string_view line) {
    const auto stamped = splitStamp(line);
    if (!stamped || !startsWith(stamped->rest, "tag=")) return std::nullopt;
    return CopyDataReceived{stamped->at};
}

bool isHostReady(std::string_view line) {
    const auto stamped = splitStamp(line);
    return stamped && startsWith(stamped->rest, "ready ");
}

}  // namespace measure
