#pragma once
#include "platform/keystrokes.h"

namespace kestro {

// Keystrokes through the system input queue (SendInput), so they reach
// whichever window is in front, like the user's own typing.
class Win32Keystrokes final : public Keystrokes {
public:
    bool activateAndType(std::string_view title, std::string_view keys) override;
    bool typeInto(std::string_view title, std::string_view keys) override;
};

}  // namespace kestro
