#pragma once
// GUIDs as the script and the log write them, in the program's own text form:
// {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "platform/portable/guid_text.h"

namespace dinput_standin {

// Accepts either letter case; anything but the braced 38-character form is rejected.
inline std::optional<GUID> parse_guid(std::string_view text)
{
    const auto guid = kestro::parseGuidText(text);
    if (!guid)
        return std::nullopt;
    GUID result{guid->data1, guid->data2, guid->data3, {}};
    std::copy(std::begin(guid->data4), std::end(guid->data4), result.Data4);
    return result;
}

// Upper-case braced form, the same shape StringFromGUID2 produces.
inline std::string guid_text(const GUID& guid)
{
    kestro::Guid neutral{guid.Data1, guid.Data2, guid.Data3, {}};
    std::copy(std::begin(guid.Data4), std::end(guid.Data4), neutral.data4);
    return kestro::guidText(neutral);
}

}  // namespace dinput_standin
