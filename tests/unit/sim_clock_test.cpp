// The simulated clock that every scenario's time comes from.
#include <gtest/gtest.h>

#include <vector>

#include "fakes/sim_clock.h"

namespace kestro {
namespace {

struct Fired {
    std::uint64_t at;
    TimerId timer;
    bool operator==(const Fired&) const = default;
};

class Clock : public ::testing::Test {
protected:
    WindowState state;
    std::vector<Fired> fired;
    std::function<void(TimerId)> onTick = [](TimerId) {};
    fakes::SimClock clock{state, [this](TimerId id) {
                              fired.push_back({clock.now(), id});
                              onTick(id);
                          }};
};

TEST_F(Clock, FiresEnabledTimersInTimeOrderAndTiesInTimerOrder) {
    state.pollTimer.setInterval(500);
    state.pollTimer.enable();
    state.reconnectTimer.enable();  // 1000 ms
    clock.advance(1000);
    EXPECT_EQ(fired, (std::vector<Fired>{{500, TimerId::Poll}, {1000, TimerId::Poll}, {1000, TimerId::Reconnect}}));
    EXPECT_EQ(clock.now(), 1000u);
}

TEST_F(Clock, ATimerStartedByAHandlerWaitsFromThatMomentAndOneStoppedFiresNoMore) {
    state.reconnectTimer.enable();
    onTick = [this](TimerId id) {
        if (id != TimerId::Reconnect) return;
        state.reconnectTimer.disable();
        state.pollTimer.enable();  // 25 ms
    };
    clock.advance(1060);
    EXPECT_EQ(fired, (std::vector<Fired>{{1000, TimerId::Reconnect}, {1025, TimerId::Poll}, {1050, TimerId::Poll}}));
}

TEST_F(Clock, EnablingARunningTimerKeepsItsWaitAndRestartingBeginsANewOne) {
    state.resumeTimer.enable();  // 5000 ms
    clock.advance(3000);
    state.resumeTimer.enable();
    clock.advance(2000);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0].at, 5000u);

    clock.advance(3000);
    state.resumeTimer.restart();
    clock.advance(4000);
    EXPECT_EQ(fired.size(), 1u) << "the restart at 8000 ms moved the tick from 10000 to 13000 ms";
    clock.advance(1000);
    EXPECT_EQ(fired.back(), (Fired{13000, TimerId::Resume}));
}

TEST_F(Clock, IntervalsBelowTheWindowTimerMinimumAreRaisedToIt) {
    state.pollTimer.setInterval(0);
    state.pollTimer.enable();
    clock.advance(3 * kMinimumTimerInterval);
    EXPECT_EQ(fired.size(), 3u);
}

}  // namespace
}  // namespace kestro
