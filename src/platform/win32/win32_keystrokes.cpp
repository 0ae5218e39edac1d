#include "platform/win32/win32_keystrokes.h"

#include <windows.h>

#include <climits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/portable/key_string.h"
#include "platform/win32/ansi_text.h"

namespace kestro {
namespace {

// How long activate waits for the window to come to the front.
constexpr DWORD kActivateWaitMs = 50;
constexpr DWORD kActivateStepMs = 10;

struct WindowSearch {
    std::wstring title;
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
    const int length = GetWindowTextLengthW(window);
    const auto wanted = static_cast<int>(search.title.size());
    if (length < wanted) return TRUE;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    if (got < wanted || !sameTextIgnoringCase(text.data(), search.title)) return TRUE;
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
    if (search.title.empty() || search.title.size() > static_cast<std::size_t>(INT_MAX)) return nullptr;
    EnumWindows(visitWindow, reinterpret_cast<LPARAM>(&search));
    return search.exact ? search.exact : search.prefix;
}

// A dialog the window owns counts as the window being in front.
bool isInFront(HWND window) {
    const HWND front = GetForegroundWindow();
    return front && (front == window || GetAncestor(front, GA_ROOTOWNER) == window);
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

void addText(std::vector<INPUT>& events, const std::wstring& text, std::uint8_t modifiers, HKL layout) {
    pressModifiers(events, modifiers, layout);
    for (wchar_t unit : text) {
        events.push_back(unicodeEvent(unit, false));
        events.push_back(unicodeEvent(unit, true));
    }
    releaseModifiers(events, modifiers, layout);
}

// The key and the Shift/Ctrl/Alt it needs on `layout` to type `character`;
// nullopt when no such key exists there.
std::optional<std::pair<WORD, std::uint8_t>> keyFor(char character, HKL layout) {
    const SHORT found = VkKeyScanExA(character, layout);
    if (found == -1) return std::nullopt;
    const auto state = static_cast<unsigned>(HIBYTE(found));
    // Kana and other layout-specific shift states cannot be pressed here.
    if (state & ~7u) return std::nullopt;
    std::uint8_t modifiers = 0;
    if (state & 1) modifiers |= keys::kShift;
    if (state & 2) modifiers |= keys::kCtrl;
    if (state & 4) modifiers |= keys::kAlt;
    return std::pair{static_cast<WORD>(LOBYTE(found)), modifiers};
}

// All events for `strokes`, or nullopt when a character cannot be typed.
std::optional<std::vector<INPUT>> buildEvents(const std::vector<keys::KeyStroke>& strokes, HKL layout) {
    using Kind = keys::KeyStroke::Kind;
    std::vector<INPUT> events;
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        const keys::KeyStroke& stroke = strokes[i];
        if (stroke.kind == Kind::Named) {
            addKey(events, stroke.virtualKey, stroke.modifiers, layout);
            continue;
        }
        if (const auto key = keyFor(stroke.character, layout)) {
            addKey(events, key->first, static_cast<std::uint8_t>(stroke.modifiers | key->second), layout);
            continue;
        }
        // Not on the keyboard: typed as the character itself. A double-byte
        // character arrives as two strokes and must be converted whole.
        std::string bytes(1, stroke.character);
        const bool leadByte = IsDBCSLeadByte(static_cast<BYTE>(stroke.character));
        if (leadByte && i + 1 < strokes.size() && strokes[i + 1].kind == Kind::Character &&
            strokes[i + 1].modifiers == stroke.modifiers) {
            bytes.push_back(strokes[++i].character);
        }
        const std::wstring text = win32::ansiToWide(bytes);
        if (text.empty()) return std::nullopt;
        addText(events, text, stroke.modifiers, layout);
    }
    return events;
}

}  // namespace

bool Win32Keystrokes::activate(std::string_view title) {
    const HWND window = findMatchingWindow(title);
    if (!window) return false;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    if (isInFront(window)) return true;

    // Windows lets only the program that received the last input change the
    // foreground window; a tray program never has, but an Alt press lifts
    // the lock for whoever sends it.
    const HKL layout = GetKeyboardLayout(0);
    INPUT alt[] = {keyEvent(VK_MENU, false, layout), keyEvent(VK_MENU, true, layout)};
    SendInput(2, alt, sizeof(INPUT));
    SetForegroundWindow(window);

    for (DWORD waited = 0;; waited += kActivateStepMs) {
        if (isInFront(window)) return true;
        if (waited >= kActivateWaitMs) return false;
        Sleep(kActivateStepMs);
    }
}

bool Win32Keystrokes::typeInto(std::string_view title, std::string_view keyString) {
    const auto strokes = keys::parseKeyString(keyString);
    if (!strokes) return false;
    const HWND window = findMatchingWindow(title);
    if (!window || !isInFront(window)) return false;

    // Characters are looked up on the keyboard layout of the window that
    // will receive them, which may differ from this program's.
    const HWND front = GetForegroundWindow();
    const HKL layout = GetKeyboardLayout(GetWindowThreadProcessId(front, nullptr));
    auto events = buildEvents(*strokes, layout);
    if (!events || events->size() > static_cast<std::size_t>(INT_MAX)) return false;
    if (events->empty()) return true;

    // One call, so the user's own typing cannot land between our keys.
    const auto count = static_cast<UINT>(events->size());
    return SendInput(count, events->data(), sizeof(INPUT)) == count;
}

}  // namespace kestro
