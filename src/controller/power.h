#pragma once
#include <cstdint>

#include "core/window_state.h"
#include "platform/services.h"

namespace kestro {

// Power-broadcast event codes.
inline constexpr std::uint32_t kPowerSuspend = 4;
inline constexpr std::uint32_t kPowerResumeSuspend = 7;
inline constexpr std::uint32_t kPowerResumeAutomatic = 18;

// What the window does with a power broadcast before passing it on
// unchanged: suspend stops polling, a resume starts the resume timer.
void onPowerMessage(WindowState& state, std::uint32_t event);

// The resume timer's single tick: a full discovery.
void onResumeTimer(WindowState& state, Services& s);

}  // namespace kestro
