#include "app/app_window.h"

#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_instance.h"

namespace kestro {
namespace {

UINT taskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

LRESULT CALLBACK appWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* events = reinterpret_cast<AppWindowEvents*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (events) {
        // The mouse message is the low word whatever the display scale.
        if (message == kTrayCallbackMessage) {
            events->onTrayCallback(LOWORD(lParam));
            return 0;
        }
        if (message == taskbarCreatedMessage()) {
            events->onTaskbarCreated();
            return 0;
        }
        if (message == WM_TIMER && wParam == kTrayRetryTimer) {
            events->onTrayRetry();
            return 0;
        }
        if (message == Win32Instance::activationMessage()) {
            events->onComeForward();
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND createAppWindow(HINSTANCE instance, AppWindowEvents& events) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = appWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kAppWindowClass;
    if (!RegisterClassExW(&wc)) {
        win32::reportLastError(L"RegisterClassExW (application window)");
        return nullptr;
    }
    // A top-level window, never shown: one that only handles messages could
    // not be found by title, nor receive the taskbar's broadcast.
    const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kAppWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                        nullptr, instance, &events);
    if (!window) {
        win32::reportLastError(L"CreateWindowExW (application window)");
        return nullptr;
    }
    // Run as administrator, the window would otherwise never hear from
    // Explorer or a second launch, which run at the normal level.
    for (const UINT message : {taskbarCreatedMessage(), Win32Instance::activationMessage(), kTrayCallbackMessage})
        if (!ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr))
            win32::reportLastError(L"ChangeWindowMessageFilterEx");
    return window;
}

}  // namespace kestro
