#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log_lines.h"

namespace e2e {

// target_log.txt, written by fake_target.exe.
class TargetLog {
public:
    explicit TargetLog(std::wstring path) : path_(std::move(path)) {}

    bool ready() const;
    // The characters its edit control received as WM_CHAR, in order.
    std::string charsTypedIntoEdit() const;
    // Characters that reached the top-level window instead of the edit control.
    std::string charsSentToWindow() const;
    // Key presses (keydown or syskeydown) that reached the top-level window since `usec`.
    std::size_t keysSentToWindowSince(std::int64_t usec) const;
    // Alt presses since `usec`, wherever they landed.
    std::size_t altPressesSince(std::int64_t usec) const;
    // The time of the first line since `usec` that begins with `prefix`.
    std::optional<std::int64_t> firstSince(std::int64_t usec, std::string_view prefix) const;
    std::vector<LogLine> lines() const;

private:
    std::string chars(const char* where) const;
    std::wstring path_;
};

// What showed a lone Alt tap or the window menu it opens, in these windows' logs merged
// in time; empty if nothing did. A tap is Alt pressed with no other key before its
// release, wherever that landed: around a change of the foreground Wine drops it.
std::string loneAltTap(std::initializer_list<const TargetLog*> logs);

}  // namespace e2e
