// Start-up, the tray icon, closing, and the window's layout table.
#include <gtest/gtest.h>

#include <set>

#include "fakes/kestro_rig.h"
#include "shell/layout.h"
#include "shell/startup.h"
#include "shell/window_events.h"

namespace kestro {
namespace {

using fakes::KestroRig;
using Shown = fakes::FakeDialogs::Shown;

class StartUp : public ::testing::Test {
protected:
    bool start(const std::string& ini = "") {
        if (!ini.empty()) rig.profile.setText(ini);
        return startUp(rig.state, rig.services);
    }
    KestroRig rig;
};

TEST_F(StartUp, AFirstRunShowsTheWindowAsksForTheGamepadAndWritesOnlyTheHostFlag) {
    ASSERT_TRUE(start());
    EXPECT_TRUE(rig.window.shown);
    EXPECT_EQ(rig.state.startHiddenBox, 0);
    EXPECT_TRUE(rig.tray.present);
    EXPECT_EQ(rig.tray.tip, "Kestro v1.0");
    EXPECT_EQ(rig.state.delayBox.text, "4");
    EXPECT_TRUE(rig.searching());
    EXPECT_EQ(rig.dialogs.shown(),
              (std::vector<Shown>{{"Please insert your gamepad and select it from the drop downlist, then save",
                                   "Gamepad setup"}}));
    EXPECT_EQ(rig.profile.text(), "[settings]\r\ndashorbit=True\r\n");
}

TEST_F(StartUp, TheDelayListHoldsOneToFiftyAndTheBoxShowsTheSavedDelayAsIs) {
    ASSERT_TRUE(start("[DashOrbit]\r\ndelay=75\r\n"));
    ASSERT_EQ(rig.state.delayBox.list.size(), 50u);
    EXPECT_EQ(rig.state.delayBox.list.front(), "1");
    EXPECT_EQ(rig.state.delayBox.list[9], "10");
    EXPECT_EQ(rig.state.delayBox.list.back(), "50");
    EXPECT_EQ(rig.state.delayBox.text, "75");

    KestroRig other;
    other.profile.setText("[DashOrbit]\r\ndelay=2.5\r\n");
    startUp(other.state, other.services);
    EXPECT_EQ(other.state.delayBox.text, "2.5");
}

TEST_F(StartUp, StartsHiddenWithASavedControllerAndFindsItAfterOneSecond) {
    rig.controllers.plug("Pad", "{1}");
    ASSERT_TRUE(start("[settings]\r\nmin=True\r\nkestro=Pad\r\n"));
    EXPECT_FALSE(rig.window.shown);
    EXPECT_EQ(rig.state.startHiddenBox, 1);
    EXPECT_TRUE(rig.dialogs.shown().empty());
    EXPECT_TRUE(rig.tray.present);
    EXPECT_EQ(rig.controllers.calls(fakes::FakeGameControllers::Op::List), 0) << "no discovery at start";
    rig.advance(1000);
    EXPECT_TRUE(rig.polling());
}

TEST_F(StartUp, OnlyTheExactTextTrueStartsHidden) {
    ASSERT_TRUE(start("[settings]\r\nmin=true\r\n"));
    EXPECT_TRUE(rig.window.shown);
    EXPECT_EQ(rig.state.startHiddenBox, 0);
}

TEST_F(StartUp, ASecondInstanceActivatesTheFirstAndEndsWithoutTouchingAnything) {
    rig.instance.otherRunning = true;
    EXPECT_FALSE(start());
    EXPECT_EQ(rig.instance.activated, std::vector<std::string>{"Kestro v3.0"});
    EXPECT_FALSE(rig.tray.present);
    EXPECT_FALSE(rig.window.shown);
    EXPECT_FALSE(rig.profile.exists);
    EXPECT_TRUE(rig.dialogs.shown().empty());
}

// Notepad's "UTF-8 with BOM" would otherwise hide [settings] from every read.
TEST_F(StartUp, AFileSavedWithAByteOrderMarkKeepsItsSavedController) {
    rig.controllers.plug("Pad", "{1}");
    ASSERT_TRUE(start("\xEF\xBB\xBF[settings]\r\nmin=True\r\nkestro=Pad\r\n"));
    EXPECT_TRUE(rig.dialogs.shown().empty()) << "the first-run box came up";
    EXPECT_FALSE(rig.window.shown);
    EXPECT_EQ(rig.profile.text(), "[settings]\r\nmin=True\r\nkestro=Pad\r\ndashorbit=True\r\n")
        << "the mark stays, or the host flag went into a second [settings]";
    rig.advance(1000);
    EXPECT_TRUE(rig.polling());
    EXPECT_EQ(rig.state.controllerBox.text, "Pad");
}

TEST_F(StartUp, AFileWithBadValuesStillStarts) {
    ASSERT_TRUE(start("[settings]\r\nDashorbit=maybe\r\nhibernation=x\r\n[DashOrbit]\r\ndelay=\r\n"));
    EXPECT_EQ(rig.state.target, Target::Host);
    EXPECT_EQ(rig.state.delayBox.text, "4");
}

class TrayIcon : public StartUp {
protected:
    void SetUp() override { ASSERT_TRUE(start("[settings]\r\nkestro=Pad\r\n")); }
};

TEST_F(TrayIcon, ALeftPressShowsAHiddenWindowInFront) {
    onMinimizeClicked(rig.services);
    EXPECT_FALSE(rig.window.shown);
    EXPECT_TRUE(rig.tray.present) << "minimize only hides";
    trayCallback(rig.services, kTrayLeftButtonDown);
    EXPECT_TRUE(rig.window.shown);
    EXPECT_TRUE(rig.window.inFront);
}

TEST_F(TrayIcon, ARightPressOpensTheMenuAndCloseRemovesTheIconAndQuits) {
    trayCallback(rig.services, kTrayRightButtonDown);
    EXPECT_EQ(rig.tray.menusOpened, 1);
    EXPECT_FALSE(rig.window.quitted) << "dismissing the menu does nothing";

    const auto writes = rig.profile.writes.size();
    rig.tray.nextChoice = Tray::MenuChoice::Close;
    trayCallback(rig.services, kTrayRightButtonDown);
    EXPECT_FALSE(rig.tray.present);
    EXPECT_TRUE(rig.window.quitted);
    EXPECT_EQ(rig.profile.writes.size(), writes) << "nothing is saved on the way out";
}

TEST_F(TrayIcon, MovesReleasesAndDoubleClicksDoNothing) {
    onMinimizeClicked(rig.services);
    for (std::uint32_t code : {512u, 514u, 515u, 517u, 518u, 519u, 520u})
        trayCallback(rig.services, code);
    EXPECT_FALSE(rig.window.shown);
    EXPECT_EQ(rig.tray.menusOpened, 0);
}

// The layout table ---------------------------------------------------------

TEST(Layout, EveryControlHasAUniqueNameAndAnExistingContainer) {
    std::set<std::string_view> names;
    for (const auto& c : layout::controls()) {
        EXPECT_TRUE(names.insert(c.name).second) << c.name;
        if (!c.container.empty()) {
            const auto* frame = layout::find(c.container);
            ASSERT_NE(frame, nullptr) << c.name;
            EXPECT_EQ(frame->kind, layout::Kind::Frame);
        }
    }
    EXPECT_EQ(names.size(), 58u);
}

TEST(Layout, TabIndicesAreUniqueAndIndicatorsHaveNone) {
    std::set<int> tabs;
    for (const auto& c : layout::controls()) {
        if (c.kind == layout::Kind::Indicator) {
            EXPECT_EQ(c.tabIndex, -1) << c.name;
        } else {
            EXPECT_TRUE(tabs.insert(c.tabIndex).second) << c.name;
        }
    }
    EXPECT_EQ(*tabs.begin(), 0);
    EXPECT_EQ(*tabs.rbegin(), 43);
}

TEST(Layout, TheWindowOwnedKeyBoxesLieExactlyOnTheFramesButtonRows) {
    const auto* frame = layout::find("operationFrame");
    for (int i = 1; i <= 9; ++i) {
        const auto* box = layout::find("buttonKey(" + std::to_string(i) + ")");
        const auto* light = layout::find("buttonLight(" + std::to_string(i) + ")");
        ASSERT_TRUE(box && light);
        EXPECT_EQ(box->top, frame->top + light->top) << i;
        EXPECT_EQ(box->left - frame->left, i < 5 ? 1320 : 4800) << i;
    }
}

TEST(Layout, TheSendToFrameLiesBeyondTheClientArea) {
    const auto* frame = layout::find("targetFrame");
    ASSERT_NE(frame, nullptr);
    EXPECT_GE(frame->left, layout::kClientWidth);
    for (const auto& c : layout::controls()) {
        if (c.container.empty() && c.kind != layout::Kind::Frame) {
            EXPECT_LE(c.left + c.width, layout::kClientWidth) << c.name;
        }
    }
}

TEST(Layout, ButtonLabelsReadInOrderDownEachColumn) {
    for (int row = 0; row < 5; ++row) {
        const auto* left = layout::find("buttonLabel(" + std::to_string(row) + ")");
        const auto* right = layout::find("buttonLabel(" + std::to_string(5 + row) + ")");
        ASSERT_TRUE(left && right);
        EXPECT_EQ(left->caption, "Button " + std::to_string(row));
        EXPECT_EQ(right->caption, "Button " + std::to_string(5 + row));
        EXPECT_EQ(left->top, right->top) << "button " << row << " and " << 5 + row << " share a row";
    }
    EXPECT_NE(layout::controlId("saveButton"), layout::controlId("minimizeButton"));
    EXPECT_EQ(layout::controlId("no such control"), 0);
}

}  // namespace
}  // namespace kestro
