// Finding, acquiring, losing and finding again the saved controller.
#include <gtest/gtest.h>

#include "controller/discovery.h"
#include "fakes/kestro_rig.h"
#include "settings/load_save.h"

namespace kestro {
namespace {

using fakes::KestroRig;
using Op = fakes::FakeGameControllers::Op;
using Strings = std::vector<std::string>;

// A program searching for its saved controller, as start-up leaves it.
class Discovery : public ::testing::Test {
protected:
    void startSearching(const std::string& saved) {
        rig.profile.setText("[settings]\r\nkestro=" + saved + "\r\n");
        rig.state.reconnectTimer.enable();
    }
    KestroRig rig;
};

TEST_F(Discovery, TheSavedControllerAttachedAtStartIsPolledAfterTheFirstSecond) {
    rig.controllers.plug("Pad", "{1}");
    startSearching("Pad");
    rig.advance(999);
    EXPECT_TRUE(rig.searching());
    rig.advance(1);
    EXPECT_TRUE(rig.polling());
    EXPECT_EQ(rig.state.statusLabel, "Established Communication with");
    EXPECT_EQ(rig.state.controllerBox.text, "Pad");
    EXPECT_EQ(rig.state.controllerBox.list, Strings{"Pad"});
    EXPECT_TRUE(rig.controllers.acquired());
}

TEST_F(Discovery, WhileNothingIsPluggedTheControllersAreLookedAtOnlyEveryFiveSeconds) {
    startSearching("Pad");
    rig.advance(11000);
    EXPECT_TRUE(rig.searching());
    EXPECT_EQ(rig.state.statusLabel, "Unplugged");
    EXPECT_EQ(rig.state.controllerBox.text, "none found");
    EXPECT_EQ(rig.controllers.calls(Op::List), 3) << "at 1, 6 and 11 s: the first tick, then the safety net";

    rig.controllers.plug("Pad", "{1}");  // the system reports the plug
    rig.advance(1000);
    EXPECT_TRUE(rig.polling()) << "a reported plug is looked at by the next tick";
    EXPECT_EQ(rig.controllers.calls(Op::List), 4);
}

TEST_F(Discovery, AnotherControllerIsListedThenTheSavedOneIsTakenUpWhenPluggedIn) {
    rig.controllers.plug("Wheel", "{w}");
    startSearching("Pad");
    rig.advance(1000);
    EXPECT_TRUE(rig.searching());
    EXPECT_EQ(rig.state.controllerBox.list, Strings{"Wheel"});
    EXPECT_EQ(rig.state.controllerBox.text, "");
    EXPECT_EQ(rig.state.statusLabel, "Unplugged");
    rig.advance(3000);
    EXPECT_EQ(rig.controllers.calls(Op::List), 3) << "the two ticks after the reported plug look too";
    EXPECT_TRUE(rig.searching());

    rig.controllers.plug("Pad", "{p}");
    rig.advance(1000);
    EXPECT_TRUE(rig.polling());
    EXPECT_EQ(rig.state.controllerBox.list, (Strings{"Wheel", "Pad"}));
    EXPECT_EQ(rig.state.controllerBox.listIndex, 1);
    EXPECT_EQ(rig.controllers.openedId(), "{p}");
}

struct NameCase {
    const char* saved;
    const char* attached;
    bool matches;
};

class NameMatch : public Discovery, public ::testing::WithParamInterface<NameCase> {};

TEST_P(NameMatch, NamesCompareExactlyApartFromSurroundingSpaces) {
    rig.controllers.plug(GetParam().attached, "{1}");
    startSearching(GetParam().saved);
    rig.advance(1000);
    EXPECT_EQ(rig.polling(), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(Names, NameMatch,
                         ::testing::Values(NameCase{"Pad", "Pad", true}, NameCase{"pad", "Pad", false},
                                           NameCase{"Pad", "  Pad ", true}, NameCase{"\"  Pad\"", "Pad", true},
                                           NameCase{"Pad 2", "Pad", false}, NameCase{"", "Pad", false}));

TEST_F(Discovery, OfTwoMatchingControllersTheLastOneStaysOpenAndSelected) {
    rig.controllers.plug("Pad", "{1}");
    rig.controllers.plug("Pad", "{2}");
    startSearching("Pad");
    rig.advance(1000);
    EXPECT_TRUE(rig.polling());
    EXPECT_EQ(rig.controllers.calls(Op::Open), 2);
    EXPECT_EQ(rig.controllers.openedId(), "{2}");
    EXPECT_EQ(rig.state.controllerBox.listIndex, 1);
}

TEST_F(Discovery, ANonMatchingControllerAfterTheSavedOneDoesNotUndoTheMatch) {
    rig.controllers.plug("Pad", "{1}");
    rig.controllers.plug("Wheel", "{2}");
    startSearching("Pad");
    rig.advance(1000);
    EXPECT_TRUE(rig.polling());
    EXPECT_EQ(rig.state.controllerBox.text, "Pad");
    EXPECT_EQ(rig.controllers.openedId(), "{1}");
}

TEST_F(Discovery, UnplugWhilePollingThenReplug) {
    rig.controllers.plug("Pad", "{1}");
    rig.controllers.plug("Wheel", "{2}");
    startSearching("Pad");
    rig.advance(1000);
    ASSERT_TRUE(rig.polling());

    rig.controllers.unplug("{1}");
    rig.ticks(1);
    EXPECT_TRUE(rig.searching());
    EXPECT_EQ(rig.state.statusLabel, "device unplugged");
    EXPECT_TRUE(rig.state.controllerBox.list.empty()) << "the listing of the remaining one is emptied again";
    EXPECT_EQ(rig.state.attachedCount, 1);
    rig.advance(3000);
    EXPECT_TRUE(rig.searching());

    rig.controllers.plug("Pad", "{1}");
    rig.advance(1000);
    EXPECT_TRUE(rig.polling());
    EXPECT_EQ(rig.state.statusLabel, "Established Communication with");
    EXPECT_EQ(rig.state.controllerBox.text, "Pad");
}

// Windows may announce a plug before DirectInput lists the new controller.
TEST_F(Discovery, APlugAnnouncedBeforeTheControllerIsListedIsTakenUpByALaterTick) {
    startSearching("Pad");
    rig.advance(1000);
    rig.controllers.onDeviceChange = [] {};  // the notice comes first, on its own
    deviceChangeNoticed(rig.state);
    rig.advance(1000);
    EXPECT_TRUE(rig.searching()) << "nothing listed yet";
    rig.controllers.plug("Pad", "{1}");
    rig.advance(1000);
    EXPECT_TRUE(rig.polling()) << "the notice keeps the next ticks looking";
}

// A read failure without an unplugging (a device reset, a quick wireless
// reconnect) leaves the count as it was; the controller is polled again as
// soon as it can be read.
TEST_F(Discovery, AnAttachedControllerWhoseReadsFailIsPolledAgainOnceItCanBeRead) {
    rig.controllers.plug("Pad", "{1}");
    startSearching("Pad");
    loadSettings(rig.state, rig.services);
    rig.host.openWindow("DashOrbit");
    rig.advance(1000);
    rig.state.buttonKeys[0].text = "play";
    rig.controllers.failNext(Op::Read, 3);
    rig.ticks(1);
    rig.advance(2000);  // two reconnect ticks whose reads still fail
    EXPECT_TRUE(rig.searching());
    EXPECT_EQ(rig.state.statusLabel, "device unplugged");
    EXPECT_TRUE(rig.state.controllerBox.list.empty());

    rig.advance(1000);
    EXPECT_TRUE(rig.polling()) << "the same count, yet the controller is taken up again";
    EXPECT_EQ(rig.state.statusLabel, "Established Communication with");
    EXPECT_EQ(rig.state.controllerBox.text, "Pad");
    rig.controllers.setButton("{1}", 0, true);
    rig.ticks(3);
    EXPECT_EQ(rig.host.texts(), Strings{"play"}) << "one press, one send";
}

TEST_F(Discovery, AFailureInOpeningOrAcquiringStartsTheReconnectTimerSilently) {
    for (Op op : {Op::Open, Op::Acquire}) {
        KestroRig fresh;
        fresh.controllers.plug("Pad", "{1}");
        fresh.profile.setText("[settings]\r\nkestro=Pad\r\n");
        fresh.controllers.failNext(op);
        discoverControllers(fresh.state, fresh.services);
        EXPECT_TRUE(fresh.searching());
        EXPECT_EQ(fresh.state.attachedCount, 1) << "the new count is kept";
        EXPECT_EQ(fresh.state.statusLabel, "Unplugged");
        EXPECT_TRUE(fresh.dialogs.shown().empty());
        fresh.advance(3000);
        EXPECT_TRUE(fresh.searching()) << "ticks end at the count check";
    }
}

TEST_F(Discovery, AFailureBeforeTheListingLeavesPollingAsItWas) {
    rig.controllers.plug("Pad", "{1}");
    startSearching("Pad");
    rig.advance(1000);
    ASSERT_TRUE(rig.polling());
    rig.controllers.failNext(Op::List);
    discoverControllers(rig.state, rig.services);
    EXPECT_TRUE(rig.state.pollTimer.enabled);
    EXPECT_TRUE(rig.state.reconnectTimer.enabled);
}

TEST_F(Discovery, PluggingAnotherControllerWhilePollingChangesNothing) {
    rig.controllers.plug("Pad", "{1}");
    startSearching("Pad");
    rig.advance(1000);
    rig.controllers.plug("Wheel", "{2}");
    rig.advance(5000);
    EXPECT_TRUE(rig.polling());
    EXPECT_EQ(rig.state.controllerBox.list, Strings{"Pad"});
}

// Typing keeps the box's text, so a name typed character by character is stored whole.
TEST_F(Discovery, ANameTypedCharacterByCharacterIsStoredWhole) {
    rig.controllers.plug("Wheel", "{2}");
    startSearching("Pad");
    rig.advance(1000);
    for (const char* typed : {"W", "Wh", "Whe", "Whee", "Wheel"}) {
        rig.state.controllerBox.text = typed;
        onControllerBoxEdited(rig.state, rig.services);
        EXPECT_EQ(rig.state.controllerBox.text, typed);
    }
    EXPECT_EQ(rig.profile.read("settings", "kestro", "", 999), "Wheel");
    EXPECT_TRUE(rig.state.controllerBox.list.empty());
    EXPECT_TRUE(rig.searching()) << "the count is unchanged, so the name waits for the next listing";

    rig.controllers.plug("Pad", "{1}");
    rig.advance(1000);
    EXPECT_TRUE(rig.polling());
    EXPECT_EQ(rig.controllers.openedId(), "{2}");
}

}  // namespace
}  // namespace kestro

namespace kestro {
namespace {

// The simulator the scenarios above stand on behaves like DirectInput.
TEST(FakeGameControllers, AFailedListingLeavesTheLastOne) {
    fakes::FakeGameControllers c;
    c.plug("Pad", "{1}");
    std::vector<ControllerItem> attached;
    ASSERT_TRUE(c.listAttached(attached));
    c.unplug("{1}");
    c.failNext(Op::List);
    EXPECT_FALSE(c.listAttached(attached));
    ASSERT_EQ(attached.size(), 1u);
    EXPECT_EQ(attached[0].name, "Pad");
    EXPECT_FALSE(c.open("{1}")) << "an unplugged controller cannot be opened";
    EXPECT_TRUE(c.listAttached(attached));
    EXPECT_TRUE(attached.empty());
}

TEST(FakeGameControllers, ReadsFailOnceTheControllerIsGoneOrWhenItWasNotAcquired) {
    fakes::FakeGameControllers c;
    c.plug("Pad", "{1}");
    c.plug("Wheel", "{2}");
    JoyState state;
    EXPECT_FALSE(c.readState(state)) << "nothing opened yet";
    ASSERT_TRUE(c.open("{1}"));
    c.setButton("{1}", 9, true);
    ASSERT_TRUE(c.readState(state));
    EXPECT_NE(state.rgbButtons[9], 0);
    c.failNext(Op::Open);
    EXPECT_FALSE(c.open("{2}"));
    EXPECT_TRUE(c.readState(state)) << "a controller that cannot be opened leaves the one before";
    c.failNext(Op::Read, 2);
    EXPECT_FALSE(c.readState(state));
    EXPECT_FALSE(c.readState(state));
    EXPECT_TRUE(c.readState(state));
    c.failNext(Op::Acquire);
    EXPECT_FALSE(c.open("{2}"));
    EXPECT_FALSE(c.readState(state)) << "opened but not acquired";
    ASSERT_TRUE(c.open("{1}"));
    c.unplug("{1}");
    EXPECT_FALSE(c.readState(state));
}

}  // namespace
}  // namespace kestro
