#pragma once
#include <cctype>
#include <string_view>

namespace kestro::fakes {

// Window titles compare with letter case ignored, as the desktop does.
inline char lowerAscii(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

inline bool startsIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lowerAscii(text[i]) != lowerAscii(prefix[i])) return false;
    return true;
}

inline bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && startsIgnoringCase(a, b);
}

}  // namespace kestro::fakes
