// The 25 ms poll: presses, holds, repeats and releases of the fourteen inputs.
#include <gtest/gtest.h>

#include "controller/discovery.h"
#include "core/poll_cycle.h"
#include "fakes/kestro_rig.h"
#include "settings/load_save.h"

namespace kestro {
namespace {

using fakes::KestroRig;
using Strings = std::vector<std::string>;

constexpr const char* kPad = "{pad-1}";

// A program polling "Pad" in host mode, with the given settings file.
class Polling : public ::testing::Test {
protected:
    // `settings` adds lines to the [settings] section; `sections` adds whole sections.
    void start(const std::string& settings = "", const std::string& sections = "") {
        rig.profile.setText("[settings]\r\nkestro=Pad\r\n" + settings + sections);
        rig.host.openWindow("DashOrbit");
        rig.controllers.plug("Pad", kPad);
        loadSettings(rig.state, rig.services);
        discoverControllers(rig.state, rig.services);
        ASSERT_TRUE(rig.polling());
        rig.profile.writes.clear();
    }

    void press(int button) { rig.controllers.setButton(kPad, button, true); }
    void release(int button) { rig.controllers.setButton(kPad, button, false); }
    void stick(std::int32_t x, std::int32_t y) { rig.controllers.setAxes(kPad, x, y); }
    Strings sent() const { return rig.host.texts(); }

    KestroRig rig;
};

TEST_F(Polling, AHeldButtonSendsOnItsFirstTickThenEveryDelayPlusOneTicks) {
    start();
    press(3);
    rig.ticks(1);
    EXPECT_EQ(sent(), Strings{"blank"});
    EXPECT_TRUE(rig.state.buttonLights[3].pressed);
    rig.ticks(4);
    EXPECT_EQ(sent().size(), 1u) << "the default delay 4 waits five ticks";
    rig.ticks(1);
    EXPECT_EQ(sent().size(), 2u);
    rig.ticks(10);
    EXPECT_EQ(sent().size(), 4u);
}

struct RepeatCase {
    const char* delay;
    int heldTicks;
    std::size_t sends;
};

class RepeatDelay : public Polling, public ::testing::WithParamInterface<RepeatCase> {};

TEST_P(RepeatDelay, SendsOnPressAndEachTimeTheCounterPassesTheDelay) {
    start("", std::string("[DashOrbit]\r\ndelay=") + GetParam().delay + "\r\n");
    press(0);
    rig.ticks(GetParam().heldTicks);
    EXPECT_EQ(sent().size(), GetParam().sends);
}

INSTANTIATE_TEST_SUITE_P(Delays, RepeatDelay,
                         ::testing::Values(RepeatCase{"1", 3, 2},      // every 2 ticks
                                           RepeatCase{"1", 2, 1},
                                           RepeatCase{"4", 5, 1},      // repeat falls on tick 6
                                           RepeatCase{"4", 6, 2},
                                           RepeatCase{"50", 51, 1},    // every 51 ticks
                                           RepeatCase{"50", 52, 2},
                                           RepeatCase{"2.5", 3, 1},    // counter 3 first exceeds 2.5
                                           RepeatCase{"2.5", 4, 2},
                                           RepeatCase{"2.5", 8, 3},
                                           RepeatCase{"0", 3, 3}));    // every tick

TEST_F(Polling, ReleasingTurnsTheLightRedWithoutSendingAndTheNextPressSendsAtOnce) {
    start();
    press(5);
    rig.ticks(3);
    release(5);
    rig.ticks(1);
    EXPECT_FALSE(rig.state.buttonLights[5].pressed);
    EXPECT_EQ(sent().size(), 1u);
    press(5);
    rig.ticks(1);
    EXPECT_EQ(sent().size(), 2u);
}

TEST_F(Polling, TwoHeldButtonsShareOneCounterAndRepeatFasterThanOne) {
    start("", "[DashOrbit]\r\nbut0=A\r\nbut1=B\r\n");
    press(0);
    press(1);
    rig.ticks(6);
    // Press sends A and B; then the shared counter gains 2 a tick and passes 4 every 2.5 ticks.
    EXPECT_EQ(sent(), (Strings{"A", "B", "A", "B"}));
}

TEST_F(Polling, PressingASecondButtonRestartsTheFirstButtonsRepeatWait) {
    start("", "[DashOrbit]\r\nbut0=A\r\nbut1=B\r\n");
    press(0);
    rig.ticks(4);  // A sent; shared counter at 3
    press(1);
    rig.ticks(1);  // A's hold makes it 4, then B's press resets it
    EXPECT_EQ(sent(), (Strings{"A", "B"}));
    release(1);
    rig.ticks(4);
    EXPECT_EQ(sent(), (Strings{"A", "B"})) << "A would have repeated here without the reset";
    rig.ticks(1);
    EXPECT_EQ(sent(), (Strings{"A", "B", "A"}));
}

TEST_F(Polling, DirectionCountersRunIndependentlyOfTheButtons) {
    start("", "[DashOrbit]\r\nup=U\r\nbut2=B\r\ndelay=1\r\n");
    stick(32767, 0);
    rig.ticks(1);
    press(2);
    rig.ticks(3);
    // Each repeats every second tick of its own hold; a shared counter would send B twice in a row.
    EXPECT_EQ(sent(), (Strings{"U", "B", "U", "B"}));
}

struct ThresholdCase {
    std::int32_t x, y;
    const char* expected;  // the text sent, "" for none
};

class Thresholds : public Polling, public ::testing::WithParamInterface<ThresholdCase> {};

TEST_P(Thresholds, AnAxisCountsAsADirectionOnlyAtOrBeyondItsThreshold) {
    start("", "[DashOrbit]\r\nup=U\r\ndown=D\r\nleft=L\r\nright=R\r\n");
    stick(GetParam().x, GetParam().y);
    rig.ticks(1);
    const std::string expected = GetParam().expected;
    EXPECT_EQ(sent(), expected.empty() ? Strings{} : Strings{expected});
}

INSTANTIATE_TEST_SUITE_P(Axes, Thresholds,
                         ::testing::Values(ThresholdCase{32767, 1000, "U"}, ThresholdCase{32767, 1001, ""},
                                           ThresholdCase{32767, 0, "U"}, ThresholdCase{32767, 60000, "D"},
                                           ThresholdCase{32767, 59999, ""}, ThresholdCase{32767, 65535, "D"},
                                           ThresholdCase{1000, 32767, "L"}, ThresholdCase{1001, 32767, ""},
                                           ThresholdCase{60000, 32767, "R"}, ThresholdCase{59999, 32767, ""}));

TEST_F(Polling, ADiagonalSendsTheVerticalDirectionBeforeTheHorizontalOne) {
    start("", "[DashOrbit]\r\nup=U\r\ndown=D\r\nleft=L\r\nright=R\r\n");
    stick(65535, 0);
    rig.ticks(1);
    EXPECT_EQ(sent(), (Strings{"U", "R"}));
    EXPECT_TRUE(rig.state.directionLights[kUp].pressed);
    EXPECT_TRUE(rig.state.directionLights[kRight].pressed);
    EXPECT_FALSE(rig.state.directionLights[kDown].pressed);
}

// The D-pad as the four directions, asked for by dpad=True.
class Hat : public Polling {
protected:
    void startWithDpad(const std::string& value) {
        start("dpad=" + value + "\r\n", "[DashOrbit]\r\nup=U\r\ndown=D\r\nleft=L\r\nright=R\r\n");
    }
    void hat(std::uint32_t pov) { rig.controllers.setPov(kPad, pov); }
};

TEST_F(Hat, WithDpadTrueADiagonalSendsTheVerticalDirectionFirstAndEachOnce) {
    startWithDpad("True");
    hat(13500);  // down and right
    rig.ticks(1);
    EXPECT_EQ(sent(), (Strings{"D", "R"}));
    stick(65535, 32767);  // the stick agrees: still one press, held
    rig.ticks(3);
    EXPECT_EQ(sent(), (Strings{"D", "R"}));
    hat(kPovCentred);
    rig.ticks(1);
    EXPECT_FALSE(rig.state.directionLights[kDown].pressed);
    EXPECT_TRUE(rig.state.directionLights[kRight].pressed) << "the stick still points right";
}

struct HatCase {
    std::uint32_t pov;
    const char* sends;
};

class HatAngles : public Hat, public ::testing::WithParamInterface<HatCase> {};

TEST_P(HatAngles, AHatAngleActivatesTheDirectionsOfItsEighthOfTheCircle) {
    startWithDpad("True");
    hat(GetParam().pov);
    rig.ticks(1);
    std::string texts;
    for (const auto& t : sent()) texts += t;
    EXPECT_EQ(texts, GetParam().sends);
}

INSTANTIATE_TEST_SUITE_P(
    Povs, HatAngles,
    ::testing::Values(HatCase{0, "U"}, HatCase{4500, "UR"}, HatCase{9000, "R"}, HatCase{18000, "D"},
                      HatCase{22500, "DL"}, HatCase{27000, "L"}, HatCase{31500, "UL"}, HatCase{35999, "U"},
                      HatCase{2250, "U"}, HatCase{2251, "UR"},
                      HatCase{36000, ""}, HatCase{0xFFFF, ""}, HatCase{0x1234FFFF, ""}, HatCase{kPovCentred, ""}));

class HatIgnored : public Hat, public ::testing::WithParamInterface<std::string> {};

TEST_P(HatIgnored, AnyDpadValueButTrueLeavesTheHatIgnored) {
    startWithDpad(GetParam());
    hat(0);
    rig.ticks(2);
    EXPECT_TRUE(sent().empty());
    stick(32767, 0);
    rig.ticks(1);
    EXPECT_EQ(sent(), Strings{"U"}) << "the stick works as before";
}

INSTANTIATE_TEST_SUITE_P(Values, HatIgnored,
                         ::testing::Values("", "true", "TRUE", "1", "Truee", std::string("True\x01\xff", 6),
                                           "True" + std::string(4996, 'e')));

TEST_F(Polling, WithoutTheDpadKeyTheHatSendsNothing) {
    start("", "[DashOrbit]\r\nup=U\r\n");
    rig.controllers.setPov(kPad, 0);
    rig.ticks(3);
    EXPECT_TRUE(sent().empty());
}

TEST_F(Polling, ATextOnTheNoRepeatListIsSentOnPressButNeverRepeated) {
    start("norepeat=mute,Pause\r\n", "[DashOrbit]\r\nbut0=mute\r\nbut1=pause\r\n");
    press(0);
    rig.ticks(60);
    EXPECT_EQ(sent(), Strings{"mute"});
    release(0);
    press(1);
    rig.ticks(6);
    EXPECT_EQ(sent(), (Strings{"mute", "pause", "pause"})) << "the list compares letter case";
}

TEST_F(Polling, WithAnEmptyNoRepeatSettingEveryHeldInputRepeats) {
    start("norepeat=\r\n", "[DashOrbit]\r\nbut0=mute\r\n");
    press(0);
    rig.ticks(6);
    EXPECT_EQ(sent(), (Strings{"mute", "mute"}));
}

TEST_F(Polling, EmptyAndAllSpaceTextsSendNothingToTheHost) {
    start("", "[DashOrbit]\r\nbut0=\r\nbut1=\"   \"\r\n");
    rig.state.buttonKeys[1].text = "    ";
    press(0);
    press(1);
    rig.ticks(12);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(rig.host.lookups, 0) << "no window lookup for an empty command";
    EXPECT_TRUE(rig.state.buttonLights[0].pressed);
}

TEST_F(Polling, EditingAKeyBoxChangesTheNextSendWithoutSaving) {
    start();
    rig.state.buttonKeys[2].text = "  play  ";
    press(2);
    rig.ticks(1);
    rig.state.buttonKeys[2].text = "next";
    rig.ticks(5);
    EXPECT_EQ(sent(), (Strings{"play", "next"}));
    EXPECT_TRUE(rig.profile.writes.empty());
}

TEST_F(Polling, WithTheHostNotRunningPressesGoNowhereAndPollingGoesOn) {
    start();
    rig.host.closeAll();
    press(0);
    rig.ticks(10);
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(rig.polling());
    EXPECT_EQ(rig.state.statusLabel, "Established Communication with");
}

TEST_F(Polling, AHostThatStopsAnsweringDoesNotStopThePoll) {
    start("", "[DashOrbit]\r\nbut0=A\r\nbut1=B\r\n");
    rig.host.hung = true;
    press(0);
    rig.ticks(1);
    rig.host.hung = false;
    press(1);
    rig.ticks(1);
    EXPECT_EQ(sent(), Strings{"B"});
    EXPECT_TRUE(rig.polling());
}

TEST_F(Polling, AReadFailureRunsTheLostDeviceProcedureAndKeepsTheLights) {
    start();
    press(4);
    rig.ticks(1);
    rig.controllers.failNext(fakes::FakeGameControllers::Op::Read);
    rig.ticks(1);
    EXPECT_TRUE(rig.searching());
    EXPECT_EQ(rig.state.statusLabel, "device unplugged");
    EXPECT_TRUE(rig.state.controllerBox.list.empty());
    EXPECT_EQ(rig.state.controllerBox.text, "");
    EXPECT_TRUE(rig.state.buttonLights[4].pressed);
}

// Keystroke mode: texts are typed into the window named by the target title.
class KeystrokeMode : public Polling {
protected:
    void startKeystrokes(const std::string& mappings) {
        start("Dashorbit=False\r\nsendtoapp=Notepad\r\n", "[Notepad]\r\n" + mappings);
        ASSERT_EQ(rig.state.target, Target::Keystrokes);
    }
    std::vector<std::string> typedKeys() const {
        std::vector<std::string> out;
        for (const auto& t : rig.keystrokes.typed()) out.push_back(t.keys);
        return out;
    }
};

TEST_F(KeystrokeMode, APressBringsTheTargetToTheFrontAndTypesIntoIt) {
    rig.keystrokes.openWindow("Notepad - notes.txt");
    rig.keystrokes.openWindow("Other");
    rig.keystrokes.bringToFront("Other");
    startKeystrokes("but0=^s\r\n");
    press(0);
    rig.ticks(6);
    ASSERT_EQ(typedKeys(), (Strings{"^s", "^s"}));
    EXPECT_EQ(rig.keystrokes.typed()[0].window, "Notepad - notes.txt") << "a title prefix matches";
    EXPECT_EQ(rig.keystrokes.activations, 1) << "repeats do not activate again";
    EXPECT_TRUE(sent().empty());
}

TEST_F(KeystrokeMode, ARepeatIsNotTypedOnceTheUserHasSwitchedToAnotherWindow) {
    rig.keystrokes.openWindow("Notepad");
    rig.keystrokes.openWindow("Mail");
    startKeystrokes("but0=x\r\n");
    press(0);
    rig.ticks(1);
    rig.keystrokes.bringToFront("Mail");
    rig.ticks(10);
    EXPECT_EQ(typedKeys(), Strings{"x"});
    EXPECT_TRUE(rig.polling());
}

// A send that fails in keystroke mode is skipped; it is no sign of a lost controller.
TEST_F(KeystrokeMode, AMissingTargetOrBadKeyStringSkipsTheSendAndPollingGoesOn) {
    startKeystrokes("but0=a\r\nbut1={ENTER\r\nbut2=b\r\n");
    press(0);
    rig.ticks(1);
    EXPECT_TRUE(typedKeys().empty());
    EXPECT_TRUE(rig.state.buttonLights[0].pressed) << "the press stays latched";
    rig.keystrokes.openWindow("Notepad");
    rig.keystrokes.openWindow("Mail");
    rig.keystrokes.bringToFront("Mail");
    press(1);
    rig.ticks(1);
    EXPECT_EQ(rig.keystrokes.front(), "Mail") << "a key text of invalid syntax activates nothing";
    press(2);
    rig.ticks(1);
    EXPECT_EQ(typedKeys(), Strings{"b"});
    EXPECT_TRUE(rig.polling());
    EXPECT_EQ(rig.state.statusLabel, "Established Communication with");
}

TEST_F(KeystrokeMode, NothingIsTypedWhenTheTargetCannotBeBroughtToTheFront) {
    rig.keystrokes.openWindow("Notepad");
    rig.keystrokes.openWindow("Game");
    rig.keystrokes.bringToFront("Game");
    rig.keystrokes.refuseActivation = true;
    startKeystrokes("but0=a\r\n");
    press(0);
    rig.ticks(20);
    EXPECT_TRUE(typedKeys().empty());
    EXPECT_EQ(rig.keystrokes.front(), "Game");
}

TEST_F(KeystrokeMode, AnEmptyTextStillBringsTheTargetForward) {
    rig.keystrokes.openWindow("Notepad");
    startKeystrokes("but0=\r\n");
    press(0);
    rig.ticks(1);
    EXPECT_EQ(rig.keystrokes.front(), "Notepad");
}

}  // namespace
}  // namespace kestro
