// Any XInput reading maps to the DirectInput state of the same pad: axes
// 0..65535 with Y turned over, a hat that points where the D-pad's
// uncancelled directions do, and exactly the pressed buttons among 0..9.
// A device path names an XInput pad exactly when it holds "IG_".
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz/property.h"
#include "platform/portable/xinput_mapping.h"

using namespace kestro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    XInputPad pad;
    pad.buttons = in.ConsumeIntegral<std::uint16_t>();
    pad.thumbLX = in.ConsumeIntegral<std::int16_t>();
    pad.thumbLY = in.ConsumeIntegral<std::int16_t>();
    const JoyState s = joyStateFromXInput(pad);
    check(s.lX >= 0 && s.lX <= 65535 && s.lY >= 0 && s.lY <= 65535);
    check(s.lX - 32768 == pad.thumbLX && 32767 - s.lY == pad.thumbLY);
    const int dx = !!(pad.buttons & xinput_button::kDpadRight) - !!(pad.buttons & xinput_button::kDpadLeft);
    const int dy = !!(pad.buttons & xinput_button::kDpadDown) - !!(pad.buttons & xinput_button::kDpadUp);
    const std::uint32_t pov = s.rgdwPOV[0];
    if (dx == 0 && dy == 0) {
        check(pov == kPovCentred);
    } else {  // hundredths of a degree clockwise from up
        check(pov % 4500 == 0 && pov < 36000);
        check((pov > 0 && pov < 18000) == (dx > 0) && (pov > 18000) == (dx < 0));
        check((pov > 9000 && pov < 27000) == (dy > 0) && (pov < 9000 || pov > 27000) == (dy < 0));
    }
    check(s.rgdwPOV[1] == kPovCentred);
    int pressed = 0, bits = 0;
    for (int i = 0; i < 32; ++i) {
        check(s.rgbButtons[i] == 0 || (i < 10 && s.rgbButtons[i] == 0x80));
        pressed += s.rgbButtons[i] != 0;
    }
    for (unsigned b = pad.buttons & 0xF3F0u; b != 0; b &= b - 1) ++bits;  // all but the D-pad and the unused bits
    check(pressed == bits);

    std::wstring path, upper;
    for (char c : in.ConsumeRemainingBytesAsString()) path += static_cast<wchar_t>(static_cast<unsigned char>(c));
    for (wchar_t c : path) upper += (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    check(isXInputDevicePath(path) == (upper.find(L"IG_") != std::wstring::npos));
    return 0;
}
