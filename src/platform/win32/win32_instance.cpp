#include "platform/win32/win32_instance.h"

#include "platform/win32/ansi_text.h"

namespace kestro {

UINT Win32Instance::activationMessage() {
    static const UINT message = RegisterWindowMessageW(L"Kestro.ComeForward");
    return message;
}

Win32Instance::~Win32Instance() {
    if (mutex_) CloseHandle(mutex_);
}

bool Win32Instance::anotherRunning() {
    if (!mutex_) mutex_ = CreateMutexW(nullptr, FALSE, L"Local\\Kestro v3.0 single instance");
    return mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

void Win32Instance::activate(std::string_view title) {
    const HWND other = FindWindowW(nullptr, win32::ansiToWide(title).c_str());
    if (!other) return;
    // Lets the running instance take the foreground that this launch owns.
    DWORD process = 0;
    GetWindowThreadProcessId(other, &process);
    AllowSetForegroundWindow(process);
    PostMessageW(other, activationMessage(), 0, 0);
}

}  // namespace kestro
