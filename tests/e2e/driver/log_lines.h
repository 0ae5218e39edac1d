#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// A stand-in log line: "<usec> <rest>".
struct LogLine {
    std::int64_t usec = 0;
    std::string rest;
};

// Every complete line of a stand-in log; a missing file has none.
std::vector<LogLine> readLogLines(const std::wstring& path);

// The value after "name=" up to the next space (or the end for the last field).
std::string fieldOf(std::string_view rest, std::string_view name, bool toEnd = false);

// Undoes the stand-ins' escaping: "\\" and "\xHH".
std::string unescape(std::string_view text);

}  // namespace e2e
