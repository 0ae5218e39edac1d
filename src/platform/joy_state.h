#pragma once
#include <cstdint>

namespace kestro {

// A hat that points nowhere; DirectInput also accepts 0xFFFF in the low word.
inline constexpr std::uint32_t kPovCentred = 0xFFFFFFFF;

// One controller reading, laid out like DirectInput's DIJOYSTATE.
// The poll cycle looks at lX, lY, buttons 0..9 and, on request, the first hat.
struct JoyState {
    std::int32_t lX = 0, lY = 0, lZ = 0;
    std::int32_t lRx = 0, lRy = 0, lRz = 0;
    std::int32_t rglSlider[2] = {0, 0};
    std::uint32_t rgdwPOV[4] = {kPovCentred, kPovCentred, kPovCentred, kPovCentred};
    std::uint8_t rgbButtons[32] = {};
};

}  // namespace kestro
