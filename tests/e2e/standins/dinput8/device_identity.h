#pragma once
// How a scripted device presents itself: the instance record EnumDevices and
// GetDeviceInfo hand out, and the capabilities GetCapabilities reports.

#include "device_script.h"

#include <dinput.h>

#include <string>

namespace dinput_standin {

// What a standard HID gamepad reports: type gamepad, subtype standard, HID flag.
constexpr DWORD gamepad_device_type =
    DI8DEVTYPE_GAMEPAD | (DI8DEVTYPEGAMEPAD_STANDARD << 8) | DIDEVTYPE_HID;

constexpr DWORD scripted_axes = 2;
constexpr DWORD scripted_buttons = 32;

// Fills everything except dwSize, which the caller has already checked.
void fill_device_instance(const ScriptedDevice& device, DIDEVICEINSTANCEA& instance);
void fill_device_instance(const ScriptedDevice& device, DIDEVICEINSTANCEW& instance);

// The HID interface path DIPROP_GUIDANDPATH reports, in lower case as Windows writes it;
// an Xbox-type pad's path names its XInput interface ("&ig_00").
std::wstring device_path(const ScriptedDevice& device);

// The HID device setup class that DIPROP_GUIDANDPATH reports with the path.
inline constexpr GUID hid_class_guid = {0x745a17a0, 0x74d3, 0x11d0, {0xb6, 0xfe, 0x00, 0xa0, 0xc9, 0x0f, 0x57, 0xda}};

}  // namespace dinput_standin
