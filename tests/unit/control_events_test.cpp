// The window's controls: each one reaches the state and the handler it is
// bound to, and the Tab key walks the layout's own order.
#include <gtest/gtest.h>

#include <functional>

#include "controller/discovery.h"
#include "fakes/kestro_rig.h"
#include "settings/load_save.h"
#include "shell/control_bindings.h"
#include "shell/control_events.h"
#include "shell/startup.h"
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
        loadSettings(rig.state, rig.services);
        discoverControllers(rig.state, rig.services);
        ASSERT_TRUE(rig.polling());
        rig.window.shown = true;
        rig.profile.writes.clear();
    }
    void user(std::string_view control, ControlAction action, std::string text = {}, int value = 0) {
        onControlEvent(rig.state, rig.services, control, {action, std::move(text), value});
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
    {"upKey", {-1, 32767, 0}, "upLight"},     {"downKey", {-1, 32767, 65535}, "downLight"},
    {"leftKey", {-1, 0, 32767}, "leftLight"},   {"rightKey", {-1, 65535, 32767}, "rightLight"},
    {"buttonKey(0)", {0}, "buttonLight(0)"}, {"buttonKey(1)", {1}, "buttonLight(1)"}, {"buttonKey(2)", {2}, "buttonLight(2)"},
    {"buttonKey(3)", {3}, "buttonLight(3)"}, {"buttonKey(4)", {4}, "buttonLight(4)"}, {"buttonKey(5)", {5}, "buttonLight(5)"},
    {"buttonKey(6)", {6}, "buttonLight(6)"}, {"buttonKey(7)", {7}, "buttonLight(7)"}, {"buttonKey(8)", {8}, "buttonLight(8)"},
    {"buttonKey(9)", {9}, "buttonLight(9)"},
};

void apply(fakes::FakeGameControllers& pads, const Input& in, bool down) {
    if (in.button >= 0) pads.setButton(kPad, in.button, down);
    else pads.setAxes(kPad, down ? in.x : 32767, down ? in.y : 32767);
}

// Every key box is bound: what is typed into it is what its input sends.
TEST_F(Controls, TypingIntoEachKeyBoxChangesWhatItsInputSendsAndOnlyItsLightShowsThePress) {
    for (const KeyBox& box : kKeyBoxes) {
        SCOPED_TRACE(box.control);
        user(box.control, ControlAction::TextChanged, std::string("typed into ") + box.control);
        apply(rig.controllers, box.input, true);
        rig.ticks(1);
        ASSERT_FALSE(rig.host.texts().empty());
        EXPECT_EQ(rig.host.texts().back(), std::string("typed into ") + box.control);
        for (const KeyBox& other : kKeyBoxes)
            EXPECT_EQ(bindingFor(rig.state, other.light).light->pressed, &other == &box) << other.light;
        EXPECT_EQ(bindingFor(rig.state, box.control).text->text, std::string("typed into ") + box.control)
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
    {"the title box holds its text and runs nothing", "targetTitleBox", ControlAction::TextChanged, "Notepad", 0,
     [](KestroRig& r, auto&) {
         EXPECT_EQ(r.state.targetTitle.text, "Notepad");
         EXPECT_EQ(bindingFor(r.state, "targetTitleBox").text, &r.state.targetTitle);
         EXPECT_TRUE(r.profile.writes.empty());
     }},
    {"the delay box holds its text; the delay in effect waits for a save", "delayBox", ControlAction::TextChanged,
     "9", 0,
     [](KestroRig& r, auto&) {
         EXPECT_EQ(r.state.delayBox.text, "9");
         EXPECT_EQ(bindingFor(r.state, "delayBox").combo, &r.state.delayBox);
         EXPECT_EQ(r.state.repeatDelay, 4);
         EXPECT_TRUE(r.profile.writes.empty());
     }},
    {"editing the device list stores the name and empties the list", "controllerBox", ControlAction::TextChanged,
     "Other pad", 0,
     [](KestroRig& r, auto& written) {
         EXPECT_EQ(written("kestro"), "Other pad");
         EXPECT_TRUE(r.state.controllerBox.list.empty());
         EXPECT_EQ(bindingFor(r.state, "controllerBox").combo, &r.state.controllerBox);
     }},
    {"choosing an entry of the device list selects it and stores nothing", "controllerBox",
     ControlAction::SelectionChanged, "", 0,
     [](KestroRig& r, auto&) {
         EXPECT_EQ(r.state.controllerBox.text, "Pad");
         EXPECT_EQ(r.state.controllerBox.listIndex, 0);
         EXPECT_TRUE(r.profile.writes.empty());
     }},
    {"ticking Start Minimized records it and leaves the window shown", "startHiddenBox", ControlAction::CheckChanged, "",
     1,
     [](KestroRig& r, auto& written) {
         EXPECT_EQ(written("min"), "True");
         EXPECT_EQ(bindingFor(r.state, "startHiddenBox").check, &r.state.startHiddenBox);
         EXPECT_TRUE(r.window.shown);
     }},
    {"the keystroke option switches the target", "keystrokeOption", ControlAction::Click, "", 0,
     [](KestroRig& r, auto& written) {
         EXPECT_EQ(written("dashorbit"), "False");
         EXPECT_TRUE(r.state.target == Target::Keystrokes && r.state.targetTitle.enabled);
         EXPECT_EQ(bindingFor(r.state, "keystrokeOption").option, Target::Keystrokes);
     }},
    {"Save Settings saves and takes the controller up again", "saveButton", ControlAction::Click, "", 0,
     [](KestroRig& r, auto&) {
         ASSERT_FALSE(r.dialogs.shown().empty());
         EXPECT_EQ(r.dialogs.shown().back().text, "updated settings.ini");
         EXPECT_TRUE(r.polling());
         EXPECT_EQ(*bindingFor(r.state, "statusLabel").caption, "Established Communication with");
     }},
    {"Minimize hides the window and nothing else", "minimizeButton", ControlAction::Click, "", 0,
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
    user("keystrokeOption", ControlAction::Click);
    rig.profile.writes.clear();
    user("hostOption", ControlAction::Click);
    EXPECT_EQ(written("dashorbit"), "True");
    EXPECT_TRUE(rig.state.target == Target::Host && !rig.state.targetTitle.enabled);
    EXPECT_EQ(bindingFor(rig.state, "hostOption").target, &rig.state.target);
}

TEST_F(Controls, EventsWithoutAHandlerRunNone) {
    user("saveButton", ControlAction::TextChanged, "x");
    user("startHiddenBox", ControlAction::Click);
    user("connectionFrame", ControlAction::Click);
    user("controllerBox", ControlAction::SelectionChanged, "", 5);
    EXPECT_TRUE(rig.profile.writes.empty());
    EXPECT_TRUE(rig.dialogs.shown().empty());
    EXPECT_EQ(rig.state.controllerBox.text, "Pad") << "an entry that does not exist is not chosen";
}

// The Tab key -----------------------------------------------------------------

std::vector<std::string_view> tabWalk(bool backwards, const std::function<bool(const layout::Control&)>& usable) {
    std::vector<std::string_view> names;
    const layout::Control* at = layout::find("minimizeButton");
    for (int i = 0; i < 21 && at; ++i) {
        at = layout::nextTabStop(at, backwards, usable);
        if (at) names.push_back(at->name);
    }
    return names;
}

TEST(TabOrder, VisitsTheVisibleControlsByTabIndexAndWrapsAround) {
    const auto all = [](const layout::Control&) { return true; };
    const std::vector<std::string_view> forwards{
        "saveButton",   "buttonKey(0)", "buttonKey(1)", "buttonKey(2)", "buttonKey(3)", "buttonKey(4)",  "buttonKey(5)",
        "buttonKey(6)", "buttonKey(7)", "buttonKey(8)", "buttonKey(9)", "startHiddenBox",   "delayBox",    "controllerBox",
        "upKey",   "downKey", "leftKey", "rightKey", "minimizeButton", "saveButton",   "buttonKey(0)"};
    EXPECT_EQ(tabWalk(false, all), forwards);
    EXPECT_EQ(tabWalk(true, all).front(), "rightKey");
    EXPECT_EQ(layout::nextTabStop(nullptr, false, all)->name, "minimizeButton");
}

TEST(TabOrder, SkipsControlsThatCannotTakeTheFocusNow) {
    const auto notKeyBoxes = [](const layout::Control& c) { return !c.name.starts_with("buttonKey"); };
    EXPECT_EQ(layout::nextTabStop(layout::find("saveButton"), false, notKeyBoxes)->name, "startHiddenBox");
    EXPECT_EQ(layout::nextTabStop(layout::find("minimizeButton"), false, [](const layout::Control&) { return false; }),
              nullptr);
}

// In a folder Kestro cannot write, the user hears of it once, not once per
// character typed; the program's own writes at start-up stay silent.
TEST_F(Controls, AWriteTheUserAskedForThatFailsShowsErrorSavingOnce) {
    rig.profile.failWrites = true;
    user("startHiddenBox", ControlAction::CheckChanged, "", 1);
    EXPECT_EQ(rig.dialogs.shown(), (std::vector<fakes::FakeDialogs::Shown>{{"error saving", "Opps"}}));
    for (const char* typed : {"P", "Pa", "Pad 2"}) user("controllerBox", ControlAction::TextChanged, typed);
    EXPECT_EQ(rig.dialogs.shown().size(), 1u);

    KestroRig fresh;
    fresh.profile.setText("[settings]\r\nmin=True\r\n");
    fresh.profile.failWrites = true;
    ASSERT_TRUE(startUp(fresh.state, fresh.services));
    for (const auto& box : fresh.dialogs.shown()) EXPECT_NE(box.text, "error saving");
}

}  // namespace
}  // namespace kestro
