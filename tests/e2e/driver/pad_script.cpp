#include "pad_script.h"

namespace e2e {

Pad Pad::holding(int button) const {
    Pad pressed = *this;
    pressed.buttons |= std::uint32_t{1} << button;
    return pressed;
}

Pad Pad::at(int newX, int newY) const {
    Pad moved = *this;
    moved.x = newX;
    moved.y = newY;
    return moved;
}

Pad Pad::pointing(std::uint32_t hat) const {
    Pad turned = *this;
    turned.pov = hat;
    return turned;
}

std::string scriptFor(const std::vector<Pad>& pads) {
    std::string text = "# written by kestro_e2e\n";
    for (const Pad& pad : pads) {
        std::string buttons(10, '0');
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if ((pad.buttons >> i) & 1u) buttons[i] = '1';
        text += "device " + pad.guid + " " + std::to_string(pad.x) + " " + std::to_string(pad.y) + " " + buttons +
                " pov=" + std::to_string(pad.pov) + (pad.xinput ? " xinput " : " ") + pad.name + "\n";
    }
    return text;
}

}  // namespace e2e
