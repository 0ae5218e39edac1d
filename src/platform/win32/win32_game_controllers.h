#pragma once
#include <windows.h>

#include <optional>
#include <vector>

#include "platform/game_controllers.h"
#include "platform/win32/xinput_library.h"

struct IDirectInput8A;
struct IDirectInputDevice8A;

namespace kestro {

// Game controllers through DirectInput 8. The names and ids it hands out are
// ANSI bytes; an id is the controller's instance GUID as text. Xbox-type pads
// are read through XInput instead: Windows hands DirectInput only a centred,
// released state of them while none of our windows has the focus.
class Win32GameControllers final : public GameControllers {
public:
    // `window` is the main window the device is shared with.
    Win32GameControllers(HINSTANCE instance, HWND window);
    ~Win32GameControllers() override;

    Win32GameControllers(const Win32GameControllers&) = delete;
    Win32GameControllers& operator=(const Win32GameControllers&) = delete;

    bool createRoot() override;
    bool createInput() override;
    bool enumerateAttached() override;
    bool count(std::int32_t& n) override;
    bool item(std::int32_t index, ControllerItem& out) override;
    bool createDevice(const std::string& id) override;
    bool setJoystickFormat() override;
    bool acquire() override;
    bool readState(JoyState& out) override;

private:
    void releaseDevice();
    // How many Xbox-type pads the snapshot lists before the controller `id`.
    int xinputPadsBefore(const std::string& id);
    // Looks for the pad's XInput slot now and then; true once it is known.
    bool findXInputSlot();
    bool readXInput(JoyState& out);

    HINSTANCE instance_;
    HWND window_;
    bool rootCreated_ = false;
    IDirectInput8A* input_ = nullptr;
    bool inputFailed_ = false;
    IDirectInputDevice8A* device_ = nullptr;
    std::vector<ControllerItem> snapshot_;
    XInputLibrary xinput_;
    // The opened device is the n-th Xbox-type pad of the snapshot, read from
    // the n-th connected XInput slot; nullopt: read through DirectInput.
    std::optional<int> xinputPad_;
    std::optional<DWORD> xinputSlot_;  // looked for from the first read after acquiring
    unsigned readsSinceScan_ = 0;
};

}  // namespace kestro
