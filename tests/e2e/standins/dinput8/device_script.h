#pragma once
// The text file that plays the part of the attached game controllers:
//
//   device {GUID} <x 0..65535> <y 0..65535> <buttons as 0/1, button 0 first> [pov=<n>] [xinput] <name...>
//   fail <operation> [{GUID}] [0xHRESULT]
//   # comment
//
// A device line means "plugged in"; dropping the line unplugs it. pov= is the first hat
// (hundredths of a degree, any 32-bit value; centred when missing). xinput makes the device
// an Xbox-type pad, served by XInput too. A fail line makes an operation (on every device,
// or only on the one given) return the code (default E_FAIL) for as long as the line is there.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dinput_standin {

struct ScriptedDevice {
    GUID guid{};
    unsigned short x = 0;
    unsigned short y = 0;
    std::uint32_t buttons = 0;  // bit n = button n pressed
    std::uint32_t pov = 0xFFFFFFFF;
    bool xinput = false;
    std::string name;  // UTF-8
};

struct InjectedFailure {
    std::string operation;
    std::optional<GUID> device;  // nullopt = every device
    HRESULT code = E_FAIL;
};

struct DeviceScript {
    std::vector<ScriptedDevice> devices;  // file order
    std::vector<InjectedFailure> failures;
    std::vector<std::string> problems;  // lines that were skipped, with the reason
};

// Operations a fail line may name; a typo there must not silently do nothing.
bool is_failable_operation(std::string_view operation);

DeviceScript parse_device_script(std::string_view text);

}  // namespace dinput_standin
