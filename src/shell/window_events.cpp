#include "shell/window_events.h"

#include "controller/discovery.h"
#include "settings/load_save.h"
#include "settings/settings_keys.h"
#include "shell/startup.h"

namespace kestro {

void trayCallback(Services& s, std::uint32_t mouseCode) {
    if (mouseCode == kTrayRightButtonDown && s.tray.popupMenu() == Tray::MenuChoice::Close) mnuClose_Click(s);
    if (mouseCode == kTrayLeftButtonDown) {
        s.window.show();
        s.window.bringToFront();
    }
}

void Command1_Click(Services& s) { s.window.hide(); }

void cmsave_Click(Kestro& k, Services& s) {
    if (savesettings(k, s)) cmdInitialize_Click(k, s);
}

void Check1_Click(Kestro& k, Services& s) {
    s.profile.write(keys::kSettings, keys::kStartHidden, k.Check1 == 0 ? "False" : "True");
}

void setCheck1(Kestro& k, Services& s, int value) {
    if (k.Check1 == value) return;
    k.Check1 = value;
    Check1_Click(k, s);
}

}  // namespace kestro
