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

}  // namespace e2e
