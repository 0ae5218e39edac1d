#include "host/host_command.h"

namespace kestro {

void sendHostCommand(HostMessages& host, std::string_view title, std::string_view text) {
    if (text.empty()) return;
    const WindowRef window = host.findWindow(title);
    if (window == 0) return;
    // The count is of bytes, not characters: a multi-byte character must not cut the command.
    host.sendCopyData(window, 1, text);
}

}  // namespace kestro
