// Suspend stops polling; after a resume the controller is taken up again.
#include <gtest/gtest.h>

#include "controller/power.h"
#include "fakes/kestro_rig.h"
#include "settings/load_save.h"

namespace kestro {
namespace {

using fakes::KestroRig;
using Op = fakes::FakeGameControllers::Op;

class SuspendResume : public ::testing::Test {
protected:
    void startPolling(const std::string& extra = "") {
        rig.profile.setText("[settings]\r\nkestro=Pad\r\n" + extra);
        rig.controllers.plug("Pad", "{1}");
        loadSettings(rig.state, rig.services);
        rig.state.reconnectTimer.enable();
        rig.advance(1000);
        ASSERT_TRUE(rig.polling());
    }
    void power(std::uint32_t code) { onPowerMessage(rig.state, code); }
    KestroRig rig;
};

TEST_F(SuspendResume, WithTheControllerStillAttachedPollingResumesAfterTheDelay) {
    startPolling();
    power(kPowerSuspend);
    EXPECT_FALSE(rig.state.pollTimer.enabled);
    EXPECT_FALSE(rig.state.reconnectTimer.enabled);
    rig.advance(60000);
    power(kPowerResumeSuspend);
    EXPECT_TRUE(rig.state.resumeTimer.enabled);
    rig.advance(4999);
    EXPECT_FALSE(rig.state.pollTimer.enabled);
    rig.advance(1);
    EXPECT_TRUE(rig.polling());
    EXPECT_FALSE(rig.state.resumeTimer.enabled) << "it fires once per resume";
    EXPECT_EQ(rig.controllers.calls(Op::Open), 2) << "opened afresh";
    EXPECT_EQ(rig.state.statusLabel, "Established Communication with");
}

TEST_F(SuspendResume, TheResumeDelayComesFromTheSettingInSeconds) {
    startPolling("hibernation=2.5\r\n");
    power(kPowerSuspend);
    power(kPowerResumeSuspend);
    rig.advance(2499);
    EXPECT_FALSE(rig.polling());
    rig.advance(1);
    EXPECT_TRUE(rig.polling());
}

// Windows sends only the automatic-resume code when no one touches keyboard or mouse.
TEST_F(SuspendResume, AnAutomaticResumeAloneAlsoTakesTheControllerUp) {
    startPolling();
    power(kPowerSuspend);
    power(kPowerResumeAutomatic);
    rig.advance(5000);
    EXPECT_TRUE(rig.polling());
}

TEST_F(SuspendResume, BothResumeCodesTogetherReacquireOnce) {
    startPolling();
    power(kPowerSuspend);
    power(kPowerResumeAutomatic);
    rig.advance(3000);
    power(kPowerResumeSuspend);
    rig.advance(4999);
    EXPECT_FALSE(rig.polling()) << "the second code restarts the wait";
    rig.advance(1);
    EXPECT_TRUE(rig.polling());
    rig.advance(20000);
    EXPECT_EQ(rig.controllers.calls(Op::Open), 2);
}

TEST_F(SuspendResume, WithAnotherControllerOnlyTheProgramSearchesAndTheLabelStays) {
    startPolling();
    power(kPowerSuspend);
    rig.controllers.unplug("{1}");
    rig.controllers.plug("Wheel", "{2}");
    power(kPowerResumeSuspend);
    rig.advance(5000);
    EXPECT_TRUE(rig.searching());
    EXPECT_EQ(rig.state.statusLabel, "Established Communication with");
    EXPECT_EQ(rig.state.controllerBox.list, std::vector<std::string>{"Wheel"});
}

// After a resume without any controller the program keeps searching.
TEST_F(SuspendResume, WithNoControllerTheProgramSearchesAndFindsItWhenPluggedIn) {
    startPolling();
    power(kPowerSuspend);
    rig.controllers.unplug("{1}");
    power(kPowerResumeSuspend);
    rig.advance(5000);
    EXPECT_TRUE(rig.searching());
    rig.advance(3000);
    rig.controllers.plug("Pad", "{1}");
    rig.advance(1000);
    EXPECT_TRUE(rig.polling());
}

// A resume delay of 0 seconds takes the controller up at once.
TEST_F(SuspendResume, AResumeDelayOfZeroReacquiresAtOnce) {
    startPolling("hibernation=0\r\n");
    power(kPowerSuspend);
    power(kPowerResumeSuspend);
    rig.advance(10);
    EXPECT_TRUE(rig.polling());
}

TEST_F(SuspendResume, SuspendWhileSearchingKeepsSearching) {
    rig.profile.setText("[settings]\r\nkestro=Pad\r\n");
    rig.state.reconnectTimer.enable();
    power(kPowerSuspend);
    EXPECT_TRUE(rig.searching());
}

TEST_F(SuspendResume, OtherPowerEventsChangeNothing) {
    startPolling();
    for (std::uint32_t code : {0u, 5u, 6u, 8u, 10u, 11u, 0x8013u}) power(code);
    EXPECT_TRUE(rig.polling());
    EXPECT_FALSE(rig.state.resumeTimer.enabled);
}

}  // namespace
}  // namespace kestro
