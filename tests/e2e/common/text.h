#pragma once
// UTF-8 <-> UTF-16: the programs' wide paths and window texts against the UTF-8 they log,
// print and parse.

#include <string>
#include <string_view>

namespace e2e {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// Shows control characters and bytes beyond ASCII as \xHH, for failure messages.
std::string printable(std::string_view bytes, std::size_t limit = 160);

}  // namespace e2e
