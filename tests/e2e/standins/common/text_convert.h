#pragma once
// UTF-8 <-> UTF-16 for log text and file names.

#include <string>
#include <string_view>

namespace standin {

std::wstring widen_utf8(std::string_view utf8);
std::string narrow_utf8(std::wstring_view wide);

}  // namespace standin
