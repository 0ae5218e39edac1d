#include "shell/layout.h"

namespace kestro::layout {
namespace {

using K = Kind;
constexpr Align R = Align::Right, C = Align::Centre;

constexpr Control kControls[] = {
    {"Frame1", K::Frame, "", "Connection state", 240, 120, 6975, 1095, 0},
    {"lblOutput", K::Label, "Frame1", "Unplugged", 1080, 240, 4815, 255, 1, C},
    {"Combo2", K::ComboBox, "Frame1", "none found", 240, 600, 6495, 315, 31},

    {"Frame2", K::Frame, "", "Operation", 240, 1320, 6975, 5535, 2},
    {"joyup(0)", K::Indicator, "Frame2", "", 1800, 240, 375, 375, -1},
    {"joyup(1)", K::Indicator, "Frame2", "", 1800, 720, 375, 375, -1},
    {"joyup(2)", K::Indicator, "Frame2", "", 1800, 1200, 375, 375, -1},
    {"joyup(3)", K::Indicator, "Frame2", "", 1800, 1680, 375, 375, -1},
    {"lbl0(10)", K::Label, "Frame2", "Up", 2040, 360, 855, 375, 33, R},
    {"lbl0(11)", K::Label, "Frame2", "Down", 2040, 840, 855, 375, 34, R},
    {"lbl0(13)", K::Label, "Frame2", "Left", 2040, 1320, 855, 375, 36, R},
    {"lbl0(12)", K::Label, "Frame2", "Right", 2040, 1800, 855, 375, 35, R},
    {"textup", K::TextBox, "Frame2", "Text2", 3120, 240, 1935, 375, 32},
    {"textdown", K::TextBox, "Frame2", "Text2", 3120, 720, 1935, 375, 37},
    {"textleft", K::TextBox, "Frame2", "Text2", 3120, 1200, 1935, 375, 38},
    {"textright", K::TextBox, "Frame2", "Text2", 3120, 1680, 1935, 375, 39},

    {"sh0(0)", K::Indicator, "Frame2", "", 120, 2520, 375, 375, -1},
    {"sh0(1)", K::Indicator, "Frame2", "", 120, 3000, 375, 375, -1},
    {"sh0(2)", K::Indicator, "Frame2", "", 120, 3480, 375, 375, -1},
    {"sh0(3)", K::Indicator, "Frame2", "", 120, 3960, 375, 375, -1},
    {"sh0(4)", K::Indicator, "Frame2", "", 120, 4440, 375, 375, -1},
    {"sh0(5)", K::Indicator, "Frame2", "", 3480, 2520, 375, 375, -1},
    {"sh0(6)", K::Indicator, "Frame2", "", 3480, 3000, 375, 375, -1},
    {"sh0(7)", K::Indicator, "Frame2", "", 3480, 3480, 375, 375, -1},
    {"sh0(8)", K::Indicator, "Frame2", "", 3480, 3960, 375, 375, -1},
    {"sh0(9)", K::Indicator, "Frame2", "", 3480, 4440, 375, 375, -1},

    {"lbl0(0)", K::Label, "Frame2", "Button 0", 600, 2640, 855, 375, 12},
    {"lbl0(1)", K::Label, "Frame2", "Button 1", 600, 3120, 855, 375, 11},
    {"lbl0(2)", K::Label, "Frame2", "Button 2", 600, 3600, 855, 375, 10},
    {"lbl0(3)", K::Label, "Frame2", "Button 3", 600, 4080, 855, 375, 9},
    {"lbl0(4)", K::Label, "Frame2", "Button 4", 600, 4560, 855, 375, 8},
    // The right-hand labels carry their numbers in reverse index order.
    {"lbl0(9)", K::Label, "Frame2", "Button 5", 3960, 2640, 855, 375, 3},
    {"lbl0(8)", K::Label, "Frame2", "Button 6", 3960, 3120, 855, 375, 4},
    {"lbl0(7)", K::Label, "Frame2", "Button 7", 3960, 3600, 855, 375, 5},
    {"lbl0(6)", K::Label, "Frame2", "Button 8", 3960, 4080, 855, 375, 6},
    {"lbl0(5)", K::Label, "Frame2", "Button 9", 3960, 4560, 855, 375, 7},

    // Text1(0) belongs to the frame; the other nine to the window, drawn over the frame's rows.
    {"Text1(0)", K::TextBox, "Frame2", "Text1", 1320, 2520, 1935, 375, 16},
    {"Text1(1)", K::TextBox, "", "Text1", 1560, 4320, 1935, 375, 17},
    {"Text1(2)", K::TextBox, "", "Text1", 1560, 4800, 1935, 375, 18},
    {"Text1(3)", K::TextBox, "", "Text1", 1560, 5280, 1935, 375, 19},
    {"Text1(4)", K::TextBox, "", "Text1", 1560, 5760, 1935, 375, 20},
    {"Text1(5)", K::TextBox, "", "Text1", 5040, 3840, 1935, 375, 21},
    {"Text1(6)", K::TextBox, "", "Text1", 5040, 4320, 1935, 375, 22},
    {"Text1(7)", K::TextBox, "", "Text1", 5040, 4800, 1935, 375, 23},
    {"Text1(8)", K::TextBox, "", "Text1", 5040, 5280, 1935, 375, 24},
    {"Text1(9)", K::TextBox, "", "Text1", 5040, 5760, 1935, 375, 25},

    {"Check1", K::CheckBox, "Frame2", "Start Minimized", 1320, 5040, 1695, 375, 28},
    {"Label1", K::Label, "Frame2", "Key Repeat Delay", 2640, 5040, 2415, 255, 30, R},
    {"Combo1", K::ComboBox, "Frame2", "Combo1", 5160, 5040, 1095, 315, 29},
    {"Picture1", K::PictureBox, "Frame2", "", -360, -120, 570, 495, 27},
    {"Picture2", K::PictureBox, "Frame2", "", -360, 960, 600, 495, 26},

    {"Frame3", K::Frame, "", "Exit", 240, 6960, 6975, 855, 13},
    {"cmsave", K::CommandButton, "Frame3", "Save Settings", 120, 240, 3255, 495, 15},
    {"Command1", K::CommandButton, "Frame3", "Minimize", 3600, 240, 3255, 495, 14},

    // Beyond the right edge of the client area: present, never seen.
    {"Frame4", K::Frame, "", "Send to", 8520, 480, 2895, 1815, 40},
    {"Option1", K::OptionButton, "Frame4", "      Dash Orbit", 360, 360, 2295, 495, 43},
    {"Option2", K::OptionButton, "Frame4", "", 360, 960, 2295, 495, 42},
    {"txtapp", K::TextBox, "Frame4", "Centrafuse", 840, 1080, 1575, 375, 41},
};

}  // namespace

std::span<const Control> controls() { return kControls; }

const Control* find(std::string_view name) {
    for (const auto& c : kControls)
        if (c.name == name) return &c;
    return nullptr;
}

int controlId(std::string_view name) {
    for (std::size_t i = 0; i < std::size(kControls); ++i)
        if (kControls[i].name == name) return kFirstControlId + static_cast<int>(i);
    return 0;
}

}  // namespace kestro::layout
