#pragma once
#include <cstdint>
#include <string_view>

namespace kestro {

// Opaque handle of another program's top-level window; 0 means none.
using WindowRef = std::uintptr_t;

// Window messages to another program on the same desktop.
class HostMessages {
public:
    virtual ~HostMessages() = default;

    // The top-level window whose whole title equals `title`, letter case ignored, that is
    // not a file manager's folder window (titled with the folder's name); 0 if none.
    virtual WindowRef findWindow(std::string_view title) = 0;
    // Delivers a copy-data message (tag, byte count, the bytes and one zero byte after them)
    // and waits until the receiver has handled it or stops answering. Returns false when the
    // message was not delivered (no such window, receiver hung or timed out).
    virtual bool sendCopyData(WindowRef window, std::uint32_t tag, std::string_view bytes) = 0;
};

}  // namespace kestro
