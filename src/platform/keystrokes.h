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

    // Brings the matching window to the front, waits briefly for its focus
    // and types `keys` (key-string syntax) there. Keys that are not valid
    // syntax change nothing: no window is activated. An empty text only
    // brings the window forward.
    // False when nothing was typed: invalid syntax, no matching window, or it
    // did not come to the front with its focus.
    virtual bool activateAndType(std::string_view title, std::string_view keys) = 0;
    // Types `keys` only if the matching window is in front with its focus.
    // False when it is not, when the syntax is invalid (nothing is typed then)
    // or when the keystrokes could not be queued.
    virtual bool typeInto(std::string_view title, std::string_view keys) = 0;
};

}  // namespace kestro
