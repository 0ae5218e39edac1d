#include "platform/win32/win32_keystrokes.h"

#include <windows.h>
#include <imm.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "platform/portable/key_string.h"
#include "platform/win32/ansi_text.h"

namespace kestro {
namespace {

// How long activate waits for the target's thread to put its focus inside it.
constexpr DWORD kFocusWaitMs = 200;
constexpr DWORD kFocusStepMs = 10;

// Pressed inside the Alt press that buys the foreground: a virtual key no
// layout assigns, so the Alt release is no lone Alt tap (which opens the
// menu of the window that gets it) and no window sees a character.
constexpr WORD kUnassignedKey = 0xE8;

// IMC_GETOPENSTATUS of the Windows SDK's imm.h, which MinGW's lacks.
constexpr WPARAM kImeGetOpenStatus = 0x0005;
constexpr UINT kImeQueryTimeoutMs = 50;

struct WindowSearch {
    std::wstring title;
    std::wstring buffer;
    HWND exact = nullptr;
    HWND prefix = nullptr;
};

bool sameTextIgnoringCase(const wchar_t* a, const std::wstring& b) {
    return CompareStringOrdinal(a, static_cast<int>(b.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

BOOL CALLBACK visitWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    if (!IsWindowVisible(window)) return TRUE;
    // The stored title, read without a message: GetWindowText sends
    // WM_GETTEXT to another program's window and waits if that one hangs.
    // One character beyond the title tells a longer title from an equal one.
    const auto wanted = static_cast<int>(search.title.size());
    search.buffer.assign(search.title.size() + 2, L'\0');
    const int got = InternalGetWindowText(window, search.buffer.data(), wanted + 2);
    if (got < wanted || !sameTextIgnoringCase(search.buffer.data(), search.title)) return TRUE;
    if (got == wanted) {
        search.exact = window;
        return FALSE;
    }
    // Windows come in front-to-back order, so the first one is the topmost.
    if (!search.prefix) search.prefix = window;
    return TRUE;
}

// The visible top-level window titled `title`, or else the first whose
// title begins with it; nullptr if none. An empty title matches nothing,
// since every window would begin with it.
HWND findMatchingWindow(std::string_view title) {
    WindowSearch search;
    search.title = win32::ansiToWide(title);
    if (search.title.empty() || search.title.size() > static_cast<std::size_t>(INT_MAX - 2)) return nullptr;
    EnumWindows(visitWindow, reinterpret_cast<LPARAM>(&search));
    return search.exact ? search.exact : search.prefix;
}

// A dialog the window owns counts as the window being in front.
bool isInFront(HWND window) {
    const HWND front = GetForegroundWindow();
    return front && (front == window || GetAncestor(front, GA_ROOTOWNER) == window);
}

// Where the keys will land: the focus of the thread in front, when that
// focus is inside `window` (or a dialog it owns); nullptr otherwise. The
// foreground can name the target before its thread has moved the focus
// back, and keys sent in that gap are lost or arrive as system keys.
HWND focusInside(HWND window) {
    if (!isInFront(window)) return nullptr;
    const HWND front = GetForegroundWindow();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(front, nullptr), &info)) return nullptr;
    const HWND focus = info.hwndFocus;
    return focus && (focus == front || IsChild(front, focus)) ? focus : nullptr;
}

// The tick waits here, so the wait is short and bounded.
bool waitForFocus(HWND window) {
    const ULONGLONG start = GetTickCount64();
    while (!focusInside(window)) {
        if (GetTickCount64() - start >= kFocusWaitMs) return false;
        Sleep(kFocusStepMs);
    }
    return true;
}

bool isExtendedKey(WORD virtualKey) {
    switch (virtualKey) {
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
        case VK_INSERT: case VK_DELETE:
        case VK_NUMLOCK: case VK_DIVIDE: case VK_CANCEL: case VK_SNAPSHOT:
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

// Windows lets only the program that received the last input change the
// foreground window; a tray program never has, but a keystroke of its own
// lifts the lock. None is needed while our own window is in front.
void bringToFront(HWND window) {
    DWORD frontProcess = 0;
    if (const HWND front = GetForegroundWindow()) GetWindowThreadProcessId(front, &frontProcess);
    if (frontProcess != GetCurrentProcessId()) {
        const HKL layout = GetKeyboardLayout(0);
        INPUT keys[] = {keyEvent(VK_MENU, false, layout), keyEvent(kUnassignedKey, false, layout),
                        keyEvent(kUnassignedKey, true, layout), keyEvent(VK_MENU, true, layout)};
        SendInput(4, keys, sizeof(INPUT));
    }
    SetForegroundWindow(window);
}

INPUT unicodeEvent(wchar_t unit, bool up) {
    INPUT event{};
    event.type = INPUT_KEYBOARD;
    event.ki.wScan = static_cast<WORD>(unit);
    event.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return event;
}

constexpr WORD kModifierKeys[] = {VK_SHIFT, VK_CONTROL, VK_MENU};
constexpr std::uint8_t kModifierBits[] = {keys::kShift, keys::kCtrl, keys::kAlt};

void pressModifiers(std::vector<INPUT>& events, std::uint8_t modifiers, HKL layout) {
    for (int i = 0; i < 3; ++i)
        if (modifiers & kModifierBits[i]) events.push_back(keyEvent(kModifierKeys[i], false, layout));
}

void releaseModifiers(std::vector<INPUT>& events, std::uint8_t modifiers, HKL layout) {
    for (int i = 2; i >= 0; --i)
        if (modifiers & kModifierBits[i]) events.push_back(keyEvent(kModifierKeys[i], true, layout));
}

void addKey(std::vector<INPUT>& events, WORD virtualKey, std::uint8_t modifiers, HKL layout) {
    pressModifiers(events, modifiers, layout);
    events.push_back(keyEvent(virtualKey, false, layout));
    events.push_back(keyEvent(virtualKey, true, layout));
    releaseModifiers(events, modifiers, layout);
}

// The character itself, whatever the layout: the target gets VK_PACKET and
// exactly this character, which an input method lets through.
void addCharacter(std::vector<INPUT>& events, char32_t character, std::uint8_t modifiers, HKL layout) {
    wchar_t units[2];
    int count = 1;
    if (character < 0x10000) {
        units[0] = static_cast<wchar_t>(character);
    } else {
        units[0] = static_cast<wchar_t>(0xD800 + ((character - 0x10000) >> 10));
        units[1] = static_cast<wchar_t>(0xDC00 + ((character - 0x10000) & 0x3FF));
        count = 2;
    }
    pressModifiers(events, modifiers, layout);
    for (int i = 0; i < count; ++i) {
        events.push_back(unicodeEvent(units[i], false));
        events.push_back(unicodeEvent(units[i], true));
    }
    releaseModifiers(events, modifiers, layout);
}

// What the keyboard of the window in front does with a key.
struct Keyboard {
    HKL layout = nullptr;
    bool capsLock = false;
    bool inputMethodOpen = false;
};

struct KeyPress {
    WORD virtualKey = 0;
    std::uint8_t modifiers = 0;
};

// The key and the Shift/Ctrl/Alt it needs on the layout to type
// `character`; nullopt when no such key exists there.
std::optional<KeyPress> keyFor(char32_t character, HKL layout) {
    if (character > 0xFFFF) return std::nullopt;
    const SHORT found = VkKeyScanExW(static_cast<WCHAR>(character), layout);
    if (found == -1) return std::nullopt;
    const auto state = static_cast<unsigned>(HIBYTE(found));
    // Kana and other layout-specific shift states cannot be pressed here.
    if (state & ~7u) return std::nullopt;
    KeyPress press{static_cast<WORD>(LOBYTE(found)), 0};
    if (state & 1) press.modifiers |= keys::kShift;
    if (state & 2) press.modifiers |= keys::kCtrl;
    if (state & 4) press.modifiers |= keys::kAlt;
    return press;
}

// True when pressing `press` types exactly `character` and nothing else:
// not a dead key waiting for the next one, not the other letter case.
bool typesExactly(const KeyPress& press, char32_t character, const Keyboard& keyboard) {
    BYTE state[256]{};
    if (press.modifiers & keys::kShift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    if (press.modifiers & keys::kCtrl) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    if (press.modifiers & keys::kAlt) state[VK_MENU] = state[VK_LMENU] = 0x80;
    if (keyboard.capsLock) state[VK_CAPITAL] = 0x01;
    const UINT scan = MapVirtualKeyExW(press.virtualKey, MAPVK_VK_TO_VSC, keyboard.layout);
    wchar_t out[4];
    // Flag 4 leaves the keyboard state alone; older systems ignore it, and
    // for them a space flushes the dead key this thread would keep.
    const int count = ToUnicodeEx(press.virtualKey, scan, state, out, 4, 4, keyboard.layout);
    if (count < 0) {
        const BYTE none[256]{};
        ToUnicodeEx(VK_SPACE, MapVirtualKeyExW(VK_SPACE, MAPVK_VK_TO_VSC, keyboard.layout), none, out, 4, 4,
                    keyboard.layout);
    }
    return count == 1 && out[0] == character;
}

// A plain character as its own key when that types exactly it (trying the
// other Shift state for a letter Caps Lock turns round); else nullopt, and
// the character goes as itself.
std::optional<KeyPress> exactKeyFor(char32_t character, const Keyboard& keyboard) {
    if (keyboard.inputMethodOpen) return std::nullopt;
    const std::optional<KeyPress> press = keyFor(character, keyboard.layout);
    if (!press) return std::nullopt;
    if (typesExactly(*press, character, keyboard)) return press;
    const KeyPress otherShift{press->virtualKey, static_cast<std::uint8_t>(press->modifiers ^ keys::kShift)};
    if (typesExactly(otherShift, character, keyboard)) return otherShift;
    return std::nullopt;
}

// All events for `strokes`. A character with modifiers of its own ("^c",
// "+a") is a hot key: its key is pressed with them, as the user would.
std::vector<INPUT> buildEvents(const std::vector<keys::KeyStroke>& strokes, const Keyboard& keyboard) {
    using Kind = keys::KeyStroke::Kind;
    const HKL layout = keyboard.layout;
    std::vector<INPUT> events;
    for (const keys::KeyStroke& stroke : strokes) {
        if (stroke.kind == Kind::Named) {
            addKey(events, stroke.virtualKey, stroke.modifiers, layout);
            continue;
        }
        const std::optional<KeyPress> press = stroke.modifiers ? keyFor(stroke.character, layout)
                                                               : exactKeyFor(stroke.character, keyboard);
        if (press)
            addKey(events, press->virtualKey, static_cast<std::uint8_t>(stroke.modifiers | press->modifiers),
                   layout);
        else
            addCharacter(events, stroke.character, stroke.modifiers, layout);
    }
    return events;
}

// An open input method would compose our letters into something else. The
// question goes to the focus thread's input method window, time-limited,
// since that thread may hang.
bool inputMethodOpen(HWND focus) {
    const HWND imeWindow = ImmGetDefaultIMEWnd(focus);
    DWORD_PTR open = 0;
    return imeWindow &&
           SendMessageTimeoutW(imeWindow, WM_IME_CONTROL, kImeGetOpenStatus, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                               kImeQueryTimeoutMs, &open) != 0 &&
           open != 0;
}

Keyboard keyboardOf(HWND focus) {
    Keyboard keyboard;
    // Characters are looked up on the layout of the window that will
    // receive them, which may differ from this program's.
    keyboard.layout = GetKeyboardLayout(GetWindowThreadProcessId(focus, nullptr));
    keyboard.capsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;
    keyboard.inputMethodOpen = inputMethodOpen(focus);
    return keyboard;
}

}  // namespace

bool Win32Keystrokes::activate(std::string_view title) {
    const HWND window = findMatchingWindow(title);
    if (!window) return false;
    // ShowWindow would wait for the window's thread, which may hang.
    if (IsIconic(window)) ShowWindowAsync(window, SW_RESTORE);
    if (!isInFront(window)) bringToFront(window);
    return waitForFocus(window);
}

bool Win32Keystrokes::typeInto(std::string_view title, std::string_view keyString) {
    // Decoded whole before parsing: in a double-byte code page a trail byte
    // can look like syntax.
    const std::wstring wide = win32::ansiToWide(keyString);
    const auto strokes = keys::parseKeyString(std::u16string(wide.begin(), wide.end()));
    if (!strokes) return false;
    const HWND window = findMatchingWindow(title);
    const HWND focus = window ? focusInside(window) : nullptr;
    if (!focus) return false;

    std::vector<INPUT> events = buildEvents(*strokes, keyboardOf(focus));
    if (events.size() > static_cast<std::size_t>(INT_MAX)) return false;
    if (events.empty()) return true;

    // One call, so the user's own typing cannot land between our keys.
    const auto count = static_cast<UINT>(events.size());
    return SendInput(count, events.data(), sizeof(INPUT)) == count;
}

}  // namespace kestro
