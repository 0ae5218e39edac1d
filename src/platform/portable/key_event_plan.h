#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/portable/key_string.h"

// Which key events type parsed keystrokes on the keyboard of the window
// that receives them.
namespace kestro::keys {

// Virtual-key codes the plan presses of its own accord (Windows' VK_* values,
// as in KeyStroke).
namespace vk {
inline constexpr std::uint16_t kSpace = 0x20;
inline constexpr std::uint16_t kLeftShift = 0xA0, kRightShift = 0xA1;
inline constexpr std::uint16_t kLeftCtrl = 0xA2, kRightCtrl = 0xA3;
inline constexpr std::uint16_t kLeftAlt = 0xA4, kRightAlt = 0xA5;  // right Alt is AltGr where the layout has one
inline constexpr std::uint16_t kLeftWin = 0x5B, kRightWin = 0x5C;
// A key no layout assigns: tapped while a modifier is down, it keeps that
// modifier's release from being a lone tap, which opens the window menu
// (Alt), the Start menu (Win) or switches an input method (Shift, Ctrl).
inline constexpr std::uint16_t kUnassigned = 0xE8;
}  // namespace vk

// A key of the layout and the shift state it is pressed in: Modifier bits,
// Ctrl and Alt together meaning AltGr.
struct KeyForChar {
    std::uint16_t virtualKey = 0;
    std::uint8_t shiftState = 0;

    friend bool operator==(const KeyForChar&, const KeyForChar&) = default;
};

// What the keys of a keyboard layout type, as the system tells it for the
// window that will receive them.
class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;

    // The key that types `unit`, in a shift state of Shift, Ctrl and Alt
    // only; nullopt when the layout has none.
    virtual std::optional<KeyForChar> keyFor(char16_t unit) const = 0;
    // What pressing `keys` one after another types, with Caps Lock as it
    // stands and no dead key waiting before; nullopt when they leave a dead
    // key waiting for the next key.
    virtual std::optional<std::u16string> typedBy(std::span<const KeyForChar> keys) const = 0;
};

// One key event: a virtual key, or a UTF-16 unit typed as itself (what
// Windows delivers as VK_PACKET, whatever the layout).
struct KeyEvent {
    enum class Kind : std::uint8_t { Key, Unit } kind = Kind::Key;
    std::uint16_t code = 0;
    bool up = false;

    friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

// The keyboard as the keys find it.
struct KeyboardState {
    // Modifier keys the user holds down (left or right Shift, Ctrl, Alt, Win).
    std::vector<std::uint16_t> heldModifiers;
    // An input method that would compose typed letters into other text.
    bool composing = false;
};

// The events that type `strokes` into a window with `layout`, in order:
// - a character goes as the key that types exactly it (the other Shift
//   state when Caps Lock turns a letter round), or as its dead key and Space
//   when that types it; otherwise, and whenever an input method composes,
//   as itself;
// - a character with modifiers of its own ("^c", "+a") is a hot key: its
//   key is pressed with them, and a letter or digit the layout lacks uses
//   the key of the Latin letter or digit (virtual keys 'A'-'Z', '0'-'9');
//   a character typed as itself never has a modifier held around it;
// - AltGr is pressed as right Alt; other modifiers as their left keys;
// - modifiers the user holds are released first and pressed again at the
//   end, so the keys type what they say and the keyboard is left as found.
// No events when there are no strokes.
std::vector<KeyEvent> planKeyEvents(std::span<const KeyStroke> strokes, const KeyboardLayout& layout,
                                    const KeyboardState& keyboard);

}  // namespace kestro::keys
