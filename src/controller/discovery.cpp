#include "controller/discovery.h"

#include <limits>

#include "core/text_trim.h"
#include "settings/settings_keys.h"

namespace kestro {
namespace {

// Opens the controller as the device, formats and acquires it.
bool open(GameControllers& c, const ControllerItem& item) {
    return c.createDevice(item.id) && c.setJoystickFormat() && c.acquire();
}

bool takeUp(WindowState& state, GameControllers& c, const ControllerItem& item, int entry) {
    if (!open(c, item)) return false;
    state.statusLabel = "Established Communication with";
    state.controllerBox.select(entry);
    return true;
}

// The steps of discovery; false at the first failure, with what was done kept.
bool discover(WindowState& state, Services& s) {
    GameControllers& c = s.controllers;
    if (!c.createRoot() || !c.createInput() || !c.enumerateAttached()) return false;
    state.quietReconnectTicks = 0;
    const std::string saved = s.profile.read(keys::kSettings, keys::kController, "", keys::kLongLimit);
    std::int32_t n = 0;
    if (!c.count(n)) return false;
    if (n == state.attachedCount) return true;
    if (n < 0 || n > std::numeric_limits<std::int16_t>::max()) return false;
    state.attachedCount = static_cast<std::int16_t>(n);
    state.retakeLost = false;

    state.controllerBox.clear();
    bool found = false;
    const std::string_view wanted = trimSpaces(saved);
    for (std::int32_t i = 1; i <= n; ++i) {
        ControllerItem item;
        if (!c.item(i, item)) return false;
        state.controllerBox.list.push_back(item.name);
        if (wanted == trimSpaces(item.name)) {
            if (!takeUp(state, c, item, i - 1)) return false;
            found = true;
        }
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

// The saved controller of the current snapshot, opened and read once; false
// when it is not there or still cannot be read.
bool readableAgain(WindowState& state, Services& s) {
    GameControllers& c = s.controllers;
    const std::string saved = s.profile.read(keys::kSettings, keys::kController, "", keys::kLongLimit);
    std::int32_t n = 0;
    if (!c.count(n)) return false;
    for (std::int32_t i = 1; i <= n; ++i) {
        ControllerItem item;
        if (!c.item(i, item) || trimSpaces(saved) != trimSpaces(item.name)) continue;
        return open(c, item) && c.readState(state.controllerState);
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
