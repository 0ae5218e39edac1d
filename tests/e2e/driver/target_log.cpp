#include "target_log.h"

#include "log_lines.h"

namespace e2e {

bool TargetLog::ready() const {
    for (const LogLine& line : readLogLines(path_))
        if (line.rest.starts_with("ready")) return true;
    return false;
}

std::string TargetLog::chars(const char* where) const {
    const std::string prefix = std::string(where) + " char ";
    std::string typed;
    for (const LogLine& line : readLogLines(path_))
        if (line.rest.starts_with(prefix)) typed += unescape(fieldOf(line.rest, "text", true));
    return typed;
}

std::string TargetLog::charsTypedIntoEdit() const { return chars("edit"); }

std::string TargetLog::charsSentToWindow() const { return chars("main"); }

namespace {

bool isKeyDown(std::string_view rest) {
    return rest.find(" keydown ") != std::string_view::npos || rest.find(" syskeydown ") != std::string_view::npos;
}

bool isKeyUp(std::string_view rest) {
    return rest.find(" keyup ") != std::string_view::npos || rest.find(" syskeyup ") != std::string_view::npos;
}

bool isAlt(std::string_view rest) { return fieldOf(rest, "vk") == "0x12"; }

}  // namespace

std::size_t TargetLog::keysSentToWindowSince(std::int64_t usec) const {
    std::size_t count = 0;
    for (const LogLine& line : readLogLines(path_))
        if (line.usec >= usec && line.rest.starts_with("main ") && isKeyDown(line.rest)) ++count;
    return count;
}

std::string TargetLog::loneAltTap() const {
    bool altHeld = false;
    bool keyBetween = false;
    for (const LogLine& line : readLogLines(path_)) {
        if (line.rest == "keymenu") return "the window menu opened at " + std::to_string(line.usec);
        if (isKeyDown(line.rest)) {
            if (!isAlt(line.rest)) {
                keyBetween = true;
            } else if (!altHeld) {
                altHeld = true;
                keyBetween = false;
            }
        } else if (isKeyUp(line.rest) && isAlt(line.rest)) {
            if (altHeld && !keyBetween) return "Alt was tapped alone, released at " + std::to_string(line.usec);
            altHeld = false;
        }
    }
    return {};
}

std::size_t TargetLog::altPressesSince(std::int64_t usec) const {
    std::size_t count = 0;
    for (const LogLine& line : readLogLines(path_))
        if (line.usec >= usec && isKeyDown(line.rest) && isAlt(line.rest)) ++count;
    return count;
}

std::optional<std::int64_t> TargetLog::firstSince(std::int64_t usec, std::string_view prefix) const {
    for (const LogLine& line : readLogLines(path_))
        if (line.usec >= usec && line.rest.starts_with(prefix)) return line.usec;
    return std::nullopt;
}

}  // namespace e2e
