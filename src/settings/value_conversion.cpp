#include "settings/value_conversion.h"

#include <charconv>
#include <cmath>
#include <string>

#include "core/text_trim.h"
#include "platform/portable/ascii_case.h"

namespace kestro::convert {
namespace {

// The largest interval a window timer takes, in milliseconds.
constexpr double kMaxTimerInterval = 2147483647.0;

}  // namespace

std::optional<double> toNumber(std::string_view text) {
    text = trimSpaces(text);
    // from_chars takes a '-' but no '+', and one sign is all a number has.
    if (text.starts_with('+') && !text.starts_with("+-")) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<bool> toBoolean(std::string_view text) {
    const std::string_view t = trimSpaces(text);
    if (ascii::sameIgnoringCase(t, "true")) return true;
    if (ascii::sameIgnoringCase(t, "false")) return false;
    if (const auto n = toNumber(t)) return *n != 0;
    return std::nullopt;
}

std::optional<std::uint32_t> secondsToTimerInterval(std::string_view text) {
    const auto seconds = toNumber(text);
    if (!seconds) return std::nullopt;
    const double ms = std::nearbyint(*seconds * 1000.0);
    if (ms < 0 || ms > kMaxTimerInterval) return std::nullopt;
    return static_cast<std::uint32_t>(ms);
}

std::string numberText(double value) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

}  // namespace kestro::convert
