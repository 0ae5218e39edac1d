#pragma once
#include <cstdint>

#include "core/kestro_state.h"
#include "platform/services.h"

namespace kestro {

enum class TimerId : std::uint8_t { checkbut, Timer1, hibernation };
inline constexpr TimerId kAllTimers[] = {TimerId::checkbut, TimerId::Timer1, TimerId::hibernation};

// A window timer never fires faster than this; shorter intervals are raised to it.
inline constexpr std::uint32_t kMinimumTimerInterval = 10;

Timer& timerOf(Kestro& k, TimerId id);

// One tick of a timer, delivered by the clock. A tick that arrives after its
// timer was switched off (already queued) is dropped.
void onTimerTick(Kestro& k, Services& s, TimerId id);

}  // namespace kestro
