#pragma once
#include <windows.h>

#include <xinput.h>

#include <optional>

#include "platform/joy_state.h"

namespace kestro {

// One Xbox-type pad read through XInput, which serves it whatever window has
// the focus. XInput numbers its slots in the order the pads arrived and keeps
// a pad's slot when others leave: the n-th connected slot is the n-th pad.
class XInputPads {
public:
    // Loads XInput on first use: the newest DLL this Windows has, or none.
    bool available();
    // From now on the pad read is the `position`-th connected one (0 first); nullopt: none.
    void follow(std::optional<int> position);
    // True when a pad is followed and its slot is known; looks for the slot now and then.
    bool ready();
    // Reads the followed pad as DirectInput reports it.
    bool read(JoyState& out);

private:
    using GetStateFunction = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);
    DWORD getState(DWORD slot, XINPUT_STATE& out);

    bool tried_ = false;
    GetStateFunction getState_ = nullptr;
    std::optional<int> position_;
    std::optional<DWORD> slot_;
    unsigned readsSinceScan_ = 0;
};

}  // namespace kestro
