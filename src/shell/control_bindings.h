#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/kestro_state.h"

namespace kestro {

// The window-state field that a control of the layout shows and edits.
// At most one pointer is set; none for frames, fixed labels and pictures.
struct ControlBinding {
    TextBox* text = nullptr;
    std::uint32_t* colour = nullptr;
    ComboBox* combo = nullptr;
    std::string* caption = nullptr;
    int* check = nullptr;
    bool* option = nullptr;
};

ControlBinding bindingFor(Kestro& k, std::string_view controlName);

}  // namespace kestro
