#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Conversions of settings text to values. Each gives nullopt for text that
// cannot be converted, so the caller can fall back to the value's default.
namespace kestro::convert {

// "true"/"false" in any letter case, or a number (0 is false, others true).
std::optional<bool> toBoolean(std::string_view text);

// A decimal number within the range of a double, surrounding spaces allowed
// ("4", " 2.5", "-1e2", "+7").
std::optional<double> toNumber(std::string_view text);

// A number of seconds as whole milliseconds (nearest, halves to even),
// within what a window timer accepts.
std::optional<std::uint32_t> secondsToTimerInterval(std::string_view text);

// The shortest decimal text of a number: 4 gives "4", 2.5 gives "2.5".
std::string numberText(double value);

}  // namespace kestro::convert
