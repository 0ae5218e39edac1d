#pragma once
// The four XInput user slots over the scripted Xbox-type pads. As on Windows, a pad takes
// the lowest free slot when it arrives and keeps it until it leaves, so a pad that stays
// never moves when another one is unplugged.

#include "../dinput8/device_script.h"

#include <optional>

namespace xinput_standin {

inline constexpr unsigned slot_count = 4;

// The pad in `slot` now, after taking in the script's current devices.
std::optional<dinput_standin::ScriptedDevice> pad_in_slot(unsigned slot);

}  // namespace xinput_standin
