#include "platform/portable/key_event_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace kestro::keys {
namespace {

// A layout as a table of what each key types; a dead key types its accent
// before the next key, and only the accent when that is Space.
struct Layout final : KeyboardLayout {
    struct Key { KeyForChar key; char16_t types; bool dead = false; };
    explicit Layout(std::vector<Key> keys) : table(std::move(keys)) {}
    std::vector<Key> table;

    std::optional<KeyForChar> keyFor(char16_t unit) const override {
        const auto k = std::find_if(table.begin(), table.end(), [&](const Key& key) { return key.types == unit; });
        return k == table.end() ? std::nullopt : std::optional(k->key);
    }
    std::optional<std::u16string> typedBy(std::span<const KeyForChar> pressed) const override {
        std::u16string out;
        std::optional<char16_t> dead;
        for (const KeyForChar& p : pressed) {
            const auto k = std::find_if(table.begin(), table.end(), [&](const Key& key) { return key.key == p; });
            if (k == table.end()) continue;
            const bool afterDeadKey = dead.has_value();
            if (dead) out += *std::exchange(dead, std::nullopt);
            if (k->dead) dead = k->types;
            else if (!(afterDeadKey && p.virtualKey == vk::kSpace)) out += k->types;
        }
        return dead ? std::nullopt : std::optional(out);
    }
};

const Layout kUs{{{{0x41, 0}, u'a'}, {{0x41, kShift}, u'A'}, {{0x31, 0}, u'1'}, {{0x43, 0}, u'c'}}};
const Layout kRussian{{{{0x41, 0}, u'ф'}, {{0x43, 0}, u'с'}}};
const Layout kUsInternational{{{{0xDE, 0}, u'\'', true}, {{0x45, kCtrl | kAlt}, u'é'}, {{0x20, 0}, u' '}}};

using Events = std::vector<KeyEvent>;
Events tap(std::uint16_t vk) { return {{KeyEvent::Kind::Key, vk, false}, {KeyEvent::Kind::Key, vk, true}}; }
Events unit(char16_t u) { return {{KeyEvent::Kind::Unit, u, false}, {KeyEvent::Kind::Unit, u, true}}; }
Events around(std::uint16_t modifier, Events inner) {
    inner.insert(inner.begin(), {KeyEvent::Kind::Key, modifier, false});
    inner.push_back({KeyEvent::Kind::Key, modifier, true});
    return inner;
}
Events seq(std::initializer_list<Events> parts) {
    Events out;
    for (const Events& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

struct Case {
    const char* story;
    const Layout* layout;
    std::u16string keys;
    Events expected;
    KeyboardState keyboard = {};
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.story; }

class KeyEventPlan : public testing::TestWithParam<Case> {};

TEST_P(KeyEventPlan, TypesWhatTheKeyTextSays) {
    const auto strokes = parseKeyString(GetParam().keys);
    ASSERT_TRUE(strokes.has_value());
    EXPECT_EQ(planKeyEvents(*strokes, *GetParam().layout, GetParam().keyboard), GetParam().expected);
}

const Events kShiftUp{{KeyEvent::Kind::Key, vk::kLeftShift, true}};
const Events kShiftDown{{KeyEvent::Kind::Key, vk::kLeftShift, false}};

INSTANTIATE_TEST_SUITE_P(Layouts, KeyEventPlan, testing::Values(
    Case{"US: characters as their keys", &kUs, u"a1", seq({tap(0x41), tap(0x31)})},
    Case{"US: a capital with Shift", &kUs, u"A", around(vk::kLeftShift, tap(0x41))},
    Case{"US: a hot key", &kUs, u"^c", around(vk::kLeftCtrl, tap(0x43))},
    Case{"US: a character off the layout as itself", &kUs, u"é", unit(u'é')},
    Case{"US: no modifier around a character as itself", &kUs, u"^é", unit(u'é')},
    Case{"Russian: a Latin hot key on the Latin key", &kRussian, u"^c", around(vk::kLeftCtrl, tap(0x43))},
    Case{"Russian: a capital with Shift", &kRussian, u"^C", around(vk::kLeftShift, around(vk::kLeftCtrl, tap(0x43)))},
    Case{"Russian: a Latin letter as itself", &kRussian, u"c", unit(u'c')},
    Case{"US-International: a dead key and Space", &kUsInternational, u"'", seq({tap(0xDE), tap(vk::kSpace)})},
    Case{"US-International: AltGr as right Alt", &kUsInternational, u"é", around(vk::kRightAlt, tap(0x45))},
    Case{"held Shift: let go first, pressed again after", &kUs, u"a1",
         seq({tap(vk::kUnassigned), kShiftUp, tap(0x41), tap(0x31), kShiftDown, tap(vk::kUnassigned)}),
         {{vk::kLeftShift}}},
    Case{"held Shift: nothing to type, nothing touched", &kUs, u"", {}, {{vk::kLeftShift}}},
    Case{"an input method composing: letters as themselves", &kUs, u"a", unit(u'a'), {{}, true}}));

}  // namespace
}  // namespace kestro::keys
