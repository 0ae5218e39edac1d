// The window's controls: each one reaches the state and the handler it is
// bound to, and the Tab key walks the layout's own order.
#include <gtest/gtest.h>

#include <functional>

#include "controller/discovery.h"
#include "fakes/kestro_rig.h"
#include "settings/load_save.h"
#include "shell/control_bindings.h"
#include "shell/control_events.h"
#include "shell/tab_order.h"

namespace kestro {
namespace {

using fakes::KestroRig;
constexpr const char* kPad = "{pad}";

// A program polling "Pad" in host mode, as after start-up.
class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        rig.profile.setText("[settings]\r\nkestro=Pad\r\n");
        rig.host.openWindow("DashOrbit");
        rig.controllers.plug("Pad", kPad);
        loadsettings(rig.k, rig.services);
        cmdInitialize_Click(rig.k, rig.services);
        ASSERT_TRUE(rig.polling());
        rig.window.shown = true;
        rig.profile.writes.clear();
    }
    void user(std::string_view control, ControlAction action, std::string text = {}, int value = 0) {
        onControlEvent(rig.k, rig.services, control, {action, std::move(text), value});
    }
    std::string written(const std::string& key) const {
        for (const auto& w : rig.profile.writes)
            if (w.key == key) return w.value;
        return "<not written>";
    }
    KestroRig rig;
};

// An input of the controller: a button number, or a stick position.
struct Input {
    int button = -1;
    std::int32_t x = 32767, y = 32767;
};

struct KeyBox {
    const char* control;
    Input input;
    const char* light;
};

const KeyBox kKeyBoxes[] = {
    {"textup", {-1, 32767, 0}, "joyup(0)"},     {"textdown", {-1, 32767, 65535}, "joyup(1)"},
    {"textleft", {-1, 0, 32767}, "joyup(2)"},   {"textright", {-1, 65535, 32767}, "joyup(3)"},
    {"Text1(0)", {0}, "sh0(0)"}, {"Text1(1)", {1}, "sh0(1)"}, {"Text1(2)", {2}, "sh0(2)"},
    {"Text1(3)", {3}, "sh0(3)"}, {"Text1(4)", {4}, "sh0(4)"}, {"Text1(5)", {5}, "sh0(5)"},
    {"Text1(6)", {6}, "sh0(6)"}, {"Text1(7)", {7}, "sh0(7)"}, {"Text1(8)", {8}, "sh0(8)"},
    {"Text1(9)", {9}, "sh0(9)"},
};

void apply(fakes::FakeGameControllers& pads, const Input& in, bool down) {
    if (in.button >= 0) pads.setButton(kPad, in.button, down);
    else pads.setAxes(kPad, down ? in.x : 32767, down ? in.y : 32767);
}

// Regression guard: a key box left unbound kept sending its old text for ever.
TEST_F(Controls, TypingIntoEachKeyBoxChangesWhatItsInputSendsAndOnlyItsLightShowsThePress) {
    for (const KeyBox& box : kKeyBoxes) {
        SCOPED_TRACE(box.control);
        user(box.control, ControlAction::TextChanged, std::string("typed into ") + box.control);
        apply(rig.controllers, box.input, true);
        rig.ticks(1);
        ASSERT_FALSE(rig.host.texts().empty());
        EXPECT_EQ(rig.host.texts().back(), std::string("typed into ") + box.control);
        for (const KeyBox& other : kKeyBoxes)
            EXPECT_EQ(*bindingFor(rig.k, other.light).colour, &other == &box ? kPressed : kReleased) << other.light;
        EXPECT_EQ(bindingFor(rig.k, box.control).text->text, std::string("typed into ") + box.control)
            << "the box shows what was typed";
        apply(rig.controllers, box.input, false);
        rig.ticks(1);
    }
    EXPECT_TRUE(rig.profile.writes.empty()) << "typing saves nothing";
}

struct Case {
    const char* what;
    const char* control;
    ControlAction action;
    std::string text;
    int value;
    std::function<void(KestroRig&, const std::function<std::string(const std::string&)>&)> expect;
    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }
};

const Case kCases[] = {
    {"the title box holds its text and runs nothing", "txtapp", ControlAction::TextChanged, "Notepad", 0,
     [](KestroRig& r, auto&) {
         EXPECT_EQ(r.k.txtapp.text, "Notepad");
         EXPECT_EQ(bindingFor(r.k, "txtapp").text, &r.k.txtapp);
         EXPECT_TRUE(r.profile.writes.empty());
     }},
    {"the delay box holds its text; the delay in effect waits for a save", "Combo1", ControlAction::TextChanged,
     "9", 0,
     [](KestroRig& r, auto&) {
         EXPECT_EQ(r.k.Combo1.text, "9");
         EXPECT_EQ(bindingFor(r.k, "Combo1").combo, &r.k.Combo1);
         EXPECT_EQ(r.k.repeatDelay, 4);
         EXPECT_TRUE(r.profile.writes.empty());
     }},
    {"editing the device list stores the name and empties the list", "Combo2", ControlAction::TextChanged,
     "Other pad", 0,
     [](KestroRig& r, auto& written) {
         EXPECT_EQ(written("kestro"), "Other pad");
         EXPECT_TRUE(r.k.Combo2.list.empty());
         EXPECT_EQ(bindingFor(r.k, "Combo2").combo, &r.k.Combo2);
     }},
    {"choosing an entry of the device list selects it and stores nothing", "Combo2",
     ControlAction::SelectionChanged, "", 0,
     [](KestroRig& r, auto&) {
         EXPECT_EQ(r.k.Combo2.text, "Pad");
         EXPECT_EQ(r.k.Combo2.listIndex, 0);
         EXPECT_TRUE(r.profile.writes.empty());
     }},
    {"ticking Start Minimized records it and leaves the window shown", "Check1", ControlAction::CheckChanged, "",
     1,
     [](KestroRig& r, auto& written) {
         EXPECT_EQ(written("min"), "True");
         EXPECT_EQ(bindingFor(r.k, "Check1").check, &r.k.Check1);
         EXPECT_TRUE(r.window.shown);
     }},
    {"the keystroke option switches the target", "Option2", ControlAction::Click, "", 0,
     [](KestroRig& r, auto& written) {
         EXPECT_EQ(written("dashorbit"), "False");
         EXPECT_TRUE(r.k.Option2 && !r.k.Option1 && r.k.txtapp.enabled);
         EXPECT_EQ(bindingFor(r.k, "Option2").option, &r.k.Option2);
     }},
    {"Save Settings saves and takes the controller up again", "cmsave", ControlAction::Click, "", 0,
     [](KestroRig& r, auto&) {
         ASSERT_FALSE(r.dialogs.shown().empty());
         EXPECT_EQ(r.dialogs.shown().back().text, "updated settings.ini");
         EXPECT_TRUE(r.polling());
         EXPECT_EQ(*bindingFor(r.k, "lblOutput").caption, "Established Communication with");
     }},
    {"Minimize hides the window and nothing else", "Command1", ControlAction::Click, "", 0,
     [](KestroRig& r, auto&) {
         EXPECT_FALSE(r.window.shown);
         EXPECT_TRUE(r.polling());
         EXPECT_TRUE(r.profile.writes.empty());
     }},
};

class EachControl : public Controls, public ::testing::WithParamInterface<Case> {};

TEST_P(EachControl, ReachesItsStateAndHandler) {
    const Case& c = GetParam();
    SCOPED_TRACE(c.what);
    user(c.control, c.action, c.text, c.value);
    c.expect(rig, [this](const std::string& key) { return written(key); });
}

INSTANTIATE_TEST_SUITE_P(BoundControls, EachControl, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name = std::string(info.param.control) + "_" + std::to_string(info.index);
                             std::erase_if(name, [](char ch) { return ch == '(' || ch == ')'; });
                             return name;
                         });

TEST_F(Controls, TheHostOptionSwitchesBackFromKeystrokeMode) {
    user("Option2", ControlAction::Click);
    rig.profile.writes.clear();
    user("Option1", ControlAction::Click);
    EXPECT_EQ(written("dashorbit"), "True");
    EXPECT_TRUE(rig.k.Option1 && !rig.k.Option2 && !rig.k.txtapp.enabled);
    EXPECT_EQ(bindingFor(rig.k, "Option1").option, &rig.k.Option1);
}

TEST_F(Controls, EventsWithoutAHandlerRunNone) {
    user("cmsave", ControlAction::TextChanged, "x");
    user("Check1", ControlAction::Click);
    user("Frame1", ControlAction::Click);
    user("Combo2", ControlAction::SelectionChanged, "", 5);
    EXPECT_TRUE(rig.profile.writes.empty());
    EXPECT_TRUE(rig.dialogs.shown().empty());
    EXPECT_EQ(rig.k.Combo2.text, "Pad") << "an entry that does not exist is not chosen";
}

// The Tab key -----------------------------------------------------------------

std::vector<std::string_view> tabWalk(bool backwards, const std::function<bool(const layout::Control&)>& usable) {
    std::vector<std::string_view> names;
    const layout::Control* at = layout::find("Command1");
    for (int i = 0; i < 21 && at; ++i) {
        at = layout::nextTabStop(at, backwards, usable);
        if (at) names.push_back(at->name);
    }
    return names;
}

TEST(TabOrder, VisitsTheVisibleControlsByTabIndexAndWrapsAround) {
    const auto all = [](const layout::Control&) { return true; };
    const std::vector<std::string_view> forwards{
        "cmsave",   "Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text1(4)",  "Text1(5)",
        "Text1(6)", "Text1(7)", "Text1(8)", "Text1(9)", "Check1",   "Combo1",    "Combo2",
        "textup",   "textdown", "textleft", "textright", "Command1", "cmsave",   "Text1(0)"};
    EXPECT_EQ(tabWalk(false, all), forwards);
    EXPECT_EQ(tabWalk(true, all).front(), "textright");
    EXPECT_EQ(layout::nextTabStop(nullptr, false, all)->name, "Command1");
}

TEST(TabOrder, SkipsControlsThatCannotTakeTheFocusNow) {
    const auto notKeyBoxes = [](const layout::Control& c) { return !c.name.starts_with("Text1"); };
    EXPECT_EQ(layout::nextTabStop(layout::find("cmsave"), false, notKeyBoxes)->name, "Check1");
    EXPECT_EQ(layout::nextTabStop(layout::find("Command1"), false, [](const layout::Control&) { return false; }),
              nullptr);
}

}  // namespace
}  // namespace kestro
