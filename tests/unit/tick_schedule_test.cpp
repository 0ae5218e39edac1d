#include "platform/portable/tick_schedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestro {
namespace {

// Ticks asked for at `times`, with a period of 25: which of them tick.
std::vector<bool> ticksAt(std::initializer_list<std::int64_t> times) {
    TickSchedule schedule;
    schedule.start(0, 25);
    std::vector<bool> ticked;
    for (std::int64_t t : times) ticked.push_back(schedule.tickIfDue(t));
    return ticked;
}

TEST(TickSchedule, KeepsToTheScheduleWithoutDriftOrBunching) {
    EXPECT_EQ(ticksAt({24, 25, 49, 52, 75}), (std::vector<bool>{false, true, false, true, true}))
        << "a late tick does not move the next one";
    EXPECT_EQ(ticksAt({60, 60, 84, 85}), (std::vector<bool>{true, false, false, true}))
        << "more than a period behind, one tick, then a fresh start from now";
}

}  // namespace
}  // namespace kestro
