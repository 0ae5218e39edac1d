#pragma once
// Makes arbitrary bytes safe for a one-line log entry: printable ASCII stays as is,
// a backslash becomes "\\", anything else becomes "\xHH".

#include <string>
#include <string_view>

namespace standin {

std::string escape_bytes(std::string_view bytes);

}  // namespace standin
