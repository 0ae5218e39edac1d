// The Windows program: wires the platform services to the window state and
// runs the one-thread message loop.
#include <windows.h>
#include <commctrl.h>

#include "core/window_state.h"
#include "platform/services.h"
#include "app/app_window.h"
#include "app/main_window.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_game_controllers.h"
#include "platform/win32/win32_host_messages.h"
#include "platform/win32/win32_instance.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_keystrokes.h"
#include "platform/win32/win32_main_window.h"
#include "platform/win32/win32_profile_file.h"
#include "platform/win32/win32_tray.h"
#include "shell/startup.h"
#include "resource.h"

using namespace kestro;

namespace {

// The icon drawn at the system's small-icon size for the display scale, from
// the image made for that size, not a shrunken large one.
HICON smallIcon(HINSTANCE instance, HICON fallback) {
    HICON icon = nullptr;
    if (const HRESULT result = LoadIconMetric(instance, MAKEINTRESOURCEW(IDI_KESTRO), LIM_SMALL, &icon);
        FAILED(result) || !icon) {
        win32::reportFailure(L"LoadIconMetric", static_cast<DWORD>(result));
        return fallback;
    }
    return icon;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const auto icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_KESTRO), IMAGE_ICON, 0, 0,
                                                    LR_DEFAULTSIZE | LR_SHARED));
    if (!icon) win32::reportLastError(L"LoadImageW (program icon)");
    const HICON small = smallIcon(instance, icon);
    WindowState state;
    KestroWindow window(instance, icon, state);
    if (!window.create()) return 1;
    SendMessageW(window.handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    const HWND appWindow = createAppWindow(instance, window);
    if (!appWindow) return 1;

    Win32GameControllers controllers(instance, window.handle());
    Win32HostMessages host;
    Win32Keystrokes keystrokes;
    Win32ProfileFile profile;
    Win32Dialogs dialogs(window.handle());
    Win32Tray tray(appWindow, kTrayCallbackMessage, kTrayRetryTimer, small);
    Win32Instance single;
    Win32MainWindow mainWindow(window.handle());
    Services services{controllers, host, keystrokes, profile, dialogs, tray, single, mainWindow};
    window.attach(services, tray);
    dialogs.beforeShowing = [&window] { window.afterEvent(); };

    if (!window.startUp()) return 0;
    // Only now may a later launch find this instance by its title.
    const std::wstring title(kApplicationTitle.begin(), kApplicationTitle.end());
    SetWindowTextW(appWindow, title.c_str());
    window.hookPowerBroadcasts();

    // One thread waits for window messages and the poll ticker together; the
    // Close command ends the process from inside a handler. Without a ticker
    // (or once it gave up) the poll timer is a window timer, and only messages
    // are waited for.
    for (;;) {
        const HANDLE poll = window.pollHandle();
        const DWORD handles = poll ? 1 : 0;
        const auto tickDue = [&window] {
            const HANDLE due = window.pollHandle();
            return due && WaitForSingleObject(due, 0) == WAIT_OBJECT_0;
        };
        const DWORD woke = MsgWaitForMultipleObjectsEx(handles, poll ? &poll : nullptr, INFINITE, QS_ALLINPUT,
                                                       MWMO_INPUTAVAILABLE);
        if (handles == 1 && woke == WAIT_OBJECT_0) {
            window.onPollDue();
            continue;
        }
        MSG msg;
        // Messages are handled until the queue is empty or a tick falls due.
        while (!tickDue() && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (window.handleTabKey(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}
