#include "shell/window_events.h"

#include "controller/discovery.h"
#include "settings/load_save.h"
#include "settings/settings_keys.h"
#include "shell/startup.h"

namespace kestro {

void trayCallback(Services& s, std::uint32_t mouseCode) {
    if (mouseCode == kTrayRightButtonDown && s.tray.popupMenu() == Tray::MenuChoice::Close) closeProgram(s);
    if (mouseCode == kTrayLeftButtonDown) {
        s.window.show();
        s.window.bringToFront();
    }
}

void onMinimizeClicked(Services& s) { s.window.hide(); }

void onSaveClicked(WindowState& state, Services& s) {
    if (saveSettings(state, s)) discoverControllers(state, s);
}

bool onStartHiddenClicked(WindowState& state, Services& s) {
    return s.profile.write(keys::kSettings, keys::kStartHidden, state.startHiddenBox ? "True" : "False");
}

bool setStartHidden(WindowState& state, Services& s, bool value) {
    if (state.startHiddenBox == value) return true;
    state.startHiddenBox = value;
    return onStartHiddenClicked(state, s);
}

void reportFailedWrite(WindowState& state, Services& s) {
    if (state.failedWriteReported) return;
    state.failedWriteReported = true;
    s.dialogs.messageBox("error saving", "Opps");
}

}  // namespace kestro
