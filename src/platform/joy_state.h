#pragma once
#include <cstdint>

namespace kestro {

// One controller reading, laid out like DirectInput's DIJOYSTATE.
// Only lX, lY and buttons 0..9 are looked at by the poll cycle.
struct JoyState {
    std::int32_t lX = 0, lY = 0, lZ = 0;
    std::int32_t lRx = 0, lRy = 0, lRz = 0;
    std::int32_t rglSlider[2] = {0, 0};
    std::uint32_t rgdwPOV[4] = {0, 0, 0, 0};
    std::uint8_t rgbButtons[32] = {};
};

}  // namespace kestro
