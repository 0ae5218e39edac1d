// Whatever the settings file says, a load gives each value its conversion
// when the text is valid and in range, else its default; the no-repeat list
// keeps every byte of its text and "dpad" is on only for the exact "True".
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>

#include "fakes/kestro_rig.h"
#include "settings/load_save.h"
#include "settings/settings_keys.h"
#include "settings/value_conversion.h"

using namespace kestro;

namespace {
void check(bool property) {
    if (!property) std::abort();
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
    loadsettings(rig.k, rig.services);

    const auto flag = convert::toNumber(text[0]);
    check(!flag || convert::toBoolean(text[0]) == (*flag != 0));
    check(rig.k.Option1 == convert::toBoolean(text[0]).value_or(true) && rig.k.Option2 == !rig.k.Option1);
    const auto delay = convert::toNumber(text[1]);
    check(rig.k.repeatDelay == delay.value_or(4));
    check(!delay || convert::toNumber(convert::numberText(*delay)) == delay);
    const auto seconds = convert::toNumber(text[2]);
    const double ms = seconds ? std::nearbyint(*seconds * 1000) : -1;
    check(rig.k.hibernation.interval == (ms >= 0 && ms <= 2147483647.0 ? ms : 5000));
    std::string joined;
    for (const std::string& entry : rig.k.noRepeat) joined += entry + ",";
    check(text[3].empty() ? rig.k.noRepeat.empty() : joined == text[3] + ",");
    check(rig.k.dpad == (text[4] == "True"));
    return 0;
}
