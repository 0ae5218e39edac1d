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
        loadsettings(rig.k, rig.services);
    }
    std::string value(const char* section, const char* key) {
        return rig.profile.read(section, key, "<missing>", 999);
    }
    Strings keyTexts() const {
        Strings out;
        for (const auto& t : rig.k.Text1) out.push_back(t.text);
        for (const auto* t : {&rig.k.textup, &rig.k.textdown, &rig.k.textleft, &rig.k.textright})
            out.push_back(t->text);
        return out;
    }
    KestroRig rig;
};

TEST_F(LoadSave, WithoutASettingsFileEverythingTakesItsDefault) {
    load("");
    EXPECT_TRUE(rig.k.Option1);
    EXPECT_FALSE(rig.k.Option2);
    EXPECT_EQ(rig.k.txtapp.text, "DashOrbit");
    EXPECT_FALSE(rig.k.txtapp.enabled);
    EXPECT_EQ(keyTexts(), Strings(14, "blank"));
    EXPECT_EQ(rig.k.butkeys[0], "blank");
    EXPECT_EQ(rig.k.butkeys[10], "");
    EXPECT_EQ(rig.k.repeatDelay, 4);
    EXPECT_EQ(rig.k.hibernation.interval, 5000u);
    EXPECT_EQ(rig.k.noRepeat, Strings{"mute"});
    EXPECT_EQ(rig.profile.text(), "[settings]\r\ndashorbit=True\r\n") << "the option handler writes the host flag";
}

TEST_F(LoadSave, TheHostSectionFillsTheFourteenKeyBoxes) {
    load("[dashorbit]\r\nbut0=play\r\nBUT9 = stop \r\nup=vol+\r\nRight=next\r\ndelay=7\r\n");
    EXPECT_EQ(rig.k.Text1[0].text, "play");
    EXPECT_EQ(rig.k.Text1[9].text, "stop");
    EXPECT_EQ(rig.k.Text1[5].text, "blank");
    EXPECT_EQ(rig.k.textup.text, "vol+");
    EXPECT_EQ(rig.k.textright.text, "next");
    EXPECT_EQ(rig.k.repeatDelay, 7);
}

TEST_F(LoadSave, KeystrokeModeReadsTheSectionNamedByTheTargetTitle) {
    load("[settings]\r\nDashorbit=False\r\nsendtoapp=Notepad\r\n[Notepad]\r\nbut0=^s\r\ndelay=2\r\n"
         "[DashOrbit]\r\nbut0=play\r\n");
    EXPECT_FALSE(rig.k.Option1);
    EXPECT_TRUE(rig.k.Option2);
    EXPECT_TRUE(rig.k.txtapp.enabled);
    EXPECT_EQ(rig.k.txtapp.text, "Notepad");
    EXPECT_EQ(rig.k.Text1[0].text, "^s");
    EXPECT_EQ(rig.k.repeatDelay, 2);
    EXPECT_EQ(value("settings", "dashorbit"), "False");
}

TEST_F(LoadSave, TheNoRepeatListSplitsAtEveryCommaWithoutTrimming) {
    load("[settings]\r\nnorepeat=mute, pause,\r\n");
    EXPECT_EQ(rig.k.noRepeat, (Strings{"mute", " pause", ""}));
    rig.profile.write("settings", "norepeat", "");
    loadsettings(rig.k, rig.services);
    EXPECT_EQ(rig.k.noRepeat, (Strings{"mute", " pause", ""})) << "an empty setting keeps the old list";
}

TEST_F(LoadSave, AnEmptyNoRepeatSettingFromTheStartLeavesTheListEmpty) {
    load("[settings]\r\nnorepeat=\r\n");
    EXPECT_TRUE(rig.k.noRepeat.empty());
}

struct BadValueCase {
    const char* ini;
    bool host;
    double delay;
    std::uint32_t resumeInterval;
};

class LoadValues : public LoadSave, public ::testing::WithParamInterface<BadValueCase> {};

// Regression: a value that could not be converted ended the program, and every later load too.
TEST_P(LoadValues, AValueThatCannotBeConvertedTakesItsDefaultAndTheLoadGoesOn) {
    load(GetParam().ini);
    EXPECT_EQ(rig.k.Option1, GetParam().host);
    EXPECT_EQ(rig.k.repeatDelay, GetParam().delay);
    EXPECT_EQ(rig.k.hibernation.interval, GetParam().resumeInterval);
    EXPECT_EQ(rig.k.textdown.text, "D") << "later values still load";
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
    EXPECT_EQ(rig.k.Text1[1].text.size(), 199u);
    ASSERT_EQ(rig.k.noRepeat.size(), 1u);
    EXPECT_EQ(rig.k.noRepeat[0].size(), 999u);
}

TEST_F(LoadSave, ChoosingTheKeystrokeOptionLoadsItsSectionAndWritesTheFlag) {
    load("[settings]\r\nsendtoapp=Notepad\r\n[Notepad]\r\nbut0=^s\r\n");
    rig.k.txtapp.text = "typed but not saved";
    setOption2(rig.k, rig.services, true);
    EXPECT_TRUE(rig.k.txtapp.enabled);
    EXPECT_EQ(rig.k.txtapp.text, "Notepad");
    EXPECT_EQ(rig.k.Text1[0].text, "^s");
    EXPECT_EQ(value("settings", "dashorbit"), "False");

    setOption1(rig.k, rig.services, true);
    EXPECT_FALSE(rig.k.txtapp.enabled);
    EXPECT_EQ(rig.k.Text1[0].text, "blank");
    EXPECT_EQ(value("settings", "dashorbit"), "True");
}

TEST_F(LoadSave, SettingAnOptionToItsCurrentValueRunsNoHandler) {
    load("");
    const auto writes = rig.profile.writes.size();
    setOption1(rig.k, rig.services, true);
    setOption2(rig.k, rig.services, false);
    EXPECT_EQ(rig.profile.writes.size(), writes);
}

TEST_F(LoadSave, TheStartHiddenBoxWritesItsValueAtOnce) {
    setCheck1(rig.k, rig.services, 1);
    EXPECT_EQ(value("settings", "min"), "True");
    setCheck1(rig.k, rig.services, 0);
    EXPECT_EQ(value("settings", "min"), "False");
    EXPECT_EQ(rig.profile.writes.size(), 2u);
}

// Saving ------------------------------------------------------------------

class Saving : public LoadSave {
protected:
    void SetUp() override {
        load("[settings]\r\nnorepeat=mute\r\nhibernation=5\r\n");
        rig.k.Combo1.text = "6";
        rig.k.Combo2.text = "Pad";
        rig.k.Text1[3].text = " next ";
        rig.profile.writes.clear();
    }
};

TEST_F(Saving, WritesExactlyTheHostKeysThenReportsAndReloads) {
    rig.controllers.plug("Pad", "{1}");
    cmsave_Click(rig.k, rig.services);

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
    EXPECT_EQ(rig.k.repeatDelay, 6) << "the reload puts the saved delay into effect";
    EXPECT_EQ(rig.k.Text1[3].text, "next");
    EXPECT_TRUE(rig.polling()) << "the full discovery takes up the saved controller at once";
    EXPECT_EQ(rig.k.lblOutput, "Established Communication with");
}

TEST_F(Saving, WithNoControllerAttachedTheLabelReadsDeviceUnpluggedAndTheListIsEmpty) {
    cmsave_Click(rig.k, rig.services);
    EXPECT_EQ(rig.k.lblOutput, "device unplugged");
    EXPECT_EQ(rig.k.Combo2.text, "");
    EXPECT_EQ(rig.k.devcount, 0);
}

TEST_F(Saving, WhileInKeystrokeModeSwitchesToHostModeAndLeavesTheKeystrokeSectionAlone) {
    load("[settings]\r\nDashorbit=False\r\nsendtoapp=Notepad\r\n[Notepad]\r\nbut0=^s\r\n[DashOrbit]\r\nbut0=play\r\n");
    rig.k.Text1[0].text = "typed in keystroke mode";
    cmsave_Click(rig.k, rig.services);
    EXPECT_TRUE(rig.k.Option1);
    EXPECT_EQ(value("DashOrbit", "but0"), "play");
    EXPECT_EQ(value("Notepad", "but0"), "^s");
    EXPECT_EQ(value("settings", "dashorbit"), "True");
    EXPECT_EQ(value("settings", "sendtoapp"), "Notepad");
}

TEST_F(Saving, ADelayThatIsNotANumberIsSavedAsTypedAndLoadsAsTheDefault) {
    rig.k.Combo1.text = "fast";
    cmsave_Click(rig.k, rig.services);
    EXPECT_EQ(value("DashOrbit", "delay"), "fast");
    EXPECT_EQ(rig.k.repeatDelay, 4);
    EXPECT_EQ(rig.dialogs.shown().back().title, "Saved");
}

// Regression: a save whose writes failed still reported "updated settings.ini".
TEST_F(Saving, AFailedWriteReportsErrorSavingAndStopsTheSave) {
    rig.profile.writesBeforeFailing = 3;
    cmsave_Click(rig.k, rig.services);
    EXPECT_EQ(rig.dialogs.shown(), (std::vector<fakes::FakeDialogs::Shown>{{"error saving", "Opps"}}));
    EXPECT_EQ(rig.k.lblOutput, "Unplugged") << "nothing after the failure ran";
    EXPECT_EQ(rig.controllers.calls(fakes::FakeGameControllers::Op::Enumerate), 0);
}

}  // namespace
}  // namespace kestro
