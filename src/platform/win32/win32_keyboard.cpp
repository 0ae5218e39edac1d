#include "platform/win32/win32_keyboard.h"

#include <imm.h>

#include <iterator>

#include "platform/portable/ascii_case.h"

namespace kestro::win32 {
namespace {

// VkKeyScanEx's shift-state bits are the key strings' modifier bits.
static_assert(keys::kShift == 1 && keys::kCtrl == 2 && keys::kAlt == 4);

// WM_IME_CONTROL commands of the Windows SDK's imm.h, which MinGW's lacks.
constexpr WPARAM kImeGetConversionMode = 0x0001;  // IMC_GETCONVERSIONMODE
constexpr WPARAM kImeGetOpenStatus = 0x0005;      // IMC_GETOPENSTATUS
constexpr UINT kImeQueryTimeoutMs = 50;

UINT scanCode(UINT virtualKey, HKL layout) { return MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_VSC, layout); }

// Space takes up the dead key that ToUnicodeEx keeps for this thread, so
// the next question starts with none waiting.
void clearDeadKey(HKL layout) {
    const BYTE none[256]{};
    wchar_t out[8];
    ToUnicodeEx(VK_SPACE, scanCode(VK_SPACE, layout), none, out, static_cast<int>(std::size(out)), 0, layout);
}

bool isConsole(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return ascii::sameIgnoringCase(std::wstring_view(name), L"ConsoleWindowClass");
}

// The answer of the focus thread's input method window to `command`,
// time-limited, since that thread may hang.
std::optional<DWORD_PTR> askInputMethod(HWND imeWindow, WPARAM command) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(imeWindow, WM_IME_CONTROL, command, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kImeQueryTimeoutMs,
                             &answer))
        return std::nullopt;
    return answer;
}

}  // namespace

std::optional<keys::KeyForChar> KeyboardLayoutOf::keyFor(char16_t unit) const {
    const SHORT found = VkKeyScanExW(static_cast<WCHAR>(unit), layout_);
    if (found == -1) return std::nullopt;
    const auto state = static_cast<unsigned>(HIBYTE(found));
    // Kana and other layout-specific shift states cannot be pressed here.
    if (state & ~7u) return std::nullopt;
    return keys::KeyForChar{static_cast<std::uint16_t>(LOBYTE(found)), static_cast<std::uint8_t>(state)};
}

std::optional<std::u16string> KeyboardLayoutOf::typedBy(std::span<const keys::KeyForChar> pressed) const {
    std::u16string typed;
    int last = 0;
    for (const keys::KeyForChar& key : pressed) {
        BYTE state[256]{};
        if (key.shiftState & keys::kShift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
        if (key.shiftState & keys::kCtrl) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
        if (key.shiftState & keys::kAlt) state[VK_MENU] = state[VK_LMENU] = 0x80;
        if (capsLock_) state[VK_CAPITAL] = 0x01;
        wchar_t out[8];
        // No flags: a dead key must stay waiting for the key after it.
        last = ToUnicodeEx(key.virtualKey, scanCode(key.virtualKey, layout_), state, out,
                           static_cast<int>(std::size(out)), 0, layout_);
        if (last > 0) typed.append(out, out + last);
    }
    if (last >= 0) return typed;
    clearDeadKey(layout_);
    return std::nullopt;
}

// Characters are looked up on the layout of the window that receives them,
// which may differ from this program's. A console window answers for a
// thread whose layout is not the console's; there this program's own
// layout stands in, which is the same unless each window keeps its own.
HKL layoutFor(HWND window, HWND focus) {
    if (isConsole(window)) return GetKeyboardLayout(0);
    return GetKeyboardLayout(GetWindowThreadProcessId(focus, nullptr));
}

std::vector<std::uint16_t> heldModifiers() {
    constexpr std::uint16_t kModifiers[] = {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL,
                                            VK_LMENU,  VK_RMENU,  VK_LWIN,     VK_RWIN};
    std::vector<std::uint16_t> held;
    for (std::uint16_t key : kModifiers)
        if (GetAsyncKeyState(key) & 0x8000) held.push_back(key);
    return held;
}

// An open input method in its native mode composes letters into other text;
// in its alphanumeric mode it lets them through. Should the mode not be
// told, it counts as composing: a character typed as itself is exact anyway.
bool inputMethodComposing(HWND focus) {
    const HWND imeWindow = ImmGetDefaultIMEWnd(focus);
    if (!imeWindow) return false;
    const std::optional<DWORD_PTR> open = askInputMethod(imeWindow, kImeGetOpenStatus);
    if (!open || *open == 0) return false;
    const std::optional<DWORD_PTR> mode = askInputMethod(imeWindow, kImeGetConversionMode);
    return !mode || (*mode & IME_CMODE_NATIVE) != 0;
}

}  // namespace kestro::win32
