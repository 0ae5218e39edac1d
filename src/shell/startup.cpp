#include "shell/startup.h"

#include <string>

#include "settings/load_save.h"
#include "settings/settings_keys.h"
#include "settings/value_conversion.h"
#include "shell/window_events.h"

namespace kestro {

bool previnstance(Instance& instance) {
    if (!instance.anotherRunning()) return false;
    instance.activate(kApplicationTitle);
    return true;
}

bool Form_Load(Kestro& k, Services& s) {
    if (previnstance(s.instance)) return false;
    // Before anything is read. A file that cannot be rewritten reads as one
    // without settings, which the setup box below tells the user.
    s.profile.dropByteOrderMark();
    s.tray.add(kTrayTip);

    // Only the exact text "True" starts hidden.
    if (s.profile.read(keys::kSettings, keys::kStartHidden, "False", keys::kShortLimit) != "True") {
        s.window.show();
        setCheck1(k, s, 0);
    } else {
        s.window.hide();
        setCheck1(k, s, 1);
    }

    k.Combo1.list.clear();
    for (int i = 1; i <= 50; ++i) k.Combo1.list.push_back(std::to_string(i));

    k.devcount = 0;
    loadsettings(k, s);
    k.Combo1.text = convert::numberText(k.repeatDelay);
    k.Timer1.enable();

    if (s.profile.read(keys::kSettings, keys::kController, "", keys::kLongLimit).empty())
        s.dialogs.messageBox("Please insert your gamepad and select it from the drop downlist, then save",
                             "Gamepad setup");
    return true;
}

void mnuClose_Click(Services& s) {
    s.tray.remove();
    s.window.quit();
}

}  // namespace kestro
