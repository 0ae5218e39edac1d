#pragma once
// A program one of the e2e programs started. Whatever is still running when the object goes
// away is ended (TerminateProcess) through its own process handle, never by name, so nothing
// started for a scenario or a measurement outlives it, whatever path that takes.

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

namespace e2e {

class ChildProcess {
public:
    ChildProcess() = default;
    // `arguments` is appended to the quoted program path as it is. When the program cannot
    // be started, started() is false and startError() says why.
    ChildProcess(const std::wstring& program, const std::wstring& arguments, const std::wstring& workingFolder);
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return handle_ != nullptr; }
    DWORD startError() const { return startError_; }
    HANDLE handle() const { return handle_; }
    DWORD id() const { return id_; }
    bool running() const;
    bool waitForExit(std::chrono::milliseconds timeout) const;
    std::optional<DWORD> exitCode() const;
    // TerminateProcess, then waits until it is gone.
    void end();

private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
    DWORD startError_ = 0;
};

// Quotes one command-line argument for CommandLineToArgvW.
std::wstring quoted(const std::wstring& argument);

}  // namespace e2e
