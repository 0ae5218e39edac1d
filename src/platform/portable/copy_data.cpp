#include "platform/portable/copy_data.h"

#include <limits>

namespace kestro {

std::optional<CopyData> makeCopyData(std::uint32_t tag, std::string_view bytes) {
    // The count is of bytes, not characters: a multi-byte character must not cut the text.
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return std::nullopt;
    CopyData data{tag, static_cast<std::uint32_t>(bytes.size()), std::string(bytes)};
    data.buffer.push_back('\0');
    return data;
}

}  // namespace kestro
