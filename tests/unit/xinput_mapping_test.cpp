// Xbox pads read through XInput give the state DirectInput gives for them.
#include <gtest/gtest.h>

#include <string>

#include "platform/portable/xinput_mapping.h"

namespace kestro {
namespace {

namespace b = xinput_button;

XInputPad stick(std::int16_t x, std::int16_t y) {
    XInputPad pad;
    pad.thumbLX = x;
    pad.thumbLY = y;
    return pad;
}

TEST(XInputMapping, TheLeftStickFillsTheWholeAxisRangeWithUpAtZero) {
    const JoyState rest = joyStateFromXInput(stick(0, 0));
    EXPECT_EQ(rest.lX, 32768);
    EXPECT_EQ(rest.lY, 32767);
    const JoyState upLeft = joyStateFromXInput(stick(-32768, 32767));
    EXPECT_EQ(upLeft.lX, 0);
    EXPECT_EQ(upLeft.lY, 0) << "XInput's Y grows upwards";
    const JoyState downRight = joyStateFromXInput(stick(32767, -32768));
    EXPECT_EQ(downRight.lX, 65535);
    EXPECT_EQ(downRight.lY, 65535);
}

TEST(XInputMapping, ButtonsZeroToNineInDirectInputsOrder) {
    const std::uint16_t order[] = {b::kA, b::kB, b::kX, b::kY, b::kLeftShoulder, b::kRightShoulder,
                                   b::kBack, b::kStart, b::kLeftThumb, b::kRightThumb};
    for (int i = 0; i < 10; ++i) {
        XInputPad pad;
        pad.buttons = order[i];
        const JoyState state = joyStateFromXInput(pad);
        for (int j = 0; j < 32; ++j)
            EXPECT_EQ(state.rgbButtons[j] != 0, j == i) << "XInput bit " << order[i] << ", button byte " << j;
    }
}

TEST(XInputMapping, TheDpadBecomesTheFirstHatAndTheOthersStayCentred) {
    struct Case {
        std::uint16_t buttons;
        std::uint32_t pov;
    };
    const Case cases[] = {
        {0, kPovCentred},
        {b::kDpadUp, 0},
        {b::kDpadUp | b::kDpadRight, 4500},
        {b::kDpadRight, 9000},
        {b::kDpadDown | b::kDpadRight, 13500},
        {b::kDpadDown, 18000},
        {b::kDpadDown | b::kDpadLeft, 22500},
        {b::kDpadLeft, 27000},
        {b::kDpadUp | b::kDpadLeft, 31500},
        {b::kDpadUp | b::kDpadDown, kPovCentred},
        {b::kDpadUp | b::kDpadDown | b::kDpadLeft, 27000},
        {b::kA | b::kStart, kPovCentred},
    };
    for (const Case& c : cases) {
        XInputPad pad;
        pad.buttons = c.buttons;
        const JoyState state = joyStateFromXInput(pad);
        EXPECT_EQ(state.rgdwPOV[0], c.pov) << "buttons " << c.buttons;
        for (int i = 1; i < 4; ++i) EXPECT_EQ(state.rgdwPOV[i], kPovCentred);
    }
    XInputPad dpadOnly;
    dpadOnly.buttons = b::kDpadUp | b::kDpadDown | b::kDpadLeft | b::kDpadRight;
    for (std::uint8_t byte : joyStateFromXInput(dpadOnly).rgbButtons) EXPECT_EQ(byte, 0) << "the D-pad is no button";
}

TEST(XInputMapping, AnXInputInterfaceIsNamedInThePathInEitherCase) {
    const std::wstring hidInterface = L"#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    EXPECT_TRUE(isXInputDevicePath(L"\\\\?\\hid#vid_045e&pid_02ff&ig_00#7&2a7c3b&0&0000" + hidInterface));
    EXPECT_TRUE(isXInputDevicePath(L"\\\\?\\HID#VID_045E&PID_028E&IG_01#1"));
    EXPECT_FALSE(isXInputDevicePath(L"\\\\?\\hid#vid_054c&pid_09cc&mi_03#8&1f&0&0000" + hidInterface));
    EXPECT_FALSE(isXInputDevicePath(L""));
    EXPECT_FALSE(isXInputDevicePath(L"ig"));
}

}  // namespace
}  // namespace kestro
