#pragma once
#include <cstddef>
#include <string_view>
#include <type_traits>

// Names and titles that compare with letter case ignored: A-Z equal a-z and
// nothing else changes, whatever the text's encoding, so the bytes of a
// double-byte or UTF-8 character never fold into something else.
namespace kestro::ascii {
namespace detail {

template <typename Char>
constexpr char32_t foldAscii(Char c) {
    const auto code = static_cast<char32_t>(static_cast<std::make_unsigned_t<Char>>(c));
    return code >= U'A' && code <= U'Z' ? code - U'A' + U'a' : code;
}

template <typename CharA, typename CharB>
constexpr bool startsIgnoringCase(std::basic_string_view<CharA> text, std::basic_string_view<CharB> prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (foldAscii(text[i]) != foldAscii(prefix[i])) return false;
    return true;
}

}  // namespace detail

constexpr bool startsIgnoringCase(std::string_view text, std::string_view prefix) {
    return detail::startsIgnoringCase(text, prefix);
}
constexpr bool startsIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    return detail::startsIgnoringCase(text, prefix);
}

constexpr bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && detail::startsIgnoringCase(a, b);
}
constexpr bool sameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && detail::startsIgnoringCase(a, b);
}
constexpr bool sameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && detail::startsIgnoringCase(a, b);
}
// UTF-16 text against an ASCII name.
constexpr bool sameIgnoringCase(std::u16string_view a, std::string_view b) {
    return a.size() == b.size() && detail::startsIgnoringCase(a, b);
}

}  // namespace kestro::ascii
