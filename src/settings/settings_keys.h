#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Sections, keys, defaults and read limits of "settings.ini".
namespace kestro::keys {

inline constexpr std::string_view kSettings = "settings";
inline constexpr std::string_view kHostSection = "DashOrbit";

inline constexpr std::string_view kController = "kestro";      // limit 999, default ""
inline constexpr std::string_view kStartHidden = "min";        // limit 199, default "False"
inline constexpr std::string_view kTargetTitle = "sendtoapp";  // limit 199, default "DashOrbit"
inline constexpr std::string_view kHostFlagRead = "Dashorbit";  // read under this spelling,
inline constexpr std::string_view kHostFlagWrite = "dashorbit";  // written under this one
inline constexpr std::string_view kNoRepeat = "norepeat";      // limit 999, default "mute"
inline constexpr std::string_view kResumeDelay = "hibernation";  // limit 999, default "5"
inline constexpr std::string_view kDpad = "dpad";              // limit 999, default ""; never written
inline constexpr std::string_view kDelay = "delay";            // limit 199, default "4"
inline constexpr std::string_view kUp = "up", kDown = "down", kLeft = "left", kRight = "right";

inline constexpr std::string_view kBlank = "blank";
inline constexpr std::size_t kShortLimit = 199;
inline constexpr std::size_t kLongLimit = 999;

// "but0" .. "but9".
std::string buttonKey(int button);

}  // namespace kestro::keys
