#pragma once
// A program this measurement started; it is ended (TerminateProcess) when the object goes,
// so nothing started here outlives a variant, whatever path the measurement takes.

#include <windows.h>

#include <string>

namespace measure {

class ChildProcess {
public:
    // Empty arguments are fine; the program path is quoted for the command line.
    ChildProcess(const std::wstring& program, const std::wstring& arguments, const std::wstring& workingFolder);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return handle_ != nullptr; }
    bool running() const;
    HANDLE handle() const { return handle_; }
    DWORD startError() const { return startError_; }
    void end();

private:
    HANDLE handle_ = nullptr;
    DWORD startError_ = 0;
};

}  // namespace measure
