// Any key string that parses types keys whose plain spelling (one key at a
// time, its own modifiers, specials in braces) parses to the same keys, and
// the two texts one after the other type those keys twice.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "platform/portable/key_string.h"

using namespace kestro::keys;

namespace {

constexpr std::pair<std::uint16_t, const char*> kNames[] = {
    {0x08, "BS"},   {0x03, "BREAK"}, {0x14, "CAPSLOCK"}, {0x2E, "DEL"},       {0x28, "DOWN"},  {0x23, "END"},
    {0x0D, "ENTER"}, {0x1B, "ESC"},  {0x2F, "HELP"},     {0x24, "HOME"},      {0x2D, "INS"},   {0x25, "LEFT"},
    {0x90, "NUMLOCK"}, {0x22, "PGDN"}, {0x21, "PGUP"},   {0x2C, "PRTSC"},     {0x27, "RIGHT"}, {0x91, "SCROLLLOCK"},
    {0x09, "TAB"},  {0x26, "UP"},    {0x6B, "ADD"},      {0x6D, "SUBTRACT"},  {0x6A, "MULTIPLY"}, {0x6F, "DIVIDE"}};

std::string nameOf(std::uint16_t vk) {
    if (vk >= 0x70 && vk <= 0x7F) return "F" + std::to_string(vk - 0x6F);
    for (const auto& [code, name] : kNames)
        if (code == vk) return name;
    std::abort();  // a virtual key the syntax cannot name
}

void spell(std::u16string& out, const KeyStroke& k) {
    if (k.modifiers & ~(kShift | kCtrl | kAlt)) std::abort();
    for (auto [bit, c] : {std::pair{kShift, u'+'}, {kCtrl, u'^'}, {kAlt, u'%'}})
        if (k.modifiers & bit) out += c;
    const char32_t c = k.character;
    if (k.kind == KeyStroke::Kind::Named) {
        out += u'{';
        for (char n : nameOf(k.virtualKey)) out += static_cast<char16_t>(n);
        out += u'}';
    } else if (c > 0xFFFF) {
        out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else if (std::u16string_view(u"+^%~(){}").find(static_cast<char16_t>(c)) != std::u16string_view::npos ||
               (c >= 0xD800 && c <= 0xDFFF)) {
        out.append({u'{', static_cast<char16_t>(c), u'}'});  // a lone surrogate must not pair with a neighbour
    } else {
        out += static_cast<char16_t>(c);
    }
}

}  // namespace

// Bytes below F0 are UTF-16 units of their own; F0..FF take the next two
// bytes as one unit, so any unit is reachable while syntax stays one byte.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i)
        if (data[i] < 0xF0 || i + 2 >= size) {
            text += data[i];
        } else {
            text += static_cast<char16_t>(data[i + 1] << 8 | data[i + 2]);
            i += 2;
        }
    const auto strokes = parseKeyString(text);
    if (!strokes || strokes->size() > 4096) return 0;
    std::u16string spelled;
    for (const KeyStroke& k : *strokes) spell(spelled, k);
    if (parseKeyString(spelled) != strokes) std::abort();
    std::vector<KeyStroke> twice = *strokes;
    twice.insert(twice.end(), strokes->begin(), strokes->end());
    if (parseKeyString(spelled + text) != twice) std::abort();
    return 0;
}
