#pragma once
#include <windows.h>

#include <vector>

#include "platform/game_controllers.h"

struct IDirectInput8A;
struct IDirectInputDevice8A;

namespace kestro {

// Game controllers through DirectInput 8. The names and ids it hands out are
// ANSI bytes; an id is the controller's instance GUID as text.
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

    HINSTANCE instance_;
    HWND window_;
    bool rootCreated_ = false;
    IDirectInput8A* input_ = nullptr;
    bool inputFailed_ = false;
    IDirectInputDevice8A* device_ = nullptr;
    std::vector<ControllerItem> snapshot_;
};

}  // namespace kestro
