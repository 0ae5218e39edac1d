#pragma once
#include <cstdint>

namespace kestro {

// Due times of a periodic tick on a monotonic counter (any unit). Ticks
// keep to the schedule on average, without drift; a tick that comes late
// moves the schedule on instead of letting ticks bunch up.
class TickSchedule {
public:
    void start(std::int64_t now, std::int64_t period) {
        period_ = period;
        due_ = now + period;
    }
    // True when a tick is due at `now`; the next one is then scheduled a
    // period after this one, or a period from now when far behind (the
    // program was busy or the PC slept).
    bool tickIfDue(std::int64_t now) {
        if (now < due_) return false;
        due_ += period_;
        if (due_ <= now) due_ = now + period_;
        return true;
    }
    // Counter units until the next tick; zero or less when it is due.
    std::int64_t remaining(std::int64_t now) const { return due_ - now; }

private:
    std::int64_t period_ = 0;
    std::int64_t due_ = 0;
};

}  // namespace kestro
