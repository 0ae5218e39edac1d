#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/portable/key_event_plan.h"

// What the keyboard does for the window that receives typed keys: its
// layout, the modifiers the user holds and its input method.
namespace kestro::win32 {

// A Windows keyboard layout, asked through VkKeyScanEx and ToUnicodeEx.
class KeyboardLayoutOf final : public keys::KeyboardLayout {
public:
    KeyboardLayoutOf(HKL layout, bool capsLock) : layout_(layout), capsLock_(capsLock) {}

    std::optional<keys::KeyForChar> keyFor(char16_t unit) const override;
    std::optional<std::u16string> typedBy(std::span<const keys::KeyForChar> keys) const override;

private:
    HKL layout_;
    bool capsLock_;
};

// The layout that types into `focus`, the focus window inside `window`.
HKL layoutFor(HWND window, HWND focus);

// The left and right Shift, Ctrl, Alt and Win keys that are down now.
std::vector<std::uint16_t> heldModifiers();

// True when the input method of `focus` would compose typed letters into
// other text.
bool inputMethodComposing(HWND focus);

}  // namespace kestro::win32
