// Whatever the settings file says, a number is what the decimal-number
// grammar makes of its text, and a load gives each value its conversion when
// the text is valid and in range, else its default; the no-repeat list keeps
// every byte of its text and "dpad" is on only for the exact "True".
#include <fuzzer/FuzzedDataProvider.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "fuzz/property.h"
#include "core/text_trim.h"
#include "fakes/kestro_rig.h"
#include "settings/load_save.h"
#include "settings/settings_keys.h"
#include "settings/value_conversion.h"

using namespace kestro;

namespace {

// What decimal number `t` is by the grammar (spaces, one sign, digits with at
// most one point, an exponent, spaces), or nullopt; `outOfRange` when a
// double cannot hold it, where either answer will do.
std::optional<double> decimal(const std::string& t, bool& outOfRange) {
    const std::string_view s = trimSpaces(t);
    std::size_t i = !s.empty() && (s[0] == '+' || s[0] == '-') ? 1 : 0;
    auto digits = [&] {
        const std::size_t from = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        return i - from;
    };
    std::size_t mantissa = digits();
    if (i < s.size() && s[i] == '.') ++i, mantissa += digits();
    if (mantissa == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        i += i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-') ? 2 : 1;
        if (digits() == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    errno = 0;
    const double value = std::strtod(std::string(s).c_str(), nullptr);
    outOfRange = errno == ERANGE;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    fakes::KestroRig rig;
    fakes::FakeProfileFile& file = rig.profile;
    // Keystroke mode reads its mapping from the section of the default title, "DashOrbit" too.
    const std::pair<std::string_view, std::string_view> keysRead[] = {
        {keys::kSettings, keys::kHostFlagRead}, {keys::kHostSection, keys::kDelay},
        {keys::kSettings, keys::kResumeDelay},  {keys::kSettings, keys::kNoRepeat},
        {keys::kSettings, keys::kDpad}};
    std::string text[5];
    for (int i = 0; i < 5; ++i) {
        file.write(keysRead[i].first, keysRead[i].second, in.ConsumeRandomLengthString(300));
        text[i] = file.read(keysRead[i].first, keysRead[i].second, "", i < 2 ? keys::kShortLimit : keys::kLongLimit);
    }
    loadSettings(rig.state, rig.services);

    for (int i = 0; i < 3; ++i) {
        bool outOfRange = false;
        const std::optional<double> expected = decimal(text[i], outOfRange);
        check(outOfRange || convert::toNumber(text[i]) == expected);
    }
    const auto flag = convert::toNumber(text[0]);
    check(!flag || convert::toBoolean(text[0]) == (*flag != 0));
    check((rig.state.target == Target::Host) == convert::toBoolean(text[0]).value_or(true));
    const auto delay = convert::toNumber(text[1]);
    check(rig.state.repeatDelay == delay.value_or(4));
    check(!delay || convert::toNumber(convert::numberText(*delay)) == delay);
    const auto seconds = convert::toNumber(text[2]);
    const double ms = seconds ? std::nearbyint(*seconds * 1000) : -1;
    check(rig.state.resumeTimer.interval == (ms >= 0 && ms <= 2147483647.0 ? ms : 5000));
    std::string joined;
    for (const std::string& entry : rig.state.noRepeat) joined += entry + ",";
    check(text[3].empty() ? rig.state.noRepeat.empty() : joined == text[3] + ",");
    check(rig.state.dpad == (text[4] == "True"));
    return 0;
}
