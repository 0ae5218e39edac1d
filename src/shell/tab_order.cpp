#include "shell/tab_order.h"

namespace kestro::layout {
namespace {

bool takesFocus(Kind kind) {
    return kind == Kind::ComboBox || kind == Kind::TextBox || kind == Kind::CheckBox ||
           kind == Kind::CommandButton || kind == Kind::OptionButton;
}

// Controls in the "Send to" frame lie beyond the client area: the user cannot see them.
bool withinView(const Control& c) {
    const Control* frame = c.container.empty() ? nullptr : find(c.container);
    return (frame ? frame->left : 0) + c.left < kClientWidth;
}

}  // namespace

const Control* nextTabStop(const Control* current, bool backwards, const std::function<bool(const Control&)>& usable) {
    const int from = current ? current->tabIndex : -1;
    const Control* best = nullptr;
    const Control* wrap = nullptr;
    for (const Control& c : controls()) {
        if (!takesFocus(c.kind) || !withinView(c) || !usable(c)) continue;
        const int t = c.tabIndex;
        if (backwards) {
            if (t < from && (!best || t > best->tabIndex)) best = &c;
            if (!wrap || t > wrap->tabIndex) wrap = &c;
        } else {
            if (t > from && (!best || t < best->tabIndex)) best = &c;
            if (!wrap || t < wrap->tabIndex) wrap = &c;
        }
    }
    return best ? best : wrap;
}

}  // namespace kestro::layout
