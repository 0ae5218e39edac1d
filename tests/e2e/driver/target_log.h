#pragma once
#include <string>

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

private:
    std::string chars(const char* where) const;
    std::wstring path_;
};

}  // namespace e2e
