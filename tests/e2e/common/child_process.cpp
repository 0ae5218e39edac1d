#include "child_process.h"

#include <utility>

namespace e2e {

ChildProcess::ChildProcess(const std::wstring& program, const std::wstring& arguments,
                           const std::wstring& workingFolder) {
    std::wstring commandLine = quoted(program);
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &info)) {
        startError_ = GetLastError();
        return;
    }
    CloseHandle(info.hThread);
    handle_ = info.hProcess;
    id_ = info.dwProcessId;
}

ChildProcess::~ChildProcess() {
    end();
    if (handle_) CloseHandle(handle_);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      id_(std::exchange(other.id_, 0)),
      startError_(std::exchange(other.startError_, 0)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        end();
        if (handle_) CloseHandle(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
        id_ = std::exchange(other.id_, 0);
        startError_ = std::exchange(other.startError_, 0);
    }
    return *this;
}

bool ChildProcess::running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

bool ChildProcess::waitForExit(std::chrono::milliseconds timeout) const {
    return !handle_ || WaitForSingleObject(handle_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> ChildProcess::exitCode() const {
    DWORD code = 0;
    if (!handle_ || running() || !GetExitCodeProcess(handle_, &code)) return std::nullopt;
    return code;
}

void ChildProcess::end() {
    if (!running()) return;
    TerminateProcess(handle_, 1);
    WaitForSingleObject(handle_, 10000);
}

std::wstring quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') out.append(backslashes * 2 + 1, L'\\');
        else out.append(backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    out += L'"';
    return out;
}

}  // namespace e2e
