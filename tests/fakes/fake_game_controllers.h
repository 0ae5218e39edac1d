#pragma once
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/game_controllers.h"

namespace kestro::fakes {

// A simulated set of game controllers: devices can be plugged in and out
// and their sticks and buttons moved; any single operation can be made to
// fail. Snapshots and the opened device behave like DirectInput's.
class FakeGameControllers final : public GameControllers {
public:
    enum class Op { CreateRoot, CreateInput, Enumerate, Count, Item, CreateDevice, SetFormat, Acquire, Read };

    struct Device {
        std::string name;
        std::string id;
        JoyState state{};
    };

    // --- scripting -------------------------------------------------------
    // Told of every plug and unplug, as the system tells its windows.
    std::function<void()> onDeviceChange = [] {};

    void plug(const std::string& name, const std::string& id) {
        JoyState centred{};
        centred.lX = centred.lY = 32767;
        attached_.push_back({name, id, centred});
        onDeviceChange();
    }
    void unplug(const std::string& id) {
        std::erase_if(attached_, [&](const Device& d) { return d.id == id; });
        onDeviceChange();
    }
    void setAxes(const std::string& id, std::int32_t x, std::int32_t y) {
        state(id).lX = x;
        state(id).lY = y;
    }
    void setPov(const std::string& id, std::uint32_t pov) { state(id).rgdwPOV[0] = pov; }
    void setButton(const std::string& id, int button, bool down) {
        state(id).rgbButtons[button] = down ? 0x80 : 0;
    }
    // The next `times` calls of `op` fail.
    void failNext(Op op, int times = 1) { failures_[op] += times; }

    // --- observations ----------------------------------------------------
    int calls(Op op) const {
        const auto it = calls_.find(op);
        return it == calls_.end() ? 0 : it->second;
    }
    const std::optional<std::string>& openedId() const { return device_; }
    bool acquired() const { return acquired_; }
    int rootsCreated() const { return rootsCreated_; }

    // --- GameControllers -------------------------------------------------
    bool createRoot() override {
        if (!begin(Op::CreateRoot)) return false;
        if (!root_) ++rootsCreated_;
        root_ = true;
        return true;
    }
    bool createInput() override { return begin(Op::CreateInput) && root_; }
    bool enumerateAttached() override {
        if (!begin(Op::Enumerate)) return false;
        snapshot_.clear();
        for (const auto& d : attached_) snapshot_.push_back({d.name, d.id});
        return true;
    }
    bool count(std::int32_t& n) override {
        if (!begin(Op::Count)) return false;
        n = static_cast<std::int32_t>(snapshot_.size());
        return true;
    }
    bool item(std::int32_t index, ControllerItem& out) override {
        if (!begin(Op::Item) || index < 1 || index > static_cast<std::int32_t>(snapshot_.size())) return false;
        out = snapshot_[static_cast<std::size_t>(index - 1)];
        return true;
    }
    bool createDevice(const std::string& id) override {
        if (!begin(Op::CreateDevice) || !isAttached(id)) return false;
        device_ = id;
        formatted_ = acquired_ = false;
        return true;
    }
    bool setJoystickFormat() override {
        if (!begin(Op::SetFormat) || !device_) return false;
        formatted_ = true;
        return true;
    }
    bool acquire() override {
        if (!begin(Op::Acquire) || !device_ || !formatted_ || !isAttached(*device_)) return false;
        acquired_ = true;
        return true;
    }
    bool readState(JoyState& out) override {
        if (!begin(Op::Read) || !device_ || !acquired_ || !isAttached(*device_)) return false;
        out = state(*device_);
        return true;
    }

private:
    bool begin(Op op) {
        ++calls_[op];
        auto it = failures_.find(op);
        if (it == failures_.end() || it->second == 0) return true;
        --it->second;
        return false;
    }
    bool isAttached(const std::string& id) const {
        return std::any_of(attached_.begin(), attached_.end(), [&](const Device& d) { return d.id == id; });
    }
    JoyState& state(const std::string& id) {
        for (auto& d : attached_)
            if (d.id == id) return d.state;
        return detachedState_;
    }

    std::vector<Device> attached_;
    std::vector<ControllerItem> snapshot_;
    std::optional<std::string> device_;
    bool root_ = false, formatted_ = false, acquired_ = false;
    int rootsCreated_ = 0;
    JoyState detachedState_{};
    std::map<Op, int> failures_;
    std::map<Op, int> calls_;
};

}  // namespace kestro::fakes
