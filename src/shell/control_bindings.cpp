#include "shell/control_bindings.h"

#include <charconv>

namespace kestro {
namespace {

// The index of an array control such as "buttonLight(7)" when `name` starts
// with `array` followed by "(", else -1.
int arrayIndex(std::string_view name, std::string_view array) {
    if (!name.starts_with(array) || name.size() < array.size() + 3 || name[array.size()] != '(' ||
        name.back() != ')')
        return -1;
    int index = -1;
    const char* first = name.data() + array.size() + 1;
    const char* last = name.data() + name.size() - 1;
    const auto [end, ec] = std::from_chars(first, last, index);
    return ec == std::errc() && end == last ? index : -1;
}

// The direction controls' names, in Direction order.
constexpr std::string_view kDirectionKeyBoxes[] = {"upKey", "downKey", "leftKey", "rightKey"};
constexpr std::string_view kDirectionLights[] = {"upLight", "downLight", "leftLight", "rightLight"};

}  // namespace

ControlBinding bindingFor(WindowState& state, std::string_view name) {
    ControlBinding b;
    if (const int i = arrayIndex(name, "buttonKey"); i >= 0 && i < 10) b.text = &state.buttonKeys[std::size_t(i)];
    else if (const int j = arrayIndex(name, "buttonLight"); j >= 0 && j < 10) b.light = &state.buttonLights[std::size_t(j)];
    else if (name == "targetTitleBox") b.text = &state.targetTitle;
    else if (name == "delayBox") b.combo = &state.delayBox;
    else if (name == "controllerBox") b.combo = &state.controllerBox;
    else if (name == "statusLabel") b.caption = &state.statusLabel;
    else if (name == "startHiddenBox") b.check = &state.startHiddenBox;
    else if (name == "hostOption") b.target = &state.target, b.option = Target::Host;
    else if (name == "keystrokeOption") b.target = &state.target, b.option = Target::Keystrokes;
    for (std::size_t d = 0; d < 4; ++d) {
        if (name == kDirectionKeyBoxes[d]) b.text = &state.directionKeys[d];
        if (name == kDirectionLights[d]) b.light = &state.directionLights[d];
    }
    return b;
}

}  // namespace kestro
