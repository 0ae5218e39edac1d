#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestro {

// A GUID in neutral types, with the fields of Windows' GUID.
struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0, data3 = 0;
    std::uint8_t data4[8] = {};

    friend bool operator==(const Guid&, const Guid&) = default;
};

// The braced form Windows writes, upper-case digits:
// {01234567-89AB-CDEF-0123-456789ABCDEF}.
std::string guidText(const Guid& guid);

// Exactly that form, digits in either letter case; nullopt for anything else.
std::optional<Guid> parseGuidText(std::string_view text);

}  // namespace kestro
