// Any key string that parses types keys whose plain spelling, every key in
// braces after its own modifiers, parses to the same keys; the spelling
// followed by the text types them twice.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/portable/key_string.h"

using namespace kestro::keys;

namespace {

constexpr std::pair<std::uint16_t, const char*> kNames[] = {
    {0x08, "BS"},     {0x03, "BREAK"}, {0x14, "CAPSLOCK"}, {0x2E, "DEL"},  {0x28, "DOWN"},   {0x23, "END"},
    {0x0D, "ENTER"},  {0x1B, "ESC"},   {0x2F, "HELP"},     {0x24, "HOME"}, {0x2D, "INS"},    {0x25, "LEFT"},
    {0x90, "NUMLOCK"}, {0x22, "PGDN"}, {0x21, "PGUP"},     {0x2C, "PRTSC"}, {0x27, "RIGHT"}, {0x91, "SCROLLLOCK"},
    {0x09, "TAB"},    {0x26, "UP"},    {0x6B, "ADD"},      {0x6D, "SUBTRACT"}, {0x6A, "MULTIPLY"}, {0x6F, "DIVIDE"}};

void spell(std::u16string& out, const KeyStroke& k) {
    if (k.modifiers & ~(kShift | kCtrl | kAlt)) std::abort();
    for (auto [bit, c] : {std::pair{kShift, u'+'}, {kCtrl, u'^'}, {kAlt, u'%'}})
        if (k.modifiers & bit) out += c;
    std::string name = k.virtualKey >= 0x70 && k.virtualKey <= 0x7F ? "F" + std::to_string(k.virtualKey - 0x6F) : "";
    for (const auto& [code, n] : kNames)
        if (code == k.virtualKey) name = n;
    if (k.kind == KeyStroke::Kind::Named && name.empty()) std::abort();  // a key the syntax cannot name
    out += u'{';
    if (k.kind == KeyStroke::Kind::Named) {
        out.append(name.begin(), name.end());
    } else if (k.character > 0xFFFF) {
        out += static_cast<char16_t>(0xD800 + ((k.character - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + (k.character & 0x3FF));
    } else {
        out += static_cast<char16_t>(k.character);
    }
    out += u'}';
}

}  // namespace

// Bytes below F0 are UTF-16 units of their own; F0..FF take the next two
// bytes as one unit, so any unit is reachable while syntax stays one byte.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i) {
        const bool wide = data[i] >= 0xF0 && i + 2 < size;
        text += wide ? static_cast<char16_t>(data[i + 1] << 8 | data[i + 2]) : char16_t{data[i]};
        if (wide) i += 2;
    }
    const auto strokes = parseKeyString(text);
    if (!strokes || strokes->size() > 4096) return 0;
    std::u16string spelled;
    for (const KeyStroke& k : *strokes) spell(spelled, k);
    auto twice = *strokes;
    twice.insert(twice.end(), strokes->begin(), strokes->end());
    if (parseKeyString(spelled) != strokes || parseKeyString(spelled + text) != twice) std::abort();
    return 0;
}
