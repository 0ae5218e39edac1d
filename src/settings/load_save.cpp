#include "settings/load_save.h"

#include "core/text_trim.h"
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

// The settings keys of the four directions, in Direction order.
constexpr std::string_view kDirectionKeys[] = {keys::kUp, keys::kDown, keys::kLeft, keys::kRight};

bool writeHostFlag(WindowState& state, Services& s) {
    return s.profile.write(keys::kSettings, keys::kHostFlagWrite, state.target == Target::Keystrokes ? "False" : "True");
}

// The device box names no controller while none is attached: empty after a
// lost read, or its placeholder before the first listing.
bool namesAController(const ComboBox& box) {
    const std::string_view name = trimSpaces(box.text);
    return !name.empty() && name != kNoControllerFound;
}

// The save's writes in their order; false at the first write that fails.
// The mappings go into the section the next load reads for the mode shown.
bool writeWindow(WindowState& state, Services& s) {
    const bool keystrokes = state.target == Target::Keystrokes;
    if (keystrokes && state.targetTitle.text.empty()) return false;  // no section a load could read
    const std::string_view mapping = keystrokes ? std::string_view(state.targetTitle.text) : keys::kHostSection;
    ProfileFile& p = s.profile;
    for (int i = 0; i < 10; ++i)
        if (!p.write(mapping, keys::buttonKey(i), state.buttonKeys[static_cast<std::size_t>(i)].text)) return false;
    if (!p.write(mapping, keys::kDelay, state.delayBox.text)) return false;
    if (namesAController(state.controllerBox) && !p.write(keys::kSettings, keys::kController, state.controllerBox.text))
        return false;
    for (std::size_t d = 0; d < 4; ++d)
        if (!p.write(mapping, kDirectionKeys[d], state.directionKeys[d].text)) return false;
    if (!p.write(keys::kSettings, keys::kTargetTitle, state.targetTitle.text)) return false;
    return writeHostFlag(state, s);
}

// The two option handlers are mirror images: select the target, enable the
// title box in keystroke mode only, write the host flag, reload.
void selectTarget(WindowState& state, Services& s, bool host) {
    state.target = host ? Target::Host : Target::Keystrokes;
    state.targetTitle.enabled = !host;
    writeHostFlag(state, s);
    loadSettings(state, s);
}

// One option of the group chosen from code: its handler runs when the
// target changes, as a user's click would.
void choose(WindowState& state, Services& s, Target target, void (*chosen)(WindowState&, Services&)) {
    if (state.target == target) return;
    state.target = target;
    chosen(state, s);
}

}  // namespace

void loadSettings(WindowState& state, Services& s) {
    state.targetTitle.text = readShort(s, keys::kSettings, keys::kTargetTitle, keys::kHostSection);
    if (convert::toBoolean(readShort(s, keys::kSettings, keys::kHostFlagRead, "true")).value_or(true)) {
        chooseHostMode(state, s);
        state.targetTitle.enabled = false;
    } else {
        chooseKeystrokeMode(state, s);
        state.targetTitle.enabled = true;
    }
    const std::string mapping = state.target == Target::Host ? std::string(keys::kHostSection) : state.targetTitle.text;
    for (int i = 0; i < 10; ++i)
        state.buttonKeys[static_cast<std::size_t>(i)].text = readShort(s, mapping, keys::buttonKey(i), keys::kBlank);
    for (std::size_t d = 0; d < 4; ++d)
        state.directionKeys[d].text = readShort(s, mapping, kDirectionKeys[d], keys::kBlank);
    state.repeatDelay = convert::toNumber(readShort(s, mapping, keys::kDelay, "4")).value_or(kDefaultDelay);
    const std::string noRepeat = s.profile.read(keys::kSettings, keys::kNoRepeat, "mute", keys::kLongLimit);
    state.resumeTimer.setInterval(
        convert::secondsToTimerInterval(s.profile.read(keys::kSettings, keys::kResumeDelay, "5", keys::kLongLimit))
            .value_or(kDefaultResumeInterval));
    if (!noRepeat.empty()) state.noRepeat = splitAtCommas(noRepeat);
    state.dpad = s.profile.read(keys::kSettings, keys::kDpad, "", keys::kLongLimit) == "True";
}

bool saveSettings(WindowState& state, Services& s) {
    if (!writeWindow(state, s)) {
        s.dialogs.messageBox("error saving", "Opps");
        return false;
    }
    s.dialogs.messageBox("updated settings.ini", "Saved");
    loadSettings(state, s);
    state.statusLabel = "device unplugged";
    state.controllerBox.clear();
    state.attachedCount = 0;
    return true;
}

void onHostModeChosen(WindowState& state, Services& s) { selectTarget(state, s, true); }

void onKeystrokeModeChosen(WindowState& state, Services& s) { selectTarget(state, s, false); }

void chooseHostMode(WindowState& state, Services& s) { choose(state, s, Target::Host, onHostModeChosen); }

void chooseKeystrokeMode(WindowState& state, Services& s) {
    choose(state, s, Target::Keystrokes, onKeystrokeModeChosen);
}

}  // namespace kestro
