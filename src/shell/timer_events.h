#pragma once
#include <cstdint>

#include "core/window_state.h"
#include "platform/services.h"

namespace kestro {

enum class TimerId : std::uint8_t { Poll, Reconnect, Resume };
inline constexpr TimerId kAllTimers[] = {TimerId::Poll, TimerId::Reconnect, TimerId::Resume};

// A window timer never fires faster than this; shorter intervals are raised to it.
inline constexpr std::uint32_t kMinimumTimerInterval = 10;

Timer& timerOf(WindowState& state, TimerId id);
const Timer& timerOf(const WindowState& state, TimerId id);

// One tick of a timer, delivered by the clock. A tick that arrives after its
// timer was switched off (already queued) is dropped.
void onTimerTick(WindowState& state, Services& s, TimerId id);

}  // namespace kestro
