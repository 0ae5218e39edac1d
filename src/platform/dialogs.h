#pragma once
#include <string_view>

namespace kestro {

// Modal message boxes with an OK button only.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows `text` titled `title` and returns when the user has closed it.
    virtual void messageBox(std::string_view text, std::string_view title) = 0;
};

}  // namespace kestro
