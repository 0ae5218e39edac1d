#pragma once
#include <string_view>

#include "core/window_state.h"
#include "platform/services.h"

namespace kestro {

// Axis thresholds on the 0..65535 range: at or beyond them a direction is down.
inline constexpr std::int32_t kLowThreshold = 1000;
inline constexpr std::int32_t kHighThreshold = 60000;

// One 25 ms poll tick: reads the controller and turns the fourteen inputs
// (up, down, left, right, buttons 0..9) into sends and repeats. False when
// the tick failed; its caller then runs the lost-device procedure.
[[nodiscard]] bool onPollTick(WindowState& state, Services& s);

// Repeat-send of a held input's key text, unless it is on the no-repeat list.
void repeatUnlessListed(WindowState& state, Services& s, std::string_view keytext);

}  // namespace kestro
