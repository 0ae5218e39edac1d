#include "platform/portable/key_event_plan.h"

#include <array>
#include <utility>

namespace kestro::keys {
namespace {

constexpr std::uint8_t kAltGr = kCtrl | kAlt;

class Plan {
public:
    Plan(const KeyboardLayout& layout, bool composing) : layout_(layout), composing_(composing) {}

    void add(const KeyStroke& stroke) {
        if (stroke.kind == KeyStroke::Kind::Named) {
            press({stroke.virtualKey, 0}, stroke.modifiers);
        } else if (stroke.modifiers) {
            if (const std::optional<KeyForChar> key = hotKeyFor(stroke.character))
                press(*key, stroke.modifiers);
            else
                asItself(stroke.character);
        } else if (const std::optional<std::vector<KeyForChar>> typing = keysTyping(stroke.character)) {
            for (const KeyForChar& key : *typing) press(key, 0);
        } else {
            asItself(stroke.character);
        }
    }

    void event(std::uint16_t virtualKey, bool up) { events_.push_back({KeyEvent::Kind::Key, virtualKey, up}); }

    void tapUnassigned() {
        event(vk::kUnassigned, false);
        event(vk::kUnassigned, true);
    }

    std::vector<KeyEvent> take() { return std::move(events_); }

private:
    // The key of a hot key: the layout's own, else the Latin letter's or
    // digit's, whose virtual keys every layout has.
    std::optional<KeyForChar> hotKeyFor(char32_t c) const {
        if (c <= 0xFFFF)
            if (const std::optional<KeyForChar> key = layout_.keyFor(static_cast<char16_t>(c))) return key;
        if (c >= U'a' && c <= U'z') return KeyForChar{static_cast<std::uint16_t>(c - U'a' + U'A'), 0};
        if ((c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9')) {
            const auto shift = static_cast<std::uint8_t>(c >= U'A' ? kShift : 0);
            return KeyForChar{static_cast<std::uint16_t>(c), shift};
        }
        return std::nullopt;
    }

    // Keys that type exactly `c` and nothing more; nullopt when there are none.
    std::optional<std::vector<KeyForChar>> keysTyping(char32_t c) const {
        if (composing_ || c > 0xFFFF) return std::nullopt;
        const std::optional<KeyForChar> key = layout_.keyFor(static_cast<char16_t>(c));
        if (!key) return std::nullopt;
        const std::u16string wanted(1, static_cast<char16_t>(c));
        const KeyForChar otherShift{key->virtualKey, static_cast<std::uint8_t>(key->shiftState ^ kShift)};
        const KeyForChar space{vk::kSpace, 0};
        for (std::vector<KeyForChar> typing : {std::vector{*key}, std::vector{otherShift}, std::vector{*key, space}})
            if (layout_.typedBy(typing) == wanted) return typing;
        return std::nullopt;
    }

    void press(const KeyForChar& key, std::uint8_t modifiers) {
        const bool altGr = (key.shiftState & kAltGr) == kAltGr;
        modifiers = static_cast<std::uint8_t>(modifiers | (altGr ? key.shiftState & ~kAltGr : key.shiftState));
        constexpr std::array<std::pair<std::uint8_t, std::uint16_t>, 3> kLeftKeys{
            {{kShift, vk::kLeftShift}, {kCtrl, vk::kLeftCtrl}, {kAlt, vk::kLeftAlt}}};
        for (const auto& [bit, modifierKey] : kLeftKeys)
            if (modifiers & bit) event(modifierKey, false);
        if (altGr) event(vk::kRightAlt, false);
        event(key.virtualKey, false);
        event(key.virtualKey, true);
        if (altGr) event(vk::kRightAlt, true);
        for (auto it = kLeftKeys.rbegin(); it != kLeftKeys.rend(); ++it)
            if (modifiers & it->first) event(it->second, true);
    }

    void asItself(char32_t c) {
        auto unit = [this](char32_t u) {
            events_.push_back({KeyEvent::Kind::Unit, static_cast<std::uint16_t>(u), false});
            events_.push_back({KeyEvent::Kind::Unit, static_cast<std::uint16_t>(u), true});
        };
        if (c < 0x10000) {
            unit(c);
        } else {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }

    const KeyboardLayout& layout_;
    bool composing_;
    std::vector<KeyEvent> events_;
};

}  // namespace

std::vector<KeyEvent> planKeyEvents(std::span<const KeyStroke> strokes, const KeyboardLayout& layout,
                                    const KeyboardState& keyboard) {
    if (strokes.empty()) return {};
    Plan plan(layout, keyboard.composing);
    const auto& held = keyboard.heldModifiers;
    if (!held.empty()) {
        plan.tapUnassigned();
        for (std::uint16_t key : held) plan.event(key, true);
    }
    for (const KeyStroke& stroke : strokes) plan.add(stroke);
    if (!held.empty()) {
        for (auto it = held.rbegin(); it != held.rend(); ++it) plan.event(*it, false);
        plan.tapUnassigned();
    }
    return plan.take();
}

}  // namespace kestro::keys
