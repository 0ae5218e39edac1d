#include "child_process.h"

#include "text.h"

namespace measure {

ChildProcess::ChildProcess(const std::wstring& program, const std::wstring& arguments,
                           const std::wstring& workingFolder) {
    std::wstring commandLine = quoted(program);
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, workingFolder.c_str(),
                        &startup, &info)) {
        startError_ = GetLastError();
        return;
    }
    CloseHandle(info.hThread);
    handle_ = info.hProcess;
}

ChildProcess::~ChildProcess() {
    end();
    if (handle_) CloseHandle(handle_);
}

bool ChildProcess::running() const {
    return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

void ChildProcess::end() {
    if (!running()) return;
    TerminateProcess(handle_, 1);
    WaitForSingleObject(handle_, 10000);
}

}  // namespace measure
