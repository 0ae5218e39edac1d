#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The program keeps its text as bytes of the system ANSI code page, the way
// the settings file and the host window exchange it; the Windows calls that
// take text are made with UTF-16. These convert at that edge.
namespace kestro::win32 {

// `bytes` (ANSI code page) as UTF-16; empty when they cannot be converted.
std::wstring ansiToWide(std::string_view bytes);

// `text` as ANSI code page bytes; characters the code page lacks become its
// default character.
std::string wideToAnsi(std::wstring_view text);

// The longest start of `bytes` that is at most `limit` bytes long and does
// not end in the middle of a double-byte character.
std::string_view ansiPrefix(std::string_view bytes, std::size_t limit);

}  // namespace kestro::win32
