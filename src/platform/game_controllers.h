#pragma once
#include <string>
#include <vector>

#include "platform/joy_state.h"

namespace kestro {

// One attached controller: the name the device list shows, and the opaque
// id that opens exactly this controller.
struct ControllerItem {
    std::string name;
    std::string id;
};

// The game-controller system and the one controller opened for reading.
class GameControllers {
public:
    virtual ~GameControllers() = default;

    // Replaces `attached` with the game controllers attached right now, in
    // the system's order; false, with `attached` unchanged, when they cannot be listed.
    virtual bool listAttached(std::vector<ControllerItem>& attached) = 0;
    // Opens the controller `id` for reading: joystick layout, acquired. When
    // it cannot be opened at all, the controller opened before stays open;
    // once opened it replaces that one, also when it cannot be acquired.
    virtual bool open(const std::string& id) = 0;
    // Reads the opened controller (X/Y 0..65535, the first hat, 32 button
    // bytes); fails once it is gone or while it is not acquired.
    virtual bool readState(JoyState& out) = 0;
};

}  // namespace kestro
