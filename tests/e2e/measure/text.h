#pragma once
// Conversions between the program's wide paths and the UTF-8 it prints and parses.

#include <string>
#include <string_view>

namespace measure {

std::string narrow(std::wstring_view text);
std::wstring widen(std::string_view text);
std::wstring quoted(const std::wstring& text);
std::wstring lowerCase(std::wstring text);

}  // namespace measure
