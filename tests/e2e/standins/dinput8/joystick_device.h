#pragma once
// IDirectInputDevice8A/W for one scripted game controller.

#include "device_script.h"

namespace dinput_standin {

// Returns a new device object holding one reference.
template <class Api>
typename Api::Device* new_joystick_device(const ScriptedDevice& device);

}  // namespace dinput_standin
