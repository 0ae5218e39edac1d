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
// and their sticks and buttons moved; listing, opening and reading can be
// made to fail. The opened controller behaves like DirectInput's device.
class FakeGameControllers final : public GameControllers {
public:
    // Open: the controller cannot be opened, the one opened before stays.
    // Acquire: an open that got as far as acquiring, which then fails: the
    // controller replaces the one before, and its reads fail.
    enum class Op { List, Open, Acquire, Read };

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

    // --- GameControllers -------------------------------------------------
    bool listAttached(std::vector<ControllerItem>& out) override {
        if (!begin(Op::List)) return false;
        out.clear();
        for (const auto& d : attached_) out.push_back({d.name, d.id});
        return true;
    }
    bool open(const std::string& id) override {
        if (!begin(Op::Open) || !isAttached(id)) return false;
        device_ = id;
        acquired_ = false;
        if (!begin(Op::Acquire)) return false;
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
    std::optional<std::string> device_;
    bool acquired_ = false;
    JoyState detachedState_{};
    std::map<Op, int> failures_;
    std::map<Op, int> calls_;
};

}  // namespace kestro::fakes
