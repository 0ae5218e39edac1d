#include "window_program.h"

#include "common/text.h"
#include "lifetime_watchdog.h"

#include <cstdio>

namespace standin {

int fail_usage(const char* program, const std::wstring& error)
{
    std::fprintf(stderr, "%s: %s\n", program, e2e::narrow(error).c_str());
    return 2;
}

HWND create_main_window(HINSTANCE instance, const wchar_t* class_name, WNDPROC window_proc,
                        HBRUSH background, const wchar_t* title, int width, int height)
{
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.lpszClassName = class_name;
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window_class.hbrBackground = background;
    RegisterClassW(&window_class);

    return CreateWindowExW(0, class_name, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           width, height, nullptr, nullptr, instance, nullptr);
}

LRESULT end_or_default(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CLOSE:
        // No DestroyWindow: under Wine without a window manager it waits ~2 s for the X
        // window to be withdrawn. Process exit removes the window just as well.
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

int run_window(HWND window, LineLog& log, unsigned long lifetime_s, std::string_view ready_details)
{
    start_lifetime_watchdog(window, lifetime_s);

    char ready[64];
    std::snprintf(ready, sizeof ready, "ready pid=%lu hwnd=0x%llX", GetCurrentProcessId(),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
    log.write_line(std::string(ready) + std::string(ready_details));

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    log.write_line("exit");
    return 0;
}

}  // namespace standin
