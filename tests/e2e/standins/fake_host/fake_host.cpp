// Plays the program Kestro remote-controls: a top-level window titled "DashOrbit" that
// writes every WM_COPYDATA it receives to a log, one line each:
//   <usec> tag=<dwData> len=<cbData> zero=<0|1> text=<bytes, non-printables as \xHH>
// zero= is the byte just past cbData. Windows (and Wine) copy only cbData bytes between
// processes, so across processes it shows whatever follows in the receive buffer, not
// what the sender had there; only an in-process SendMessage sees the sender's byte.
//
// Usage: fake_host.exe [--log host_log.txt] [--slow <ms>] [--lifetime <s, default 600>]
//   --slow makes each WM_COPYDATA take that long, to play a hung or busy host.

#include "../common/escape_bytes.h"
#include "../common/lifetime_watchdog.h"
#include "../common/line_log.h"
#include "../common/options.h"
#include "../common/text_convert.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr wchar_t window_title[] = L"DashOrbit";
constexpr wchar_t window_class[] = L"KestroStandinDashOrbit";

struct HostState {
    std::unique_ptr<standin::LineLog> log;
    unsigned long slow_ms = 0;
};

HostState host;

void log_copy_data(const COPYDATASTRUCT& data)
{
    const auto* bytes = static_cast<const char*>(data.lpData);
    std::string line = "tag=" + std::to_string(data.dwData) + " len=" + std::to_string(data.cbData);
    if (bytes == nullptr) {
        line += " zero=0 text=<null>";
    } else {
        line += bytes[data.cbData] == '\0' ? " zero=1" : " zero=0";
        line += " text=" + standin::escape_bytes(std::string_view(bytes, data.cbData));
    }
    host.log->write_line(line);
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_COPYDATA:
        log_copy_data(*reinterpret_cast<const COPYDATASTRUCT*>(lparam));
        if (host.slow_ms > 0) {
            Sleep(host.slow_ms);
            host.log->write_line("slow done ms=" + std::to_string(host.slow_ms));
        }
        return TRUE;
    case WM_CLOSE:
        host.log->write_line("close");
        // No DestroyWindow: under Wine without a window manager it waits ~2 s for the X
        // window to be withdrawn. Process exit removes the window just as well.
        PostQuitMessage(0);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

int fail_usage(const std::wstring& error)
{
    std::fprintf(stderr, "fake_host: %s\n", standin::narrow_utf8(error).c_str());
    return 2;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    auto options = standin::parse_options({L"--log", L"--slow", L"--lifetime"});
    host.slow_ms = options.number(L"--slow", 0);
    const unsigned long lifetime_s = options.number(L"--lifetime", 600);
    if (!options.positional.empty())
        options.error = L"unexpected argument: " + options.positional.front();
    if (!options.error.empty())
        return fail_usage(options.error);

    host.log = std::make_unique<standin::LineLog>(options.value(L"--log").value_or(L"host_log.txt"));
    if (!host.log->is_open())
        return fail_usage(L"cannot open the log file");

    WNDCLASSW window_class_info{};
    window_class_info.lpfnWndProc = window_proc;
    window_class_info.hInstance = instance;
    window_class_info.lpszClassName = window_class;
    window_class_info.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window_class_info.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&window_class_info);

    const HWND window = CreateWindowExW(0, window_class, window_title, WS_OVERLAPPEDWINDOW,
                                        CW_USEDEFAULT, CW_USEDEFAULT, 400, 200, nullptr, nullptr,
                                        instance, nullptr);
    if (window == nullptr)
        return fail_usage(L"cannot create the window");
    // Shown without activation, so a keystroke target started earlier keeps the focus.
    ShowWindow(window, SW_SHOWNOACTIVATE);
    standin::start_lifetime_watchdog(window, lifetime_s);

    char ready[64];
    std::snprintf(ready, sizeof ready, "ready pid=%lu hwnd=0x%llX", GetCurrentProcessId(),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
    host.log->write_line(ready);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    host.log->write_line("exit");
    return 0;
}
