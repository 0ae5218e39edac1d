#include "shell/startup.h"

#include <string>

#include "settings/load_save.h"
#include "settings/settings_keys.h"
#include "settings/value_conversion.h"
#include "shell/window_events.h"

namespace kestro {

bool anotherInstanceRunning(Instance& instance) {
    if (!instance.anotherRunning()) return false;
    instance.activate(kApplicationTitle);
    return true;
}

bool startUp(WindowState& state, Services& s) {
    if (anotherInstanceRunning(s.instance)) return false;
    // Before anything is read. A file that cannot be rewritten reads as one
    // without settings, which the setup box below tells the user.
    s.profile.dropByteOrderMark();
    s.tray.add(kTrayTip);

    // Only the exact text "True" starts hidden.
    if (s.profile.read(keys::kSettings, keys::kStartHidden, "False", keys::kShortLimit) != "True") {
        s.window.show();
        setStartHidden(state, s, false);
    } else {
        s.window.hide();
        setStartHidden(state, s, true);
    }

    state.delayBox.list.clear();
    for (int i = 1; i <= 50; ++i) state.delayBox.list.push_back(std::to_string(i));

    state.attachedCount = 0;
    loadSettings(state, s);
    state.delayBox.text = convert::numberText(state.repeatDelay);
    state.reconnectTimer.enable();

    if (s.profile.read(keys::kSettings, keys::kController, "", keys::kLongLimit).empty())
        s.dialogs.messageBox("Please insert your gamepad and select it from the drop downlist, then save",
                             "Gamepad setup");
    return true;
}

void closeProgram(Services& s) {
    s.tray.remove();
    s.window.quit();
}

}  // namespace kestro
