#pragma once
#include <string_view>

#include "platform/host_messages.h"

namespace kestro {

// Title of the host application's main window.
inline constexpr std::string_view kHostTitle = "DashOrbit";

// Sends `text` as a command to the window titled `title`: copy-data tag 1,
// the byte count and the bytes followed by a zero byte. An empty text sends
// nothing; a missing or unresponsive window is not an error.
void sendHostCommand(HostMessages& host, std::string_view title, std::string_view text);

}  // namespace kestro
