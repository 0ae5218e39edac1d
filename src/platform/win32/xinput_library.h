#pragma once
#include <windows.h>

#include <xinput.h>

namespace kestro {

// XInput, loaded at run time on first use: the newest of the DLLs this
// Windows has, or none (then Xbox pads are read through DirectInput).
class XInputLibrary {
public:
    bool available();
    // XInputGetState on user slot 0..3: ERROR_SUCCESS, ERROR_DEVICE_NOT_CONNECTED or another error.
    DWORD getState(DWORD slot, XINPUT_STATE& out);

private:
    using GetStateFunction = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);

    bool tried_ = false;
    GetStateFunction getState_ = nullptr;
};

}  // namespace kestro
