#pragma once
// Reads the lines a stand-in appends to its log while it keeps writing. The file may not
// exist yet; a line counts only once its newline has been written.

#include <windows.h>

#include <string>
#include <vector>

namespace e2e::measure {

class LogFollower {
public:
    explicit LogFollower(std::wstring path);
    ~LogFollower();
    LogFollower(const LogFollower&) = delete;
    LogFollower& operator=(const LogFollower&) = delete;

    // The complete lines written since the last call.
    std::vector<std::string> newLines();

private:
    std::wstring path_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string partial_;
};

}  // namespace e2e::measure
