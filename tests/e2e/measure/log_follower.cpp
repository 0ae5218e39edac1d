#include "log_follower.h"

#include <utility>

namespace e2e::measure {

LogFollower::LogFollower(std::wstring path) : path_(std::move(path)) {}

LogFollower::~LogFollower() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

std::vector<std::string> LogFollower::newLines() {
    if (file_ == INVALID_HANDLE_VALUE) {
        // Shared every way: the writer appends and must not be blocked by us.
        file_ = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file_ == INVALID_HANDLE_VALUE) return {};
    }
    char buffer[16384];
    DWORD got = 0;
    while (ReadFile(file_, buffer, sizeof buffer, &got, nullptr) && got > 0) partial_.append(buffer, got);

    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = partial_.find('\n'); end != std::string::npos; end = partial_.find('\n', start)) {
        std::string line = partial_.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    partial_.erase(0, start);
    return lines;
}

}  // namespace e2e::measure
