#pragma once
#include <cstddef>
#include <string_view>

// How the bytes of the system (ANSI) code page group into characters, so
// that text is never cut inside one.
namespace kestro::codepage {

// The number of bytes of the character whose first byte is `first`.
using CharacterWidth = std::size_t (*)(unsigned char first);

// UTF-8 (the system's "Use Unicode UTF-8" option): the length the first
// byte announces; 1 for a byte that cannot start a character.
std::size_t utf8Width(unsigned char first);

// The longest start of `bytes` that is at most `limit` bytes long and ends
// on a character boundary.
std::string_view wholeCharacterPrefix(std::string_view bytes, std::size_t limit, CharacterWidth width);

}  // namespace kestro::codepage
