#pragma once
#include <functional>

#include "shell/layout.h"

namespace kestro::layout {

// The control that the Tab key moves the focus to from `current` (nullptr:
// the focus is on no control of the table), or back with Shift+Tab. Only
// controls that take the focus, lie within the visible client area and pass
// `usable` (enabled, say) are stops; the order wraps around. nullptr when
// there is no stop at all.
const Control* nextTabStop(const Control* current, bool backwards, const std::function<bool(const Control&)>& usable);

}  // namespace kestro::layout
