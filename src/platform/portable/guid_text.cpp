#include "platform/portable/guid_text.h"

namespace kestro {
namespace {

// 'x' stands for a hex digit. The 32 digits are two 64-bit halves: data1,
// data2 and data3, then the bytes of data4.
constexpr std::string_view kShape = "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}";

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string guidText(const Guid& g) {
    std::uint64_t halves[2] = {(std::uint64_t{g.data1} << 32) | (std::uint64_t{g.data2} << 16) | g.data3, 0};
    for (const std::uint8_t byte : g.data4) halves[1] = (halves[1] << 8) | byte;
    std::string text(kShape);
    int digit = 0;
    for (char& c : text) {
        if (c != 'x') continue;
        c = "0123456789ABCDEF"[(halves[digit / 16] >> (60 - 4 * (digit % 16))) & 0xF];
        ++digit;
    }
    return text;
}

std::optional<Guid> parseGuidText(std::string_view text) {
    if (text.size() != kShape.size()) return std::nullopt;
    std::uint64_t halves[2] = {0, 0};
    int digit = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int value = hexValue(text[i]);
        if (kShape[i] != 'x' ? text[i] != kShape[i] : value < 0) return std::nullopt;
        if (kShape[i] != 'x') continue;
        halves[digit / 16] = (halves[digit / 16] << 4) | static_cast<std::uint64_t>(value);
        ++digit;
    }
    Guid g;
    g.data1 = static_cast<std::uint32_t>(halves[0] >> 32);
    g.data2 = static_cast<std::uint16_t>(halves[0] >> 16);
    g.data3 = static_cast<std::uint16_t>(halves[0]);
    for (int i = 0; i < 8; ++i) g.data4[i] = static_cast<std::uint8_t>(halves[1] >> (56 - 8 * i));
    return g;
}

}  // namespace kestro
