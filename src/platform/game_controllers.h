#pragma once
#include <cstdint>
#include <string>

#include "platform/joy_state.h"

namespace kestro {

// One enumerated controller: the name the device list shows, and the opaque
// id that opens exactly this controller.
struct ControllerItem {
    std::string name;
    std::string id;
};

// The game-controller system. It keeps the program's controller objects:
// the root, the current input object, the current snapshot of attached
// controllers and the opened device. Every call returns false on failure.
class GameControllers {
public:
    virtual ~GameControllers() = default;

    // Creates the root object; later calls keep the first one and succeed.
    virtual bool createRoot() = 0;
    // Replaces the input object with a fresh one.
    virtual bool createInput() = 0;
    // Replaces the snapshot with the game controllers attached right now.
    virtual bool enumerateAttached() = 0;
    // Number of controllers in the snapshot.
    virtual bool count(std::int32_t& n) = 0;
    // Item `index` (1..count) of the snapshot; the same index always gives the same controller.
    virtual bool item(std::int32_t index, ControllerItem& out) = 0;
    // Opens the controller with this id as the device; the previous device is let go.
    virtual bool createDevice(const std::string& id) = 0;
    // Selects the joystick state layout for the device.
    virtual bool setJoystickFormat() = 0;
    // Acquires the device so that reads may start.
    virtual bool acquire() = 0;
    // Reads the device's state (X/Y 0..65535, the first hat, 32 button bytes); fails once the controller is gone.
    virtual bool readState(JoyState& out) = 0;
};

}  // namespace kestro
