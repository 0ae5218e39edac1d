#include "shell/window_events.h"

#include "settings/load_save.h"
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

void cmsave_Click(Kestro& k, Services& s) { savesettings(k, s); }

}  // namespace kestro
