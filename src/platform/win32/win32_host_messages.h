#pragma once
#include "platform/host_messages.h"

namespace kestro {

// Finds the host by window title and hands it commands as WM_COPYDATA.
class Win32HostMessages final : public HostMessages {
public:
    WindowRef findWindow(std::string_view title) override;
    bool sendCopyData(WindowRef window, std::uint32_t tag, std::string_view bytes) override;
};

}  // namespace kestro
