#include "xinput_slots.h"

#include "../dinput8/script_watch.h"

#include <algorithm>
#include <array>
#include <mutex>

namespace xinput_standin {

namespace {

using dinput_standin::ScriptedDevice;

struct Slots {
    std::mutex mutex;
    std::array<std::optional<GUID>, slot_count> owner;
};

Slots& slots()
{
    static Slots instance;
    return instance;
}

void take_in(Slots& s, const std::vector<ScriptedDevice>& devices)
{
    const auto listed = [&](const GUID& guid) {
        return std::any_of(devices.begin(), devices.end(),
                           [&](const ScriptedDevice& d) { return d.xinput && d.guid == guid; });
    };
    for (auto& owner : s.owner) {
        if (owner && !listed(*owner))
            owner.reset();
    }
    for (const auto& device : devices) {
        if (!device.xinput || std::find(s.owner.begin(), s.owner.end(), device.guid) != s.owner.end())
            continue;
        const auto free_slot = std::find(s.owner.begin(), s.owner.end(), std::nullopt);
        if (free_slot != s.owner.end())
            *free_slot = device.guid;
    }
}

}  // namespace

std::optional<ScriptedDevice> pad_in_slot(unsigned slot)
{
    dinput_standin::refresh_script();
    const auto devices = dinput_standin::attached_devices();
    auto& s = slots();
    std::lock_guard lock(s.mutex);
    take_in(s, devices);
    if (slot >= slot_count || !s.owner[slot])
        return std::nullopt;
    for (const auto& device : devices) {
        if (device.guid == *s.owner[slot])
            return device;
    }
    return std::nullopt;
}

}  // namespace xinput_standin
