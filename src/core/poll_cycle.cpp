#include "core/poll_cycle.h"

#include <algorithm>

#include "core/text_trim.h"
#include "host/sendcommand.h"

namespace kestro {
namespace {

// First send of a press. In keystroke mode the target is brought to the
// front first (not for a key text of invalid syntax); keys are typed only
// into that window, and a failed send is skipped rather than treated as a
// lost controller.
void sendPress(Kestro& k, Services& s, std::string_view keytext) {
    if (k.Option1) {
        sendcommand(s.host, kHostTitle, keytext);
        return;
    }
    s.keystrokes.activateAndType(k.txtapp.text, keytext);
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

void pollInput(Kestro& k, Services& s, bool active, std::uint32_t& indicator, double& counter,
               const TextBox& keyBox) {
    if (active) {
        if (indicator == kReleased) {
            counter = 0;
            sendPress(k, s, trimSpaces(keyBox.text));
            indicator = kPressed;
        } else {
            counter += 1;
            if (counter > k.repeatDelay) {
                nrcheck(k, s, trimSpaces(keyBox.text));
                counter = 0;
            }
        }
    } else if (indicator == kPressed) {
        indicator = kReleased;
    }
}

}  // namespace

bool checkbut_Timer(Kestro& k, Services& s) {
    if (!s.controllers.readState(k.joystate)) return false;
    const JoyState& js = k.joystate;
    const HatDirections hat = k.dpad ? hatDirections(js.rgdwPOV[0]) : HatDirections{};
    pollInput(k, s, js.lY <= kLowThreshold || hat.up, k.joyup[kUp], k.directionCounters[kUp], k.textup);
    pollInput(k, s, js.lY >= kHighThreshold || hat.down, k.joyup[kDown], k.directionCounters[kDown], k.textdown);
    pollInput(k, s, js.lX <= kLowThreshold || hat.left, k.joyup[kLeft], k.directionCounters[kLeft], k.textleft);
    pollInput(k, s, js.lX >= kHighThreshold || hat.right, k.joyup[kRight], k.directionCounters[kRight],
              k.textright);
    for (std::size_t i = 0; i < k.sh0.size(); ++i)
        pollInput(k, s, js.rgbButtons[i] != 0, k.sh0[i], k.buttonCounter, k.Text1[i]);
    return true;
}

void nrcheck(Kestro& k, Services& s, std::string_view keytext) {
    if (std::find(k.noRepeat.begin(), k.noRepeat.end(), keytext) != k.noRepeat.end()) return;
    if (k.Option1)
        sendcommand(s.host, kHostTitle, keytext);
    else
        s.keystrokes.typeInto(k.txtapp.text, keytext);
}

}  // namespace kestro
