// Loading the settings file into the window and saving the window back.
#include <gtest/gtest.h>

#include "controller/discovery.h"
#include "fakes/kestro_rig.h"
#include "settings/load_save.h"
#include "shell/window_events.h"

namespace kestro {
namespace {

using fakes::KestroRig;
using Strings = std::vector<std::string>;

class LoadSave : public ::testing::Test {
protected:
    void load(const std::string& ini) {
        if (!ini.empty()) rig.profile.setText(ini);
        loadSettings(rig.state, rig.services);
    }
    std::string value(const char* section, const char* key) {
        return rig.profile.read(section, key, "<missing>", 999);
    }
    Strings keyTexts() const {
        Strings out;
        for (const auto& t : rig.state.buttonKeys) out.push_back(t.text);
        for (const auto* t : {&rig.state.directionKeys[kUp], &rig.state.directionKeys[kDown], &rig.state.directionKeys[kLeft], &rig.state.directionKeys[kRight]})
            out.push_back(t->text);
        return out;
    }
    KestroRig rig;
};

TEST_F(LoadSave, WithoutASettingsFileEverythingTakesItsDefault) {
    load("");
    EXPECT_EQ(rig.state.target, Target::Host);
    EXPECT_EQ(rig.state.targetTitle.text, "DashOrbit");
    EXPECT_FALSE(rig.state.targetTitle.enabled);
    EXPECT_EQ(keyTexts(), Strings(14, "blank"));
    EXPECT_EQ(rig.state.repeatDelay, 4);
    EXPECT_EQ(rig.state.resumeTimer.interval, 5000u);
    EXPECT_EQ(rig.state.noRepeat, Strings{"mute"});
    EXPECT_EQ(rig.profile.text(), "[settings]\r\ndashorbit=True\r\n") << "the option handler writes the host flag";
}

TEST_F(LoadSave, TheHostSectionFillsTheFourteenKeyBoxes) {
    load("[dashorbit]\r\nbut0=play\r\nBUT9 = stop \r\nup=vol+\r\nRight=next\r\ndelay=7\r\n");
    EXPECT_EQ(rig.state.buttonKeys[0].text, "play");
    EXPECT_EQ(rig.state.buttonKeys[9].text, "stop");
    EXPECT_EQ(rig.state.buttonKeys[5].text, "blank");
    EXPECT_EQ(rig.state.directionKeys[kUp].text, "vol+");
    EXPECT_EQ(rig.state.directionKeys[kRight].text, "next");
    EXPECT_EQ(rig.state.repeatDelay, 7);
}

TEST_F(LoadSave, KeystrokeModeReadsTheSectionNamedByTheTargetTitle) {
    load("[settings]\r\nDashorbit=False\r\nsendtoapp=Notepad\r\n[Notepad]\r\nbut0=^s\r\ndelay=2\r\n"
         "[DashOrbit]\r\nbut0=play\r\n");
    EXPECT_NE(rig.state.target, Target::Host);
    EXPECT_EQ(rig.state.target, Target::Keystrokes);
    EXPECT_TRUE(rig.state.targetTitle.enabled);
    EXPECT_EQ(rig.state.targetTitle.text, "Notepad");
    EXPECT_EQ(rig.state.buttonKeys[0].text, "^s");
    EXPECT_EQ(rig.state.repeatDelay, 2);
    EXPECT_EQ(value("settings", "dashorbit"), "False");
}

TEST_F(LoadSave, TheNoRepeatListSplitsAtEveryCommaWithoutTrimming) {
    load("[settings]\r\nnorepeat=mute, pause,\r\n");
    EXPECT_EQ(rig.state.noRepeat, (Strings{"mute", " pause", ""}));
    rig.profile.write("settings", "norepeat", "");
    loadSettings(rig.state, rig.services);
    EXPECT_EQ(rig.state.noRepeat, (Strings{"mute", " pause", ""})) << "an empty setting keeps the old list";
}

TEST_F(LoadSave, AnEmptyNoRepeatSettingFromTheStartLeavesTheListEmpty) {
    load("[settings]\r\nnorepeat=\r\n");
    EXPECT_TRUE(rig.state.noRepeat.empty());
}

struct BadValueCase {
    const char* ini;
    bool host;
    double delay;
    std::uint32_t resumeInterval;
};

class LoadValues : public LoadSave, public ::testing::WithParamInterface<BadValueCase> {};

// A value that cannot be converted takes its default; the load goes on.
TEST_P(LoadValues, AValueThatCannotBeConvertedTakesItsDefaultAndTheLoadGoesOn) {
    load(GetParam().ini);
    EXPECT_EQ(rig.state.target == Target::Host, GetParam().host);
    EXPECT_EQ(rig.state.repeatDelay, GetParam().delay);
    EXPECT_EQ(rig.state.resumeTimer.interval, GetParam().resumeInterval);
    EXPECT_EQ(rig.state.directionKeys[kDown].text, "D") << "later values still load";
}

INSTANTIATE_TEST_SUITE_P(
    Values, LoadValues,
    ::testing::Values(BadValueCase{"[settings]\r\nDashorbit=0\r\nsendtoapp=Notepad\r\n[Notepad]\r\ndown=D\r\n", false, 4, 5000},
                      BadValueCase{"[settings]\r\nDashorbit=TRUE\r\nhibernation=2.5\r\n[DashOrbit]\r\ndown=D\r\n", true, 4, 2500},
                      BadValueCase{"[settings]\r\nDashorbit=yes\r\n[DashOrbit]\r\ndown=D\r\n", true, 4, 5000},
                      BadValueCase{"[settings]\r\nDashorbit=\r\nhibernation=\r\n[DashOrbit]\r\ndown=D\r\ndelay=\r\n", true, 4, 5000},
                      BadValueCase{"[settings]\r\nhibernation=soon\r\n[DashOrbit]\r\ndown=D\r\ndelay=fast\r\n", true, 4, 5000},
                      BadValueCase{"[settings]\r\nhibernation=-3\r\n[DashOrbit]\r\ndown=D\r\ndelay=2.5\r\n", true, 2.5, 5000},
                      BadValueCase{"[settings]\r\nhibernation=1e12\r\n[DashOrbit]\r\ndown=D\r\ndelay=1e400\r\n", true, 4, 5000},
                      BadValueCase{"[settings]\r\nhibernation=0.0004\r\n[DashOrbit]\r\ndown=D\r\ndelay=12\r\n", true, 12, 0},
                      // Two signs make no number.
                      BadValueCase{"[settings]\r\nDashorbit=+-0\r\nhibernation=+-0\r\n[DashOrbit]\r\ndown=D\r\ndelay=+-4\r\n", true, 4, 5000}));

TEST_F(LoadSave, ValuesLongerThanTheirLimitAreCut) {
    const std::string longText(5000, 'x');
    load("[settings]\r\nnorepeat=" + longText + "\r\n[DashOrbit]\r\nbut1=" + longText + "\r\n");
    EXPECT_EQ(rig.state.buttonKeys[1].text.size(), 199u);
    ASSERT_EQ(rig.state.noRepeat.size(), 1u);
    EXPECT_EQ(rig.state.noRepeat[0].size(), 999u);
}

TEST_F(LoadSave, ChoosingTheKeystrokeOptionLoadsItsSectionAndWritesTheFlag) {
    load("[settings]\r\nsendtoapp=Notepad\r\n[Notepad]\r\nbut0=^s\r\n");
    rig.state.targetTitle.text = "typed but not saved";
    chooseKeystrokeMode(rig.state, rig.services);
    EXPECT_TRUE(rig.state.targetTitle.enabled);
    EXPECT_EQ(rig.state.targetTitle.text, "Notepad");
    EXPECT_EQ(rig.state.buttonKeys[0].text, "^s");
    EXPECT_EQ(value("settings", "dashorbit"), "False");

    chooseHostMode(rig.state, rig.services);
    EXPECT_FALSE(rig.state.targetTitle.enabled);
    EXPECT_EQ(rig.state.buttonKeys[0].text, "blank");
    EXPECT_EQ(value("settings", "dashorbit"), "True");
}

TEST_F(LoadSave, ChoosingTheCurrentTargetAgainRunsNoHandler) {
    load("");
    const auto writes = rig.profile.writes.size();
    chooseHostMode(rig.state, rig.services);
    EXPECT_EQ(rig.profile.writes.size(), writes);
}

TEST_F(LoadSave, TheStartHiddenBoxWritesItsValueAtOnce) {
    setStartHidden(rig.state, rig.services, true);
    EXPECT_EQ(value("settings", "min"), "True");
    setStartHidden(rig.state, rig.services, false);
    EXPECT_EQ(value("settings", "min"), "False");
    EXPECT_EQ(rig.profile.writes.size(), 2u);
}

// Saving ------------------------------------------------------------------

class Saving : public LoadSave {
protected:
    void SetUp() override {
        load("[settings]\r\nnorepeat=mute\r\nhibernation=5\r\n");
        rig.state.delayBox.text = "6";
        rig.state.controllerBox.text = "Pad";
        rig.state.buttonKeys[3].text = " next ";
        rig.profile.writes.clear();
    }
};

TEST_F(Saving, WritesExactlyTheHostKeysThenReportsAndReloads) {
    rig.controllers.plug("Pad", "{1}");
    onSaveClicked(rig.state, rig.services);

    std::vector<std::string> written;
    for (const auto& w : rig.profile.writes) written.push_back(w.section + "/" + w.key + "=" + w.value);
    EXPECT_EQ(written, (Strings{"DashOrbit/but0=blank", "DashOrbit/but1=blank", "DashOrbit/but2=blank",
                                "DashOrbit/but3= next ", "DashOrbit/but4=blank", "DashOrbit/but5=blank",
                                "DashOrbit/but6=blank", "DashOrbit/but7=blank", "DashOrbit/but8=blank",
                                "DashOrbit/but9=blank", "DashOrbit/delay=6", "settings/kestro=Pad",
                                "DashOrbit/up=blank", "DashOrbit/down=blank", "DashOrbit/left=blank",
                                "DashOrbit/right=blank", "settings/sendtoapp=DashOrbit",
                                "settings/dashorbit=True"}));
    EXPECT_EQ(rig.dialogs.shown(), (std::vector<fakes::FakeDialogs::Shown>{{"updated settings.ini", "Saved"}}));
    EXPECT_EQ(rig.state.repeatDelay, 6) << "the reload puts the saved delay into effect";
    EXPECT_EQ(rig.state.buttonKeys[3].text, "next");
    EXPECT_TRUE(rig.polling()) << "the full discovery takes up the saved controller at once";
    EXPECT_EQ(rig.state.statusLabel, "Established Communication with");
}

TEST_F(Saving, WithNoControllerAttachedTheLabelReadsDeviceUnpluggedAndTheListIsEmpty) {
    onSaveClicked(rig.state, rig.services);
    EXPECT_EQ(rig.state.statusLabel, "device unplugged");
    EXPECT_EQ(rig.state.controllerBox.text, "");
    EXPECT_EQ(rig.state.attachedCount, 0);
}

struct RoundTrip {
    const char* mode;
    std::string file;
    Target target;
};

class SavingRoundTrip : public LoadSave, public ::testing::WithParamInterface<RoundTrip> {};

// What the window showed at the save is what the next start shows.
TEST_P(SavingRoundTrip, ARestartShowsWhatTheWindowShowedAtTheSave) {
    load(GetParam().file);
    rig.state.buttonKeys[0].text = "typed before saving";
    rig.state.directionKeys[kLeft].text = "{LEFT}";
    rig.state.delayBox.text = "9";
    const Strings shown = keyTexts();
    const std::string before = value("DashOrbit", "but0");
    onSaveClicked(rig.state, rig.services);
    EXPECT_EQ(rig.dialogs.shown().back().text, "updated settings.ini");

    KestroRig restarted;
    restarted.profile.setText(rig.profile.text());
    loadSettings(restarted.state, restarted.services);
    EXPECT_EQ(restarted.state.target, GetParam().target);
    EXPECT_EQ(restarted.state.repeatDelay, 9);
    for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(restarted.state.buttonKeys[i].text, shown[i]) << i;
    EXPECT_EQ(restarted.state.directionKeys[kLeft].text, "{LEFT}");
    if (GetParam().target == Target::Keystrokes) {
        EXPECT_EQ(value("DashOrbit", "but0"), before) << "host section untouched";
    }
}

INSTANTIATE_TEST_SUITE_P(
    BothModes, SavingRoundTrip,
    ::testing::Values(RoundTrip{"host", "[settings]\r\nDashorbit=True\r\n[DashOrbit]\r\nbut1=play\r\n", Target::Host},
                      RoundTrip{"keystrokes",
                                "[settings]\r\nDashorbit=False\r\nsendtoapp=Notepad\r\n[Notepad]\r\nbut1=^s\r\n"
                                "[DashOrbit]\r\nbut0=play\r\n",
                                Target::Keystrokes}),
    [](const auto& info) { return std::string(info.param.mode); });

// With no controller listed (after a lost read, or before the first listing)
// the device box names none: the saved controller stays.
TEST_F(Saving, WhileNoControllerIsListedKeepsTheSavedController) {
    for (const char* shown : {"", "none found"}) {
        rig.profile.setText("[settings]\r\nkestro=Pad\r\n");
        rig.state.controllerBox.text = shown;
        onSaveClicked(rig.state, rig.services);
        EXPECT_EQ(value("settings", "kestro"), "Pad") << "device box \"" << shown << "\"";
    }
}

TEST_F(Saving, ADelayThatIsNotANumberIsSavedAsTypedAndLoadsAsTheDefault) {
    rig.state.delayBox.text = "fast";
    onSaveClicked(rig.state, rig.services);
    EXPECT_EQ(value("DashOrbit", "delay"), "fast");
    EXPECT_EQ(rig.state.repeatDelay, 4);
    EXPECT_EQ(rig.dialogs.shown().back().title, "Saved");
}

// A save whose writes fail says so, and nothing after the failure runs.
TEST_F(Saving, AFailedWriteReportsErrorSavingAndStopsTheSave) {
    rig.profile.writesBeforeFailing = 3;
    onSaveClicked(rig.state, rig.services);
    EXPECT_EQ(rig.dialogs.shown(), (std::vector<fakes::FakeDialogs::Shown>{{"error saving", "Opps"}}));
    EXPECT_EQ(rig.state.statusLabel, "Unplugged") << "nothing after the failure ran";
    EXPECT_EQ(rig.controllers.calls(fakes::FakeGameControllers::Op::List), 0);
}

}  // namespace
}  // namespace kestro
