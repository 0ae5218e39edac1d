#include "shell/control_bindings.h"

#include <charconv>

namespace kestro {
namespace {

// The index of an array control such as "sh0(7)" when `name` starts with
// `array` followed by "(", else -1.
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

}  // namespace

ControlBinding bindingFor(Kestro& k, std::string_view name) {
    ControlBinding b;
    if (const int i = arrayIndex(name, "Text1"); i >= 0 && i < 10) b.text = &k.Text1[static_cast<std::size_t>(i)];
    else if (const int j = arrayIndex(name, "sh0"); j >= 0 && j < 10) b.colour = &k.sh0[static_cast<std::size_t>(j)];
    else if (const int d = arrayIndex(name, "joyup"); d >= 0 && d < 4) b.colour = &k.joyup[static_cast<std::size_t>(d)];
    else if (name == "textup") b.text = &k.textup;
    else if (name == "textdown") b.text = &k.textdown;
    else if (name == "textleft") b.text = &k.textleft;
    else if (name == "textright") b.text = &k.textright;
    else if (name == "txtapp") b.text = &k.txtapp;
    else if (name == "Combo1") b.combo = &k.Combo1;
    else if (name == "Combo2") b.combo = &k.Combo2;
    else if (name == "lblOutput") b.caption = &k.lblOutput;
    else if (name == "Check1") b.check = &k.Check1;
    else if (name == "Option1") b.option = &k.Option1;
    else if (name == "Option2") b.option = &k.Option2;
    return b;
}

}  // namespace kestro
