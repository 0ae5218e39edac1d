#pragma once
#include <string_view>

#include "core/window_state.h"

namespace kestro {

// The window-state field that a control of the layout shows and edits.
// At most one of the pointers is set; none for frames, fixed labels and pictures.
struct ControlBinding {
    TextBox* text = nullptr;
    const Light* light = nullptr;
    ComboBox* combo = nullptr;
    std::string* caption = nullptr;
    bool* check = nullptr;
    // An option button: checked while the state's target is `option`.
    Target* target = nullptr;
    Target option = Target::None;
};

ControlBinding bindingFor(WindowState& state, std::string_view controlName);

}  // namespace kestro
