#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The Windows profile-file (INI) rules over the text of a whole file, as
// GetPrivateProfileStringA / WritePrivateProfileStringA apply them. A UTF-8
// byte-order mark is no exception: it is part of the first line.
namespace kestro::ini {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The value of `key` in `section` of `text`, cut to `limit` bytes, or
// `fallback` (also cut to `limit`) when the section or key is missing.
std::string readValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view fallback, std::size_t limit);

// `text` with `key` in `section` set to `value`: the value is replaced in
// place, or the key is added to the end of its section, or the section is
// added to the end of the text. Every other line stays byte for byte.
std::string writeValue(std::string_view text, std::string_view section, std::string_view key,
                       std::string_view value);

}  // namespace kestro::ini
