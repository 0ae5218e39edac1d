#pragma once
// The process-wide view of dinput_script.txt, shared by every DirectInput object.
// The file is re-read on the calls a program makes while polling, and only reparsed when
// its bytes changed, so a test can rewrite it at any moment (ideally by writing a temporary
// file and renaming it over the old one, so a half-written file is never seen).

#include "device_script.h"

#include <optional>
#include <string_view>
#include <vector>

namespace dinput_standin {

void refresh_script();

std::vector<ScriptedDevice> attached_devices();
std::optional<ScriptedDevice> attached_device(const GUID& guid);

// How many times the device has been seen to disappear; a device acquired before the
// latest unplug has lost its input even if it is back now.
unsigned unplug_count(const GUID& guid);

// The code a fail line asks this call to return, if any. device is null for calls that are
// not about one device (create, enum).
std::optional<HRESULT> injected_failure(std::string_view operation, const GUID* device);

}  // namespace dinput_standin
