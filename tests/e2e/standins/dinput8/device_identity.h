#pragma once
// How a scripted device presents itself: the instance record EnumDevices and
// GetDeviceInfo hand out, and the capabilities GetCapabilities reports.

#include "device_script.h"

#include <dinput.h>

namespace dinput_standin {

// What a standard HID gamepad reports: type gamepad, subtype standard, HID flag.
constexpr DWORD gamepad_device_type =
    DI8DEVTYPE_GAMEPAD | (DI8DEVTYPEGAMEPAD_STANDARD << 8) | DIDEVTYPE_HID;

constexpr DWORD scripted_axes = 2;
constexpr DWORD scripted_buttons = 32;

// Fills everything except dwSize, which the caller has already checked.
void fill_device_instance(const ScriptedDevice& device, DIDEVICEINSTANCEA& instance);
void fill_device_instance(const ScriptedDevice& device, DIDEVICEINSTANCEW& instance);

}  // namespace dinput_standin
