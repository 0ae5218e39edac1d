// The one export kestro.exe needs from XInput: XInputGetState, serving the scripted
// Xbox-type pads whatever window has the focus. Built as xinput1_4.dll, xinput1_3.dll and
// xinput9_1_0.dll from the same code; the log names the one that was loaded.

#include "../dinput8/call_log.h"
#include "../dinput8/guid_text.h"
#include "xinput_slots.h"

#include <windows.h>
#include <xinput.h>

#include <cstring>
#include <string>

using dinput_standin::ScriptedDevice;

const wchar_t* dinput_standin::log_file_name() { return L"xinput_log.txt"; }

namespace {

// The buttons of the script, button 0 first, as DirectInput numbers an Xbox pad's buttons.
constexpr WORD button_bits[] = {
    XINPUT_GAMEPAD_A,     XINPUT_GAMEPAD_B,          XINPUT_GAMEPAD_X,     XINPUT_GAMEPAD_Y,
    XINPUT_GAMEPAD_LEFT_SHOULDER, XINPUT_GAMEPAD_RIGHT_SHOULDER, XINPUT_GAMEPAD_BACK, XINPUT_GAMEPAD_START,
    XINPUT_GAMEPAD_LEFT_THUMB, XINPUT_GAMEPAD_RIGHT_THUMB,
};

// The D-pad is digital: the nearest of the eight directions, none for a centred hat.
WORD dpad_bits(std::uint32_t pov)
{
    if (pov >= 36000)
        return 0;
    constexpr WORD up = XINPUT_GAMEPAD_DPAD_UP, down = XINPUT_GAMEPAD_DPAD_DOWN;
    constexpr WORD left = XINPUT_GAMEPAD_DPAD_LEFT, right = XINPUT_GAMEPAD_DPAD_RIGHT;
    constexpr WORD by_eighth[8] = {up, up | right, right, down | right, down, down | left, left, up | left};
    return by_eighth[((pov + 2250) / 4500) % 8];
}

// The HID axes DirectInput reads run 0..65535 around XInput's zero at 32768, Y reversed.
XINPUT_GAMEPAD gamepad_of(const ScriptedDevice& device)
{
    XINPUT_GAMEPAD pad{};
    pad.sThumbLX = static_cast<SHORT>(int(device.x) - 32768);
    pad.sThumbLY = static_cast<SHORT>(32767 - int(device.y));
    pad.wButtons = dpad_bits(device.pov);
    for (unsigned i = 0; i < sizeof button_bits / sizeof button_bits[0]; ++i) {
        if ((device.buttons >> i) & 1u)
            pad.wButtons |= button_bits[i];
    }
    return pad;
}

const char anchor_in_this_module = 0;

std::string loaded_as()
{
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&anchor_in_this_module), &self);
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
    std::string name(path, length);
    return name.substr(name.find_last_of("\\/") + 1);
}

void log_load_once()
{
    static const bool logged = [] {
        dinput_standin::log_result("load", {}, "event", "module=" + loaded_as());
        return true;
    }();
    (void)logged;
}

}  // namespace

extern "C" DWORD WINAPI XInputGetState(DWORD user, XINPUT_STATE* state)
{
    log_load_once();
    const std::string slot_text = "slot=" + std::to_string(user);
    if (user >= xinput_standin::slot_count || state == nullptr) {
        dinput_standin::log_result("xinputgetstate", {}, "badarguments", slot_text);
        return ERROR_BAD_ARGUMENTS;
    }
    const auto device = xinput_standin::pad_in_slot(user);
    if (!device) {
        dinput_standin::log_result("xinputgetstate", {}, "notconnected", slot_text);
        return ERROR_DEVICE_NOT_CONNECTED;
    }
    const XINPUT_GAMEPAD pad = gamepad_of(*device);
    // The packet number changes whenever the state does.
    static DWORD packet = 0;
    static XINPUT_GAMEPAD last[xinput_standin::slot_count] = {};
    if (std::memcmp(&last[user], &pad, sizeof pad) != 0) {
        last[user] = pad;
        ++packet;
    }
    state->dwPacketNumber = packet;
    state->Gamepad = pad;
    std::string buttons(32, '0');
    for (unsigned i = 0; i < 32; ++i)
        buttons[i] = ((device->buttons >> i) & 1u) ? '1' : '0';
    dinput_standin::log_result("xinputgetstate", dinput_standin::guid_text(device->guid), "ok",
                               slot_text + " x=" + std::to_string(device->x) + " y=" + std::to_string(device->y) +
                                   " buttons=" + buttons + " pov=" + std::to_string(device->pov));
    return ERROR_SUCCESS;
}
