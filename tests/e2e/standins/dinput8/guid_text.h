#pragma once
// GUIDs as the script and the log write them: {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace dinput_standin {

// Accepts either letter case; anything but the braced 38-character form is rejected.
std::optional<GUID> parse_guid(std::string_view text);

// Upper-case braced form, the same shape StringFromGUID2 produces.
std::string guid_text(const GUID& guid);

}  // namespace dinput_standin
