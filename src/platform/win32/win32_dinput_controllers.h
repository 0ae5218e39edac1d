#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/game_controllers.h"

struct IDirectInput8A;
struct IDirectInputDevice8A;

namespace kestro {

// The attached game controllers and the opened one through DirectInput 8.
// Names are ANSI bytes; an id is the controller's instance GUID as text.
// Failed DirectInput calls are reported through win32::reportFailure.
class DInputControllers {
public:
    // `window` is the main window the device is shared with.
    DInputControllers(HINSTANCE instance, HWND window);
    ~DInputControllers();
    DInputControllers(const DInputControllers&) = delete;
    DInputControllers& operator=(const DInputControllers&) = delete;

    bool listAttached(std::vector<ControllerItem>& attached);
    // Makes the device of controller `id`; the device before is kept when this fails.
    bool create(const std::string& id);
    // Joystick layout, background and non-exclusive, acquired.
    bool acquire();
    // For an Xbox-type device: how many Xbox-type pads the last listing has before it.
    std::optional<int> xinputPadsBefore();
    bool read(JoyState& out);

private:
    void releaseDevice();

    HINSTANCE instance_;
    HWND window_;
    IDirectInput8A* input_ = nullptr;
    bool inputFailed_ = false;
    IDirectInputDevice8A* device_ = nullptr;
    std::string deviceId_;
    std::vector<std::string> listedIds_;
};

}  // namespace kestro
