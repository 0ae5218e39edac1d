#include "guid_text.h"

#include <cstdio>

namespace dinput_standin {

namespace {

std::optional<unsigned> hex_value(std::string_view digits)
{
    unsigned value = 0;
    for (const char c : digits) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return std::nullopt;
        value = value * 16 + digit;
    }
    return value;
}

}  // namespace

std::optional<GUID> parse_guid(std::string_view text)
{
    // {01234567-9ABC-EF01-3456-89ABCDEF0123}
    if (text.size() != 38 || text.front() != '{' || text.back() != '}' || text[9] != '-' ||
        text[14] != '-' || text[19] != '-' || text[24] != '-')
        return std::nullopt;

    const auto data1 = hex_value(text.substr(1, 8));
    const auto data2 = hex_value(text.substr(10, 4));
    const auto data3 = hex_value(text.substr(15, 4));
    if (!data1 || !data2 || !data3)
        return std::nullopt;

    GUID guid{};
    guid.Data1 = *data1;
    guid.Data2 = static_cast<unsigned short>(*data2);
    guid.Data3 = static_cast<unsigned short>(*data3);
    static constexpr size_t byte_positions[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (size_t i = 0; i < 8; ++i) {
        const auto byte = hex_value(text.substr(byte_positions[i], 2));
        if (!byte)
            return std::nullopt;
        guid.Data4[i] = static_cast<unsigned char>(*byte);
    }
    return guid;
}

std::string guid_text(const GUID& guid)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                  guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
    return text;
}

}  // namespace dinput_standin
