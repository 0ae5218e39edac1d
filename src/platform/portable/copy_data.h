#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestro {

// What a copy-data message carries: the tag, the count of the bytes, and a
// buffer holding the bytes with one zero byte after them that the count
// leaves out, so a receiver may also read the data as a C string.
struct CopyData {
    std::uint32_t tag = 0;
    std::uint32_t count = 0;
    std::string buffer;
};

// The message for `bytes`; nullopt when they are too many for the count.
std::optional<CopyData> makeCopyData(std::uint32_t tag, std::string_view bytes);

}  // namespace kestro
