// Any bytes as a controller id: what parses is written back as the same text up to
// letter case and parses again to the same GUID; the text of any GUID parses back to it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/portable/guid_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto guid = kestro::parseGuidText(text)) {
        for (char& c : text)
            if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
        if (kestro::guidText(*guid) != text || kestro::parseGuidText(text) != guid) std::abort();
    }
    if (size < 16) return 0;
    kestro::Guid guid{};
    for (int i = 0; i < 4; ++i) guid.data1 = (guid.data1 << 8) | data[i];
    guid.data2 = static_cast<std::uint16_t>((data[4] << 8) | data[5]);
    guid.data3 = static_cast<std::uint16_t>((data[6] << 8) | data[7]);
    for (int i = 0; i < 8; ++i) guid.data4[i] = data[8 + i];
    if (kestro::parseGuidText(kestro::guidText(guid)) != guid) std::abort();
    return 0;
}
