#include "core/poll_cycle.h"

#include <algorithm>

#include "core/text_trim.h"
#include "host/host_command.h"

namespace kestro {
namespace {

// First send of a press. In keystroke mode the target is brought to the
// front first (not for a key text of invalid syntax); keys are typed only
// into that window, and a failed send is skipped rather than treated as a
// lost controller.
void sendPress(WindowState& state, Services& s, std::string_view keytext) {
    if (state.target == Target::Host) {
        sendHostCommand(s.host, kHostTitle, keytext);
        return;
    }
    s.keystrokes.activateAndType(state.targetTitle.text, keytext);
}

struct HatDirections {
    bool up = false, down = false, left = false, right = false;
};

constexpr std::uint32_t kFullCircle = 36000;  // hundredths of a degree

// Less than 67.5 degrees from `direction`: one of the eight 45-degree sectors
// around it or beside it, so a diagonal gives one vertical and one horizontal
// direction, as the stick does.
bool pointsTowards(std::uint32_t pov, std::uint32_t direction) {
    const std::uint32_t apart = pov > direction ? pov - direction : direction - pov;
    return std::min(apart, kFullCircle - apart) < 6750;
}

// The first hat, clockwise from up; anything outside 0..35999 (0xFFFF in
// the low word included) is centred.
HatDirections hatDirections(std::uint32_t pov) {
    if (pov >= kFullCircle) return {};
    return {pointsTowards(pov, 0), pointsTowards(pov, 18000), pointsTowards(pov, 27000), pointsTowards(pov, 9000)};
}

void pollInput(WindowState& state, Services& s, bool active, Light& light, double& counter, const TextBox& keyBox) {
    if (active) {
        if (!light.pressed) {
            counter = 0;
            sendPress(state, s, trimSpaces(keyBox.text));
            light.pressed = true;
        } else {
            counter += 1;
            if (counter > state.repeatDelay) {
                repeatUnlessListed(state, s, trimSpaces(keyBox.text));
                counter = 0;
            }
        }
    } else {
        light.pressed = false;
    }
}

}  // namespace

bool onPollTick(WindowState& state, Services& s) {
    if (!s.controllers.readState(state.controllerState)) return false;
    const JoyState& js = state.controllerState;
    const HatDirections hat = state.dpad ? hatDirections(js.rgdwPOV[0]) : HatDirections{};
    const bool directionDown[4] = {js.lY <= kLowThreshold || hat.up, js.lY >= kHighThreshold || hat.down,
                                   js.lX <= kLowThreshold || hat.left, js.lX >= kHighThreshold || hat.right};
    for (std::size_t d = 0; d < 4; ++d)
        pollInput(state, s, directionDown[d], state.directionLights[d], state.directionCounters[d], state.directionKeys[d]);
    for (std::size_t i = 0; i < state.buttonLights.size(); ++i)
        pollInput(state, s, js.rgbButtons[i] != 0, state.buttonLights[i], state.buttonCounter, state.buttonKeys[i]);
    return true;
}

void repeatUnlessListed(WindowState& state, Services& s, std::string_view keytext) {
    if (std::find(state.noRepeat.begin(), state.noRepeat.end(), keytext) != state.noRepeat.end()) return;
    if (state.target == Target::Host)
        sendHostCommand(s.host, kHostTitle, keytext);
    else
        s.keystrokes.typeInto(state.targetTitle.text, keytext);
}

}  // namespace kestro
