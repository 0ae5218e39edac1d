#pragma once
#include <windows.h>

#include "platform/game_controllers.h"
#include "platform/win32/win32_dinput_controllers.h"
#include "platform/win32/win32_xinput_pads.h"

namespace kestro {

// Game controllers through DirectInput 8; Xbox-type pads are read through
// XInput instead, because Windows hands DirectInput only a centred,
// released state of them while none of our windows has the focus.
class Win32GameControllers final : public GameControllers {
public:
    // `window` is the main window the device is shared with.
    Win32GameControllers(HINSTANCE instance, HWND window) : dinput_(instance, window) {}

    bool listAttached(std::vector<ControllerItem>& attached) override { return dinput_.listAttached(attached); }
    bool open(const std::string& id) override {
        if (!dinput_.create(id)) return false;
        xinput_.follow(xinput_.available() ? dinput_.xinputPadsBefore() : std::nullopt);
        return dinput_.acquire();
    }
    bool readState(JoyState& out) override {
        // XInput may take up a pad a moment after DirectInput lists it; until
        // then the DirectInput read stands in, and tells an unplugged pad.
        return xinput_.ready() ? xinput_.read(out) : dinput_.read(out);
    }

private:
    DInputControllers dinput_;
    XInputPads xinput_;
};

}  // namespace kestro
