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

bool takeUp(Kestro& k, GameControllers& c, const ControllerItem& item, int entry) {
    if (!open(c, item)) return false;
    k.lblOutput = "Established Communication with";
    k.Combo2.select(entry);
    return true;
}

// The steps of discovery; false at the first failure, with what was done kept.
bool discover(Kestro& k, Services& s) {
    GameControllers& c = s.controllers;
    if (!c.createRoot() || !c.createInput() || !c.enumerateAttached()) return false;
    k.quietReconnectTicks = 0;
    const std::string saved = s.profile.read(keys::kSettings, keys::kController, "", keys::kLongLimit);
    std::int32_t n = 0;
    if (!c.count(n)) return false;
    if (n == k.devcount) return true;
    if (n < 0 || n > std::numeric_limits<std::int16_t>::max()) return false;
    k.devcount = static_cast<std::int16_t>(n);
    k.retakeLost = false;

    k.Combo2.clear();
    bool found = false;
    const std::string_view wanted = trimSpaces(saved);
    for (std::int32_t i = 1; i <= n; ++i) {
        ControllerItem item;
        if (!c.item(i, item)) return false;
        k.Combo2.list.push_back(item.name);
        if (wanted == trimSpaces(item.name)) {
            if (!takeUp(k, c, item, i - 1)) return false;
            found = true;
        }
    }
    if (found) {
        k.checkbut.enable();
        k.Timer1.disable();
    } else {
        k.checkbut.disable();
        k.Timer1.enable();
    }
    return true;
}

// The saved controller of the current snapshot, opened and read once; false
// when it is not there or still cannot be read.
bool readableAgain(Kestro& k, Services& s) {
    GameControllers& c = s.controllers;
    const std::string saved = s.profile.read(keys::kSettings, keys::kController, "", keys::kLongLimit);
    std::int32_t n = 0;
    if (!c.count(n)) return false;
    for (std::int32_t i = 1; i <= n; ++i) {
        ControllerItem item;
        if (!c.item(i, item) || trimSpaces(saved) != trimSpaces(item.name)) continue;
        return open(c, item) && c.readState(k.joystate);
    }
    return false;
}

}  // namespace

void cmdInitialize_Click(Kestro& k, Services& s) {
    if (!discover(k, s)) k.Timer1.enable();
}

void Timer1_Timer(Kestro& k, Services& s) {
    const bool noticed = k.ticksToLook > 0;
    if (noticed) --k.ticksToLook;
    if (noticed || ++k.quietReconnectTicks >= kSafetyNetTicks) cmdInitialize_Click(k, s);
    // A read failure need not be an unplugging (a device reset, a quick
    // wireless reconnect): the count stays the same, so no listing would
    // ever take the controller up again.
    if (k.retakeLost && k.Timer1.enabled && readableAgain(k, s)) {
        k.devcount = 0;
        cmdInitialize_Click(k, s);
    }
}

void deviceChangeNoticed(Kestro& k) { k.ticksToLook = kTicksLookingAfterNotice; }

void Combo2_Change(Kestro& k, Services& s) {
    s.profile.write(keys::kSettings, keys::kController, k.Combo2.text);
    // The entries go, but the text stays as typed so that the next
    // character extends the name instead of starting a new one.
    k.Combo2.list.clear();
    k.Combo2.listIndex = -1;
    cmdInitialize_Click(k, s);
}

void lostDevice(Kestro& k, Services& s) {
    k.lblOutput = "device unplugged";
    cmdInitialize_Click(k, s);
    k.Combo2.clear();
    k.Timer1.enable();
    k.checkbut.disable();
    k.retakeLost = true;
}

}  // namespace kestro
