#include "platform/win32/win32_keystrokes.h"

#include <windows.h>
#include <dwmapi.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "platform/portable/key_event_plan.h"
#include "platform/portable/key_string.h"
#include "platform/portable/title_rule.h"
#include "platform/win32/ansi_text.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_keyboard.h"

namespace kestro {
namespace {

// How long activation waits for the foreground to change, and then for the
// target's thread to put its focus inside it.
constexpr DWORD kFrontWaitMs = 100;
constexpr DWORD kFocusWaitMs = 200;
constexpr DWORD kWaitStepMs = 10;

// On another virtual desktop, or a suspended store app: visible to the
// window list, yet not on screen.
bool isCloaked(HWND window) {
    DWORD cloaked = 0;
    return SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) && cloaked != 0;
}

// Windows ignores the case of every letter of a title, not of ASCII ones
// only: upper-cased with the system's own table, titles compare as the
// portable title rule compares them.
std::u16string upperCase(const wchar_t* text, int length) {
    std::wstring upper(static_cast<std::size_t>(length), L'\0');
    if (length > 0 && LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text, length, upper.data(), length,
                                    nullptr, nullptr, 0) != length)
        upper.assign(text, static_cast<std::size_t>(length));
    return std::u16string(upper.begin(), upper.end());
}

struct WindowSearch {
    int titleLength = 0;
    std::wstring buffer;
    std::vector<HWND> windows;
    std::vector<std::u16string> titles;
};

BOOL CALLBACK visitWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    if (!IsWindowVisible(window)) return TRUE;
    // The stored title, read without a message: GetWindowText sends
    // WM_GETTEXT to another program's window and waits if that one hangs.
    // One character beyond the title tells a longer title from an equal one.
    search.buffer.assign(static_cast<std::size_t>(search.titleLength) + 2, L'\0');
    const int got = InternalGetWindowText(window, search.buffer.data(), search.titleLength + 2);
    if (got < search.titleLength || isCloaked(window)) return TRUE;
    search.windows.push_back(window);
    search.titles.push_back(upperCase(search.buffer.data(), got));
    return TRUE;
}

// The window `title` names among the top-level windows on screen, which
// EnumWindows lists front to back; nullptr if none.
HWND findMatchingWindow(std::string_view title) {
    const std::wstring wanted = win32::ansiToWide(title);
    if (wanted.size() > static_cast<std::size_t>(INT_MAX - 2)) return nullptr;
    WindowSearch search;
    search.titleLength = static_cast<int>(wanted.size());
    EnumWindows(visitWindow, reinterpret_cast<LPARAM>(&search));
    const auto found = titles::matchingWindow(upperCase(wanted.data(), search.titleLength), search.titles);
    return found ? search.windows[*found] : nullptr;
}

// A dialog the window owns counts as the window being in front.
bool isInFront(HWND window) {
    const HWND front = GetForegroundWindow();
    return front && (front == window || GetAncestor(front, GA_ROOTOWNER) == window);
}

// Where the keys will land: the focus of the thread in front, when that
// focus is inside `window` (or a dialog it owns); nullptr otherwise. The
// foreground can name the target before its thread has moved the focus
// back, and keys sent in that gap are lost or arrive as system keys. The
// foreground thread is asked for itself: a console window names a thread
// that does not hold its focus.
HWND focusInside(HWND window) {
    if (!isInFront(window)) return nullptr;
    const HWND front = GetForegroundWindow();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(0, &info)) return nullptr;
    const HWND focus = info.hwndFocus;
    return focus && (focus == front || IsChild(front, focus)) ? focus : nullptr;
}

// The tick waits in these, so the waits are short and bounded.
template <typename Condition>
bool waitFor(Condition condition, DWORD limitMs) {
    const ULONGLONG start = GetTickCount64();
    while (!condition()) {
        if (GetTickCount64() - start >= limitMs) return false;
        Sleep(kWaitStepMs);
    }
    return true;
}

bool isExtendedKey(WORD virtualKey) {
    switch (virtualKey) {
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
        case VK_INSERT: case VK_DELETE:
        case VK_NUMLOCK: case VK_DIVIDE: case VK_CANCEL: case VK_SNAPSHOT:
        case VK_RCONTROL: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_APPS:
            return true;
        default:
            return false;
    }
}

INPUT keyEvent(WORD virtualKey, bool up, HKL layout) {
    INPUT event{};
    event.type = INPUT_KEYBOARD;
    event.ki.wVk = virtualKey;
    // Some programs look at the scan code rather than the virtual key.
    event.ki.wScan = static_cast<WORD>(MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_VSC, layout));
    event.ki.dwFlags = (isExtendedKey(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0) |
                       (up ? KEYEVENTF_KEYUP : 0);
    return event;
}

INPUT toInput(const keys::KeyEvent& planned, HKL layout) {
    if (planned.kind == keys::KeyEvent::Kind::Key) return keyEvent(planned.code, planned.up, layout);
    // The target gets VK_PACKET and exactly this unit, which an input method lets through.
    INPUT event{};
    event.type = INPUT_KEYBOARD;
    event.ki.wScan = planned.code;
    event.ki.dwFlags = KEYEVENTF_UNICODE | (planned.up ? KEYEVENTF_KEYUP : 0);
    return event;
}

// Windows lets only the program that received the last input change the
// foreground window; a tray program never has, but a keystroke of its own
// lifts the lock. Alt is pressed around a key no layout assigns, so its
// release is no lone Alt tap and no window sees a character. None of this
// is needed while our own window is in front, nor while the user holds
// Alt, whose press lifted the lock already and which must stay down.
// Still refused, the change is made again while sharing the input state of
// the thread in front, which makes it that thread's own; not with a hung
// thread, whose stalled input would then be ours.
bool bringToFront(HWND window) {
    DWORD frontProcess = 0;
    if (const HWND front = GetForegroundWindow()) GetWindowThreadProcessId(front, &frontProcess);
    if (frontProcess != GetCurrentProcessId() && !(GetAsyncKeyState(VK_MENU) & 0x8000)) {
        const HKL layout = GetKeyboardLayout(0);
        INPUT altTap[] = {keyEvent(VK_MENU, false, layout), keyEvent(keys::vk::kUnassigned, false, layout),
                          keyEvent(keys::vk::kUnassigned, true, layout), keyEvent(VK_MENU, true, layout)};
        SendInput(4, altTap, sizeof(INPUT));
    }
    const auto inFront = [window] { return isInFront(window); };
    if (SetForegroundWindow(window) && waitFor(inFront, kFrontWaitMs)) return true;

    const HWND front = GetForegroundWindow();
    const DWORD frontThread = front ? GetWindowThreadProcessId(front, nullptr) : 0;
    const DWORD ownThread = GetCurrentThreadId();
    if (frontThread == 0 || frontThread == ownThread || IsHungAppWindow(front) ||
        !AttachThreadInput(ownThread, frontThread, TRUE))
        return false;
    const bool set = SetForegroundWindow(window) != FALSE;
    AttachThreadInput(ownThread, frontThread, FALSE);
    return set && waitFor(inFront, kFrontWaitMs);
}

bool activate(HWND window) {
    // ShowWindow would wait for the window's thread, which may hang.
    if (IsIconic(window)) ShowWindowAsync(window, SW_RESTORE);
    if (!isInFront(window) && !bringToFront(window)) {
        // SetForegroundWindow sets no error code; a refusal is the foreground lock.
        win32::reportFailure(L"SetForegroundWindow (the keystroke target stays behind; the press is skipped)",
                             ERROR_ACCESS_DENIED);
        return false;
    }
    return waitFor([window] { return focusInside(window) != nullptr; }, kFocusWaitMs);
}

// Decoded whole before parsing: in a double-byte code page a trail byte can
// look like syntax.
std::optional<std::vector<keys::KeyStroke>> parse(std::string_view keyString) {
    const std::wstring wide = win32::ansiToWide(keyString);
    return keys::parseKeyString(std::u16string(wide.begin(), wide.end()));
}

bool typeStrokes(HWND window, const std::vector<keys::KeyStroke>& strokes) {
    const HWND focus = focusInside(window);
    if (!focus) return false;
    const HKL layout = win32::layoutFor(window, focus);
    const win32::KeyboardLayoutOf keyboard(layout, (GetKeyState(VK_CAPITAL) & 1) != 0);
    const keys::KeyboardState state{win32::heldModifiers(), win32::inputMethodComposing(focus)};
    const std::vector<keys::KeyEvent> planned = keys::planKeyEvents(strokes, keyboard, state);
    if (planned.size() > static_cast<std::size_t>(INT_MAX)) return false;
    if (planned.empty()) return true;

    std::vector<INPUT> events;
    events.reserve(planned.size());
    for (const keys::KeyEvent& event : planned) events.push_back(toInput(event, layout));
    // The input method may have taken a while to answer.
    if (focusInside(window) != focus) return false;
    // One call, so the user's own typing cannot land between our keys.
    const auto count = static_cast<UINT>(events.size());
    return SendInput(count, events.data(), sizeof(INPUT)) == count;
}

}  // namespace

bool Win32Keystrokes::activateAndType(std::string_view title, std::string_view keyString) {
    const auto strokes = parse(keyString);
    if (!strokes) return false;
    const HWND window = findMatchingWindow(title);
    return window && activate(window) && typeStrokes(window, *strokes);
}

bool Win32Keystrokes::typeInto(std::string_view title, std::string_view keyString) {
    const auto strokes = parse(keyString);
    if (!strokes) return false;
    const HWND window = findMatchingWindow(title);
    return window && typeStrokes(window, *strokes);
}

}  // namespace kestro
