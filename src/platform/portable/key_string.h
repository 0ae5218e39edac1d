#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// The key-string syntax of typed keystrokes: "+" Shift, "^" Ctrl, "%" Alt
// for the next key or a parenthesised group, "~" Enter, named keys in braces
// ("{F1}", "{TAB}", "{LEFT}"), "{key n}" for n repeats, and braces around a
// special character to type it literally ("{+}", "{{}", "{}}", "{~}").
// The text is UTF-16: in a double-byte or UTF-8 code page a trail byte can
// look like syntax, so key texts are decoded before they are parsed.
namespace kestro::keys {

enum Modifier : std::uint8_t { kShift = 1, kCtrl = 2, kAlt = 4 };

// One key pressed and released while `modifiers` are held.
struct KeyStroke {
    enum class Kind : std::uint8_t { Character, Named } kind = Kind::Character;
    char32_t character = 0;      // Character: the Unicode character to type
    std::uint16_t virtualKey = 0;  // Named: the Windows virtual-key code (VK_*)
    std::uint8_t modifiers = 0;  // Modifier bits

    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// The keystrokes of `text`, in order; nullopt when the syntax is invalid.
// Groups may nest up to 32 deep, repeat counts go up to 1000, and a brace
// escape holds a single character (a surrogate pair is one); anything beyond
// those is rejected. An unpaired surrogate is typed as it stands.
std::optional<std::vector<KeyStroke>> parseKeyString(std::u16string_view text);

}  // namespace kestro::keys
