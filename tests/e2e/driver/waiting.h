#pragma once
#include <chrono>
#include <functional>
#include <string>

namespace e2e {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

// Asks `ready` again every `step` until it says yes or `timeout` has passed.
// True when it said yes; asked once more at the deadline so a slow last step counts.
bool waitUntil(const std::function<bool()>& ready, Millis timeout, Millis step = 15ms);

// As waitUntil, but a timeout fails the scenario with `reason`.
void require(const std::function<bool()>& ready, Millis timeout, const std::string& reason);

// Lets the program under test run for a moment in which nothing is expected to happen.
void pause(Millis duration);

}  // namespace e2e
