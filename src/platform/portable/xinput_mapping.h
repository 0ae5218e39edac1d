#pragma once
#include <cstdint>
#include <string_view>

#include "platform/joy_state.h"

namespace kestro {

// XInput's XINPUT_GAMEPAD in neutral types, without the triggers, which
// DirectInput folds into one axis that nothing here reads.
struct XInputPad {
    std::uint16_t buttons = 0;
    std::int16_t thumbLX = 0, thumbLY = 0, thumbRX = 0, thumbRY = 0;
};

// XINPUT_GAMEPAD button bits.
namespace xinput_button {
inline constexpr std::uint16_t kDpadUp = 0x0001, kDpadDown = 0x0002, kDpadLeft = 0x0004, kDpadRight = 0x0008;
inline constexpr std::uint16_t kStart = 0x0010, kBack = 0x0020, kLeftThumb = 0x0040, kRightThumb = 0x0080;
inline constexpr std::uint16_t kLeftShoulder = 0x0100, kRightShoulder = 0x0200;
inline constexpr std::uint16_t kA = 0x1000, kB = 0x2000, kX = 0x4000, kY = 0x8000;
}  // namespace xinput_button

// The state DirectInput reports for the same Xbox pad, so that a mapping
// means the same whichever way the pad is read.
JoyState joyStateFromXInput(const XInputPad& pad);

// Xbox-type pads are the HID devices whose interface path names an XInput
// interface ("IG_"); Windows writes these paths in lower case.
bool isXInputDevicePath(std::wstring_view path);

}  // namespace kestro
