#pragma once
#include <array>
#include <span>
#include <string_view>

// The main window's layout as data: every control with its kind, container,
// caption, place in twips (15 to the pixel at 96 DPI, relative to its
// container) and tab index. Back ends build their native window from it.
namespace kestro::layout {

enum class Kind { Frame, Label, ComboBox, TextBox, Indicator, CheckBox, CommandButton, OptionButton, PictureBox };
enum class Align { Left, Centre, Right };

struct Control {
    std::string_view name;       // "buttonKey(3)", "saveButton", ...
    Kind kind;
    std::string_view container;  // "" for the window itself, else a frame's name
    std::string_view caption;    // caption or initial text
    int left, top, width, height;
    int tabIndex;                // -1: takes no place in the tab order
    Align align = Align::Left;
};

inline constexpr std::string_view kCaption = "Dash Orbit Kestro control v3.0 by Vornak";
inline constexpr int kClientWidth = 7425;
inline constexpr int kClientHeight = 7950;
inline constexpr int kTwipsPerPixelAt96Dpi = 15;

// Every control, frames before what they contain.
std::span<const Control> controls();

// The control named `name`, or nullptr.
const Control* find(std::string_view name);

// The control's identifier in a native window: its place in the table plus a base.
int controlId(std::string_view name);
inline constexpr int kFirstControlId = 1000;

}  // namespace kestro::layout
