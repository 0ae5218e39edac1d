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
    Kestro k;
    std::vector<Fired> fired;
    std::function<void(TimerId)> onTick = [](TimerId) {};
    fakes::SimClock clock{k, [this](TimerId id) {
                              fired.push_back({clock.now(), id});
                              onTick(id);
                          }};
};

TEST_F(Clock, FiresEnabledTimersInTimeOrderAndTiesInTimerOrder) {
    k.checkbut.setInterval(500);
    k.checkbut.enable();
    k.Timer1.enable();  // 1000 ms
    clock.advance(1000);
    EXPECT_EQ(fired, (std::vector<Fired>{{500, TimerId::checkbut}, {1000, TimerId::checkbut}, {1000, TimerId::Timer1}}));
    EXPECT_EQ(clock.now(), 1000u);
}

TEST_F(Clock, ATimerStartedByAHandlerWaitsFromThatMomentAndOneStoppedFiresNoMore) {
    k.Timer1.enable();
    onTick = [this](TimerId id) {
        if (id != TimerId::Timer1) return;
        k.Timer1.disable();
        k.checkbut.enable();  // 25 ms
    };
    clock.advance(1060);
    EXPECT_EQ(fired, (std::vector<Fired>{{1000, TimerId::Timer1}, {1025, TimerId::checkbut}, {1050, TimerId::checkbut}}));
}

TEST_F(Clock, EnablingARunningTimerKeepsItsWaitAndRestartingBeginsANewOne) {
    k.hibernation.enable();  // 5000 ms
    clock.advance(3000);
    k.hibernation.enable();
    clock.advance(2000);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0].at, 5000u);

    clock.advance(3000);
    k.hibernation.restart();
    clock.advance(4000);
    EXPECT_EQ(fired.size(), 1u) << "the restart at 8000 ms moved the tick from 10000 to 13000 ms";
    clock.advance(1000);
    EXPECT_EQ(fired.back(), (Fired{13000, TimerId::hibernation}));
}

TEST_F(Clock, IntervalsBelowTheWindowTimerMinimumAreRaisedToIt) {
    k.checkbut.setInterval(0);
    k.checkbut.enable();
    clock.advance(3 * kMinimumTimerInterval);
    EXPECT_EQ(fired.size(), 3u);
}

}  // namespace
}  // namespace kestro
