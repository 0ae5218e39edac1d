#include "core/poll_cycle.h"

#include <algorithm>

#include "core/text_trim.h"
#include "host/sendcommand.h"

namespace kestro {
namespace {

// First send of a press. In keystroke mode the target is brought to the
// front first; keys are typed only into that window, and a failed send is
// skipped rather than treated as a lost controller.
void sendPress(Kestro& k, Services& s, std::string_view keytext) {
    if (k.Option1) {
        sendcommand(s.host, kHostTitle, keytext);
        return;
    }
    if (s.keystrokes.activate(k.txtapp.text)) s.keystrokes.typeInto(k.txtapp.text, keytext);
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
    pollInput(k, s, js.lY <= kLowThreshold, k.joyup[kUp], k.directionCounters[kUp], k.textup);
    pollInput(k, s, js.lY >= kHighThreshold, k.joyup[kDown], k.directionCounters[kDown], k.textdown);
    pollInput(k, s, js.lX <= kLowThreshold, k.joyup[kLeft], k.directionCounters[kLeft], k.textleft);
    pollInput(k, s, js.lX >= kHighThreshold, k.joyup[kRight], k.directionCounters[kRight], k.textright);
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
