// Plays the program Kestro remote-controls: a top-level window titled "DashOrbit" that
// writes every WM_COPYDATA it receives to a log, one line each:
//   <usec> tag=<dwData> len=<cbData> zero=<0|1> text=<bytes, non-printables as \xHH>
// zero= is the byte just past cbData. Windows (and Wine) copy only cbData bytes between
// processes, so across processes it shows whatever follows in the receive buffer, not
// what the sender had there; only an in-process SendMessage sees the sender's byte.
//
// Usage: fake_host.exe [--log host_log.txt] [--slow <ms>] [--lifetime <s, default 600>]
//                      [--title <text>] [--class <name>] [--answer <0|1, default 1>]
//                      [--mutex <name>] [--broadcast <0|1>]
//   --slow makes each WM_COPYDATA take that long, to play a hung or busy host.
//   --broadcast 1 sends WM_SETTINGCHANGE to every top-level window while it handles each
//   WM_COPYDATA, as programs do when a setting changes, and logs how long that took:
//     <usec> broadcast done ms=<n>
//   A sender that blocks sent messages while it waits stalls it.
//   --title and --class make it another window that shares a title (an Explorer folder
//   window is "CabinetWClass"); --answer 0 refuses every WM_COPYDATA, as a taskbar
//   window ("Shell_TrayWnd") still starting refuses tray icons.
//   --mutex holds a named mutex that no other process may open, as one made by a program
//   run as administrator is to a program at the normal level.

#include "../support/escape_bytes.h"
#include "../support/line_log.h"
#include "../support/options.h"
#include "../support/window_program.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace {

constexpr char program_name[] = "fake_host";
constexpr wchar_t default_title[] = L"DashOrbit";
constexpr wchar_t default_class[] = L"KestroStandinDashOrbit";

struct HostState {
    std::unique_ptr<standin::LineLog> log;
    unsigned long slow_ms = 0;
    bool broadcast = false;
    LRESULT answer = TRUE;
};

HostState host;

// An empty access list grants nothing to anyone, the creator's later opens included.
HANDLE create_locked_mutex(const std::wstring& name)
{
    SECURITY_DESCRIPTOR descriptor;
    ACL empty;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !InitializeAcl(&empty, sizeof empty, ACL_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor, TRUE, &empty, FALSE))
        return nullptr;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
    return CreateMutexW(&attributes, FALSE, name.c_str());
}

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
        if (host.broadcast) {
            const ULONGLONG start = GetTickCount64();
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"KestroE2E"),
                                SMTO_ABORTIFHUNG, 5000, &ignored);
            host.log->write_line("broadcast done ms=" + std::to_string(GetTickCount64() - start));
        }
        if (host.slow_ms > 0) {
            Sleep(host.slow_ms);
            host.log->write_line("slow done ms=" + std::to_string(host.slow_ms));
        }
        return host.answer;
    case WM_CLOSE:
        host.log->write_line("close");
        break;
    }
    return standin::end_or_default(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    auto options = standin::parse_options({L"--log", L"--slow", L"--lifetime", L"--title", L"--class", L"--answer", L"--mutex", L"--broadcast"});
    host.slow_ms = options.number(L"--slow", 0);
    host.answer = options.number(L"--answer", 1) != 0 ? TRUE : FALSE;
    host.broadcast = options.number(L"--broadcast", 0) != 0;
    const std::wstring title = options.value(L"--title").value_or(default_title);
    const std::wstring class_name = options.value(L"--class").value_or(default_class);
    const unsigned long lifetime_s = options.number(L"--lifetime", 600);
    const std::optional<std::wstring> mutex_name = options.value(L"--mutex");
    if (!options.positional.empty())
        options.error = L"unexpected argument: " + options.positional.front();
    if (!options.error.empty())
        return standin::fail_usage(program_name, options.error);

    host.log = std::make_unique<standin::LineLog>(options.value(L"--log").value_or(L"host_log.txt"));
    if (!host.log->is_open())
        return standin::fail_usage(program_name, L"cannot open the log file");
    // Kept for the whole life of the process.
    if (mutex_name && create_locked_mutex(*mutex_name) == nullptr)
        return standin::fail_usage(program_name, L"cannot create the mutex");

    const HWND window = standin::create_main_window(instance, class_name.c_str(), window_proc,
                                                    reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                                                    title.c_str(), 400, 200);
    if (window == nullptr)
        return standin::fail_usage(program_name, L"cannot create the window");
    // Shown without activation, so a keystroke target started earlier keeps the focus.
    ShowWindow(window, SW_SHOWNOACTIVATE);
    return standin::run_window(window, *host.log, lifetime_s, "");
}
