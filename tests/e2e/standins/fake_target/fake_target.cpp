// Plays the window Kestro types into: a top-level window with a multiline edit control
// that holds the focus. Every keyboard message is logged, one line each:
//   <usec> <edit|main> keydown|keyup|syskeydown|syskeyup vk=0xHH scan=0xHH
//   <usec> <edit|main> char|syschar code=0xHHHH text=<UTF-8, non-printables as \xHH>
// "edit" is what focused typing (SendInput) reaches; "main" shows messages posted straight
// to the top-level window, which a real editor would not see in its text.
// Also: "ready ..." once the window is up, "focus edit" when the edit gets the focus,
// "keymenu" when a lone Alt tap would open the window menu (menu mode is not entered, so
// the run goes on), and "final text=..." with the edit's contents when the window closes.
//
// Windows rules Wine does not enforce, played on request:
//   --focus-delay <ms>  on each activation the focus stays nowhere for that long before it
//                       goes back to the edit, as in a busy program; keys sent meanwhile
//                       reach the window as system keys ("main syskeydown ...").
//   --watch-keys 1      every key event of the desktop, whichever window it goes to, is
//                       logged as "hook keydown|keyup vk=0xHH" (a low-level keyboard hook):
//                       Wine drops keys queued for a window that loses the foreground,
//                       Windows delivers them, so only the hook shows a lone Alt tap.
//   message WM_APP with wParam <ms>: the window minimises itself and stops answering for
//                       that long ("hang ms=<ms>", then "hang done"), as a hung program.
//
// Usage: fake_target.exe [--title "Notepad Target"] [--log target_log.txt] [--lifetime <s>]
//                        [--focus-delay <ms>] [--watch-keys 1]

#include "../support/escape_bytes.h"
#include "../support/line_log.h"
#include "../support/options.h"
#include "../support/window_program.h"
#include "common/text.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr char program_name[] = "fake_target";
constexpr wchar_t window_class[] = L"KestroStandinTarget";

struct TargetState {
    std::unique_ptr<standin::LineLog> log;
    HWND edit = nullptr;
    WNDPROC edit_default_proc = nullptr;
    unsigned long focus_delay_ms = 0;
    bool focus_pending = false;
};

constexpr UINT_PTR focus_timer = 1;


TargetState target;

LRESULT CALLBACK watch_key(int code, WPARAM wparam, LPARAM lparam)
{
    if (code == HC_ACTION) {
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
        const bool up = wparam == WM_KEYUP || wparam == WM_SYSKEYUP;
        char line[64];
        std::snprintf(line, sizeof line, "hook %s vk=0x%02X", up ? "keyup" : "keydown",
                      static_cast<unsigned>(key.vkCode));
        target.log->write_line(line);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

const char* key_message_name(UINT message)
{
    switch (message) {
    case WM_KEYDOWN: return "keydown";
    case WM_KEYUP: return "keyup";
    case WM_SYSKEYDOWN: return "syskeydown";
    case WM_SYSKEYUP: return "syskeyup";
    case WM_CHAR: return "char";
    case WM_SYSCHAR: return "syschar";
    default: return nullptr;
    }
}

void log_keyboard_message(const char* where, UINT message, WPARAM wparam, LPARAM lparam)
{
    const char* name = key_message_name(message);
    if (name == nullptr)
        return;
    char line[96];
    if (message == WM_CHAR || message == WM_SYSCHAR) {
        const wchar_t unit = static_cast<wchar_t>(wparam);
        std::snprintf(line, sizeof line, "%s %s code=0x%04X text=", where, name,
                      static_cast<unsigned>(unit));
        target.log->write_line(line +
                               standin::escape_bytes(e2e::narrow(std::wstring_view(&unit, 1))));
    } else {
        std::snprintf(line, sizeof line, "%s %s vk=0x%02X scan=0x%02X", where, name,
                      static_cast<unsigned>(wparam), static_cast<unsigned>((lparam >> 16) & 0xFF));
        target.log->write_line(line);
    }
}

std::string edit_text()
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(target.edit)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(target.edit, text.data(), static_cast<int>(text.size()))));
    return e2e::narrow(text);
}

LRESULT CALLBACK edit_proc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam)
{
    log_keyboard_message("edit", message, wparam, lparam);
    if (message == WM_SETFOCUS)
        target.log->write_line("focus edit");
    return CallWindowProcW(target.edit_default_proc, edit, message, wparam, lparam);
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    log_keyboard_message("main", message, wparam, lparam);
    switch (message) {
    case WM_SIZE:
        MoveWindow(target.edit, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
        return 0;
    case WM_ACTIVATE:
        if (target.focus_delay_ms > 0 && LOWORD(wparam) != WA_INACTIVE) {
            target.focus_pending = true;
            SetTimer(window, focus_timer, target.focus_delay_ms, nullptr);
        }
        break;
    case WM_SETFOCUS:
        // Wine gives an activated window the focus itself; a busy program's focus is nowhere yet.
        SetFocus(target.focus_pending ? nullptr : target.edit);
        return 0;
    case WM_TIMER:
        if (wparam == focus_timer) {
            KillTimer(window, focus_timer);
            target.focus_pending = false;
            SetFocus(target.edit);
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        if ((wparam & 0xFFF0) == SC_KEYMENU) {
            target.log->write_line("keymenu");
            return 0;
        }
        break;
    case WM_APP: {
        char line[48];
        std::snprintf(line, sizeof line, "hang ms=%lu", static_cast<unsigned long>(wparam));
        ShowWindow(window, SW_MINIMIZE);
        target.log->write_line(line);
        Sleep(static_cast<DWORD>(wparam));
        target.log->write_line("hang done");
        return 0;
    }
    case WM_CLOSE:
        target.log->write_line("final text=" + standin::escape_bytes(edit_text()));
        break;
    }
    return standin::end_or_default(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    auto options = standin::parse_options({L"--title", L"--log", L"--lifetime", L"--focus-delay", L"--watch-keys"});
    const unsigned long lifetime_s = options.number(L"--lifetime", 600);
    target.focus_delay_ms = options.number(L"--focus-delay", 0);
    if (options.number(L"--watch-keys", 0) != 0 &&
        SetWindowsHookExW(WH_KEYBOARD_LL, watch_key, instance, 0) == nullptr)
        return standin::fail_usage(program_name, L"cannot hook the keyboard");
    if (!options.positional.empty())
        options.error = L"unexpected argument: " + options.positional.front();
    if (!options.error.empty())
        return standin::fail_usage(program_name, options.error);
    const std::wstring title = options.value(L"--title").value_or(L"Notepad Target");

    target.log = std::make_unique<standin::LineLog>(options.value(L"--log").value_or(L"target_log.txt"));
    if (!target.log->is_open())
        return standin::fail_usage(program_name, L"cannot open the log file");

    const HWND window =
        standin::create_main_window(instance, window_class, window_proc, nullptr, title.c_str(), 500, 300);
    if (window == nullptr)
        return standin::fail_usage(program_name, L"cannot create the window");
    target.edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE |
                                      ES_AUTOVSCROLL | ES_WANTRETURN,
                                  0, 0, 0, 0, window, nullptr, instance, nullptr);
    if (target.edit == nullptr)
        return standin::fail_usage(program_name, L"cannot create the edit control");
    target.edit_default_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(target.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(edit_proc)));

    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    SetFocus(target.edit);
    const bool foreground = GetForegroundWindow() == window;
    return standin::run_window(window, *target.log, lifetime_s, foreground ? " foreground=1" : " foreground=0");
}
