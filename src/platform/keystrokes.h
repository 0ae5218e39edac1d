#pragma once
#include <string_view>

namespace kestro {

// Keystrokes typed into another program's window. The window that "matches"
// a title is a visible top-level window whose whole title equals it, or else
// the first whose title begins with it, letter case ignored in both; an
// empty title matches no window.
class Keystrokes {
public:
    virtual ~Keystrokes() = default;

    // Brings the matching window to the front and waits briefly for its focus.
    // False if there is none, or it never came to the front with its focus.
    virtual bool activate(std::string_view title) = 0;
    // Types `keys` (key-string syntax) only if the matching window is in front
    // with its focus.
    // False when it is not, when the syntax is invalid (nothing is typed then)
    // or when the keystrokes could not be queued.
    virtual bool typeInto(std::string_view title, std::string_view keys) = 0;
};

}  // namespace kestro
