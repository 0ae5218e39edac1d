#include "platform/portable/xinput_mapping.h"

#include <iterator>

namespace kestro {
namespace {

// DirectInput reads the pad's HID axes, which run 0..65535 with XInput's
// zero at 32768; XInput's Y grows upwards, DirectInput's downwards.
std::int32_t horizontal(std::int16_t thumb) { return std::int32_t{thumb} + 32768; }
std::int32_t vertical(std::int16_t thumb) { return 32767 - std::int32_t{thumb}; }

// Buttons 0..9 as DirectInput numbers an Xbox pad's.
constexpr std::uint16_t kButtonOrder[] = {
    xinput_button::kA,    xinput_button::kB,     xinput_button::kX,         xinput_button::kY,
    xinput_button::kLeftShoulder, xinput_button::kRightShoulder,
    xinput_button::kBack, xinput_button::kStart, xinput_button::kLeftThumb, xinput_button::kRightThumb,
};

// Hundredths of a degree clockwise from up; opposite directions cancel.
std::uint32_t dpadToPov(std::uint16_t buttons) {
    using namespace xinput_button;
    const int up = (buttons & kDpadUp) ? 1 : 0, down = (buttons & kDpadDown) ? 1 : 0;
    const int left = (buttons & kDpadLeft) ? 1 : 0, right = (buttons & kDpadRight) ? 1 : 0;
    const int dy = down - up, dx = right - left;
    if (dx == 0 && dy == 0) return kPovCentred;
    // Indexed by (dy + 1) * 3 + (dx + 1).
    constexpr std::uint32_t kAngles[9] = {31500, 0, 4500, 27000, kPovCentred, 9000, 22500, 18000, 13500};
    return kAngles[(dy + 1) * 3 + (dx + 1)];
}

wchar_t upper(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

}  // namespace

JoyState joyStateFromXInput(const XInputPad& pad) {
    JoyState state;
    state.lX = horizontal(pad.thumbLX);
    state.lY = vertical(pad.thumbLY);
    state.lRx = horizontal(pad.thumbRX);
    state.lRy = vertical(pad.thumbRY);
    state.rgdwPOV[0] = dpadToPov(pad.buttons);
    for (std::size_t i = 0; i < std::size(kButtonOrder); ++i)
        state.rgbButtons[i] = (pad.buttons & kButtonOrder[i]) ? 0x80 : 0;
    return state;
}

bool isXInputDevicePath(std::wstring_view path) {
    for (std::size_t i = 0; i + 3 <= path.size(); ++i)
        if (upper(path[i]) == L'I' && upper(path[i + 1]) == L'G' && path[i + 2] == L'_') return true;
    return false;
}

}  // namespace kestro
