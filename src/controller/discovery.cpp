#include "controller/discovery.h"

#include <limits>

#include "core/text_trim.h"
#include "settings/settings_keys.h"

namespace kestro {
namespace {

// The steps of discovery; false at the first failure, with what was done kept.
bool discover(WindowState& state, Services& s) {
    GameControllers& c = s.controllers;
    std::vector<ControllerItem>& attached = state.attachedControllers;
    if (!c.listAttached(attached)) return false;
    state.quietReconnectTicks = 0;
    const std::string saved = s.profile.read(keys::kSettings, keys::kController, "", keys::kLongLimit);
    const auto n = static_cast<std::int64_t>(attached.size());
    if (n == state.attachedCount) return true;
    if (n > std::numeric_limits<std::int16_t>::max()) return false;
    state.attachedCount = static_cast<std::int16_t>(n);
    state.retakeLost = false;

    state.controllerBox.clear();
    bool found = false;
    const std::string_view wanted = trimSpaces(saved);
    for (std::size_t i = 0; i < attached.size(); ++i) {
        state.controllerBox.list.push_back(attached[i].name);
        if (wanted != trimSpaces(attached[i].name)) continue;
        if (!c.open(attached[i].id)) return false;
        state.statusLabel = "Established Communication with";
        state.controllerBox.select(static_cast<int>(i));
        found = true;
    }
    if (found) {
        state.pollTimer.enable();
        state.reconnectTimer.disable();
    } else {
        state.pollTimer.disable();
        state.reconnectTimer.enable();
    }
    return true;
}

// The saved controller of the last look, opened and read once; false when
// it is not there or still cannot be read.
bool readableAgain(WindowState& state, Services& s) {
    const std::string saved = s.profile.read(keys::kSettings, keys::kController, "", keys::kLongLimit);
    for (const ControllerItem& item : state.attachedControllers) {
        if (trimSpaces(saved) != trimSpaces(item.name)) continue;
        return s.controllers.open(item.id) && s.controllers.readState(state.controllerState);
    }
    return false;
}

}  // namespace

void discoverControllers(WindowState& state, Services& s) {
    if (!discover(state, s)) state.reconnectTimer.enable();
}

void onReconnectTick(WindowState& state, Services& s) {
    const bool noticed = state.ticksToLook > 0;
    if (noticed) --state.ticksToLook;
    if (noticed || ++state.quietReconnectTicks >= kSafetyNetTicks) discoverControllers(state, s);
    // A read failure need not be an unplugging (a device reset, a quick
    // wireless reconnect): the count stays the same, so no listing would
    // ever take the controller up again.
    if (state.retakeLost && state.reconnectTimer.enabled && readableAgain(state, s)) {
        state.attachedCount = 0;
        discoverControllers(state, s);
    }
}

void deviceChangeNoticed(WindowState& state) { state.ticksToLook = kTicksLookingAfterNotice; }

bool onControllerBoxEdited(WindowState& state, Services& s) {
    const bool written = s.profile.write(keys::kSettings, keys::kController, state.controllerBox.text);
    // The entries go, but the text stays as typed so that the next
    // character extends the name instead of starting a new one.
    state.controllerBox.list.clear();
    state.controllerBox.listIndex = -1;
    discoverControllers(state, s);
    return written;
}

void lostDevice(WindowState& state, Services& s) {
    state.statusLabel = "device unplugged";
    discoverControllers(state, s);
    state.controllerBox.clear();
    state.reconnectTimer.enable();
    state.pollTimer.disable();
    state.retakeLost = true;
}

}  // namespace kestro
