#include "target_log.h"

#include <algorithm>

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

// VK_MENU, or VK_LMENU and VK_RMENU as a keyboard hook reports it.
bool isAlt(std::string_view rest) {
    const std::string vk = fieldOf(rest, "vk");
    return vk == "0x12" || vk == "0xA4" || vk == "0xA5";
}

}  // namespace

std::size_t TargetLog::keysSentToWindowSince(std::int64_t usec) const {
    std::size_t count = 0;
    for (const LogLine& line : readLogLines(path_))
        if (line.usec >= usec && line.rest.starts_with("main ") && isKeyDown(line.rest)) ++count;
    return count;
}

std::vector<LogLine> TargetLog::lines() const { return readLogLines(path_); }

std::string loneAltTap(std::initializer_list<const TargetLog*> logs) {
    std::vector<LogLine> merged;
    for (const TargetLog* log : logs) {
        const std::vector<LogLine> lines = log->lines();
        merged.insert(merged.end(), lines.begin(), lines.end());
    }
    std::stable_sort(merged.begin(), merged.end(), [](const LogLine& a, const LogLine& b) { return a.usec < b.usec; });
    bool altHeld = false;
    bool keyBetween = false;
    for (const LogLine& line : merged) {
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
    // Its release went to a window that was not watching, so the tap was no less alone.
    if (altHeld && !keyBetween) return "Alt was pressed with no other key before its release";
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
