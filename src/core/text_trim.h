#pragma once
#include <string_view>

namespace kestro {

// Removes leading and trailing spaces (spaces only, not tabs), without copying.
inline std::string_view trimSpaces(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

}  // namespace kestro
