#include "log_lines.h"

#include "common/log_line.h"

namespace e2e::measure {
namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::optional<StateRead> parseStateRead(std::string_view line) {
    const auto stamped = splitStamp(line);
    if (!stamped || !startsWith(stamped->rest, "getstate ")) return std::nullopt;
    StateRead read;
    read.at = stamped->usec;
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
    return CopyDataReceived{stamped->usec};
}

bool isHostReady(std::string_view line) {
    const auto stamped = splitStamp(line);
    return stamped && startsWith(stamped->rest, "ready ");
}

}  // namespace e2e::measure
