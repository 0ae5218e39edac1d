#include "shell/layout.h"

namespace kestro::layout {
namespace {

using K = Kind;
constexpr Align R = Align::Right, C = Align::Centre;

constexpr Control kControls[] = {
    {"connectionFrame", K::Frame, "", "Connection state", 240, 120, 6975, 1095, 0},
    {"statusLabel", K::Label, "connectionFrame", "Unplugged", 1080, 240, 4815, 255, 1, C},
    {"controllerBox", K::ComboBox, "connectionFrame", "none found", 240, 600, 6495, 315, 31},

    {"operationFrame", K::Frame, "", "Operation", 240, 1320, 6975, 5535, 2},
    {"upLight", K::Indicator, "operationFrame", "", 1800, 240, 375, 375, -1},
    {"downLight", K::Indicator, "operationFrame", "", 1800, 720, 375, 375, -1},
    {"leftLight", K::Indicator, "operationFrame", "", 1800, 1200, 375, 375, -1},
    {"rightLight", K::Indicator, "operationFrame", "", 1800, 1680, 375, 375, -1},
    {"upLabel", K::Label, "operationFrame", "Up", 2040, 360, 855, 375, 33, R},
    {"downLabel", K::Label, "operationFrame", "Down", 2040, 840, 855, 375, 34, R},
    {"leftLabel", K::Label, "operationFrame", "Left", 2040, 1320, 855, 375, 36, R},
    {"rightLabel", K::Label, "operationFrame", "Right", 2040, 1800, 855, 375, 35, R},
    {"upKey", K::TextBox, "operationFrame", "Text2", 3120, 240, 1935, 375, 32},
    {"downKey", K::TextBox, "operationFrame", "Text2", 3120, 720, 1935, 375, 37},
    {"leftKey", K::TextBox, "operationFrame", "Text2", 3120, 1200, 1935, 375, 38},
    {"rightKey", K::TextBox, "operationFrame", "Text2", 3120, 1680, 1935, 375, 39},

    {"buttonLight(0)", K::Indicator, "operationFrame", "", 120, 2520, 375, 375, -1},
    {"buttonLight(1)", K::Indicator, "operationFrame", "", 120, 3000, 375, 375, -1},
    {"buttonLight(2)", K::Indicator, "operationFrame", "", 120, 3480, 375, 375, -1},
    {"buttonLight(3)", K::Indicator, "operationFrame", "", 120, 3960, 375, 375, -1},
    {"buttonLight(4)", K::Indicator, "operationFrame", "", 120, 4440, 375, 375, -1},
    {"buttonLight(5)", K::Indicator, "operationFrame", "", 3480, 2520, 375, 375, -1},
    {"buttonLight(6)", K::Indicator, "operationFrame", "", 3480, 3000, 375, 375, -1},
    {"buttonLight(7)", K::Indicator, "operationFrame", "", 3480, 3480, 375, 375, -1},
    {"buttonLight(8)", K::Indicator, "operationFrame", "", 3480, 3960, 375, 375, -1},
    {"buttonLight(9)", K::Indicator, "operationFrame", "", 3480, 4440, 375, 375, -1},

    {"buttonLabel(0)", K::Label, "operationFrame", "Button 0", 600, 2640, 855, 375, 12},
    {"buttonLabel(1)", K::Label, "operationFrame", "Button 1", 600, 3120, 855, 375, 11},
    {"buttonLabel(2)", K::Label, "operationFrame", "Button 2", 600, 3600, 855, 375, 10},
    {"buttonLabel(3)", K::Label, "operationFrame", "Button 3", 600, 4080, 855, 375, 9},
    {"buttonLabel(4)", K::Label, "operationFrame", "Button 4", 600, 4560, 855, 375, 8},
    {"buttonLabel(5)", K::Label, "operationFrame", "Button 5", 3960, 2640, 855, 375, 3},
    {"buttonLabel(6)", K::Label, "operationFrame", "Button 6", 3960, 3120, 855, 375, 4},
    {"buttonLabel(7)", K::Label, "operationFrame", "Button 7", 3960, 3600, 855, 375, 5},
    {"buttonLabel(8)", K::Label, "operationFrame", "Button 8", 3960, 4080, 855, 375, 6},
    {"buttonLabel(9)", K::Label, "operationFrame", "Button 9", 3960, 4560, 855, 375, 7},

    // buttonKey(0) belongs to the frame; the other nine to the window, drawn over the frame's rows.
    {"buttonKey(0)", K::TextBox, "operationFrame", "Text1", 1320, 2520, 1935, 375, 16},
    {"buttonKey(1)", K::TextBox, "", "Text1", 1560, 4320, 1935, 375, 17},
    {"buttonKey(2)", K::TextBox, "", "Text1", 1560, 4800, 1935, 375, 18},
    {"buttonKey(3)", K::TextBox, "", "Text1", 1560, 5280, 1935, 375, 19},
    {"buttonKey(4)", K::TextBox, "", "Text1", 1560, 5760, 1935, 375, 20},
    {"buttonKey(5)", K::TextBox, "", "Text1", 5040, 3840, 1935, 375, 21},
    {"buttonKey(6)", K::TextBox, "", "Text1", 5040, 4320, 1935, 375, 22},
    {"buttonKey(7)", K::TextBox, "", "Text1", 5040, 4800, 1935, 375, 23},
    {"buttonKey(8)", K::TextBox, "", "Text1", 5040, 5280, 1935, 375, 24},
    {"buttonKey(9)", K::TextBox, "", "Text1", 5040, 5760, 1935, 375, 25},

    {"startHiddenBox", K::CheckBox, "operationFrame", "Start Minimized", 1320, 5040, 1695, 375, 28},
    {"delayLabel", K::Label, "operationFrame", "Key Repeat Delay", 2640, 5040, 2415, 255, 30, R},
    {"delayBox", K::ComboBox, "operationFrame", "Combo1", 5160, 5040, 1095, 315, 29},
    {"trayIconOwner", K::PictureBox, "operationFrame", "", -360, -120, 570, 495, 27},
    {"spareIcon", K::PictureBox, "operationFrame", "", -360, 960, 600, 495, 26},

    {"exitFrame", K::Frame, "", "Exit", 240, 6960, 6975, 855, 13},
    {"saveButton", K::CommandButton, "exitFrame", "Save Settings", 120, 240, 3255, 495, 15},
    {"minimizeButton", K::CommandButton, "exitFrame", "Minimize", 3600, 240, 3255, 495, 14},

    // Beyond the right edge of the client area: present, never seen.
    {"targetFrame", K::Frame, "", "Send to", 8520, 480, 2895, 1815, 40},
    {"hostOption", K::OptionButton, "targetFrame", "      Dash Orbit", 360, 360, 2295, 495, 43},
    {"keystrokeOption", K::OptionButton, "targetFrame", "", 360, 960, 2295, 495, 42},
    {"targetTitleBox", K::TextBox, "targetFrame", "Centrafuse", 840, 1080, 1575, 375, 41},
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
