#include "escape_bytes.h"

namespace standin {

std::string escape_bytes(std::string_view bytes)
{
    static constexpr char hex_digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\\') {
            out += "\\\\";
        } else if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            out += "\\x";
            out += hex_digits[byte >> 4];
            out += hex_digits[byte & 0x0F];
        }
    }
    return out;
}

}  // namespace standin
