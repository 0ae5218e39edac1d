#include "platform/win32/win32_instance.h"

#include "platform/win32/ansi_text.h"
#include "platform/win32/win32_errors.h"

namespace kestro {

UINT Win32Instance::activationMessage() {
    static const UINT message = RegisterWindowMessageW(L"Kestro.ComeForward");
    return message;
}

Win32Instance::~Win32Instance() {
    if (mutex_) CloseHandle(mutex_);
}

bool Win32Instance::anotherRunning() {
    if (!asked_) {
        asked_ = true;
        mutex_ = CreateMutexW(nullptr, FALSE, L"Local\\Kestro v3.0 single instance");
        const DWORD error = GetLastError();
        // An instance running as administrator holds a mutex that this one may not open.
        another_ = mutex_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
        if (!mutex_ && !another_) win32::reportFailure(L"CreateMutexW", error);
    }
    return another_;
}

void Win32Instance::activate(std::string_view title) {
    // By class as well: any other program may carry the same title.
    const HWND other = FindWindowW(kAppWindowClass, win32::ansiToWide(title).c_str());
    if (!other) return;
    // Lets the running instance take the foreground that this launch owns.
    DWORD process = 0;
    GetWindowThreadProcessId(other, &process);
    AllowSetForegroundWindow(process);
    PostMessageW(other, activationMessage(), 0, 0);
}

}  // namespace kestro
