#include "settings/load_save.h"

#include "settings/settings_keys.h"
#include "settings/value_conversion.h"

namespace kestro {
namespace {

constexpr double kDefaultDelay = 4;
constexpr std::uint32_t kDefaultResumeInterval = 5000;

std::string readShort(Services& s, std::string_view section, std::string_view key, std::string_view fallback) {
    return s.profile.read(section, key, fallback, keys::kShortLimit);
}

std::vector<std::string> splitAtCommas(const std::string& text) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        entries.push_back(text.substr(start, comma - start));
    entries.push_back(text.substr(start));
    return entries;
}

struct DirectionKey {
    std::string_view key;
    TextBox Kestro::*box;
};
constexpr DirectionKey kDirectionKeys[] = {
    {keys::kUp, &Kestro::textup},
    {keys::kDown, &Kestro::textdown},
    {keys::kLeft, &Kestro::textleft},
    {keys::kRight, &Kestro::textright},
};

bool writeHostFlag(Kestro& k, Services& s) {
    return s.profile.write(keys::kSettings, keys::kHostFlagWrite, k.Option1 ? "True" : "False");
}

// The save's writes in their order; false at the first write that fails.
bool writeWindow(Kestro& k, Services& s) {
    setOption1(k, s, true);
    const std::string_view mapping = keys::kHostSection;
    ProfileFile& p = s.profile;
    for (int i = 0; i < 10; ++i)
        if (!p.write(mapping, keys::buttonKey(i), k.Text1[static_cast<std::size_t>(i)].text)) return false;
    if (!p.write(mapping, keys::kDelay, k.Combo1.text)) return false;
    if (!p.write(keys::kSettings, keys::kController, k.Combo2.text)) return false;
    for (const auto& d : kDirectionKeys)
        if (!p.write(mapping, d.key, (k.*d.box).text)) return false;
    if (!p.write(keys::kSettings, keys::kTargetTitle, k.txtapp.text)) return false;
    return writeHostFlag(k, s);
}

// The two option handlers are mirror images: select the target, enable the
// title box in keystroke mode only, write the host flag, reload.
void selectTarget(Kestro& k, Services& s, bool host) {
    k.Option1 = host;
    k.Option2 = !host;
    k.txtapp.enabled = !host;
    writeHostFlag(k, s);
    loadsettings(k, s);
}

// One button of the group set from code: its click handler runs when it
// turns true, as a user's click would.
void setOption(Kestro& k, Services& s, bool& option, bool& other, bool value, void (*click)(Kestro&, Services&)) {
    if (option == value) return;
    option = value;
    if (!value) return;
    other = false;
    click(k, s);
}

}  // namespace

void loadsettings(Kestro& k, Services& s) {
    k.butkeys = {};
    k.txtapp.text = readShort(s, keys::kSettings, keys::kTargetTitle, keys::kHostSection);
    setOption1(k, s, convert::toBoolean(readShort(s, keys::kSettings, keys::kHostFlagRead, "true")).value_or(true));
    if (k.Option1) {
        setOption2(k, s, false);
        k.txtapp.enabled = false;
    } else {
        setOption2(k, s, true);
        k.txtapp.enabled = true;
    }
    const std::string mapping = k.Option1 ? std::string(keys::kHostSection) : k.txtapp.text;
    for (int i = 0; i < 10; ++i) {
        const auto b = static_cast<std::size_t>(i);
        k.butkeys[b] = readShort(s, mapping, keys::buttonKey(i), keys::kBlank);
        k.Text1[b].text = k.butkeys[b];
    }
    for (const auto& d : kDirectionKeys) (k.*d.box).text = readShort(s, mapping, d.key, keys::kBlank);
    k.repeatDelay = convert::toNumber(readShort(s, mapping, keys::kDelay, "4")).value_or(kDefaultDelay);
    const std::string noRepeat = s.profile.read(keys::kSettings, keys::kNoRepeat, "mute", keys::kLongLimit);
    k.hibernation.setInterval(
        convert::secondsToTimerInterval(s.profile.read(keys::kSettings, keys::kResumeDelay, "5", keys::kLongLimit))
            .value_or(kDefaultResumeInterval));
    if (!noRepeat.empty()) k.noRepeat = splitAtCommas(noRepeat);
    k.dpad = s.profile.read(keys::kSettings, keys::kDpad, "", keys::kLongLimit) == "True";
}

bool savesettings(Kestro& k, Services& s) {
    if (!writeWindow(k, s)) {
        s.dialogs.messageBox("error saving", "Opps");
        return false;
    }
    s.dialogs.messageBox("updated settings.ini", "Saved");
    loadsettings(k, s);
    k.lblOutput = "device unplugged";
    k.Combo2.clear();
    k.devcount = 0;
    return true;
}

void Option1_Click(Kestro& k, Services& s) { selectTarget(k, s, true); }

void Option2_Click(Kestro& k, Services& s) { selectTarget(k, s, false); }

void setOption1(Kestro& k, Services& s, bool value) { setOption(k, s, k.Option1, k.Option2, value, Option1_Click); }

void setOption2(Kestro& k, Services& s, bool value) { setOption(k, s, k.Option2, k.Option1, value, Option2_Click); }

}  // namespace kestro
