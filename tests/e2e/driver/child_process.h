#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "waiting.h"

namespace e2e {

// A program this driver started. Whatever is still running when the object goes
// away is ended through its own process handle, never by name.
class ChildProcess {
public:
    ChildProcess() = default;
    // `arguments` is appended to the quoted program path as it is.
    ChildProcess(const std::wstring& program, const std::wstring& arguments, const std::wstring& workingFolder);
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    DWORD id() const { return id_; }
    bool started() const { return handle_ != nullptr; }
    bool running() const;
    bool waitForExit(Millis timeout) const;
    std::optional<DWORD> exitCode() const;
    // TerminateProcess, then waits until it is gone.
    void end();

private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

// Quotes one command-line argument for CommandLineToArgvW.
std::wstring quoted(const std::wstring& argument);

}  // namespace e2e
