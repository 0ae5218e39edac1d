#include "platform/portable/code_page_text.h"

namespace kestro::codepage {

std::size_t utf8Width(unsigned char first) {
    if (first >= 0xC2 && first <= 0xDF) return 2;
    if (first >= 0xE0 && first <= 0xEF) return 3;
    if (first >= 0xF0 && first <= 0xF4) return 4;
    return 1;
}

std::string_view wholeCharacterPrefix(std::string_view bytes, std::size_t limit, CharacterWidth width) {
    if (bytes.size() <= limit) return bytes;
    // Walk whole characters from the start: a trail byte may look like a
    // lead byte, so the boundary cannot be found by looking backwards.
    std::size_t end = 0;
    while (end < limit) {
        const std::size_t next = end + width(static_cast<unsigned char>(bytes[end]));
        if (next > limit) break;
        end = next;
    }
    return bytes.substr(0, end);
}

}  // namespace kestro::codepage
