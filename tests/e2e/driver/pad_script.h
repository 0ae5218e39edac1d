#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// One game controller as the controller stand-in's script describes it.
struct Pad {
    std::string guid;  // braced, as DirectInput shows it
    std::string name;
    int x = 32767;  // centred
    int y = 32767;
    std::uint32_t buttons = 0;  // bit n = button n held
    std::uint32_t pov = 0xFFFFFFFF;  // the first hat, centred
    bool xinput = false;             // an Xbox-type pad, served by XInput too

    Pad holding(int button) const;
    Pad at(int newX, int newY) const;
    Pad pointing(std::uint32_t hat) const;
};

inline const Pad kPadA{"{4B0D2C61-8A3E-4F57-9C12-0E6D5A7B3C91}", "Kestro Test Pad", 32767, 32767, 0};
inline const Pad kPadB{"{A1C3E5F7-2B4D-4C6E-8F10-123456789ABC}", "Other Pad", 32767, 32767, 0};
// Xbox-type pads at rest, as XInput's zero reads through DirectInput.
inline const Pad kXboxOne{"{5E1F0A22-7C3B-4D9E-8A61-2B3C4D5E6F70}", "Xbox Pad One", 32768, 32767, 0, 0xFFFFFFFF, true};
inline const Pad kXboxTwo{"{6F2A1B33-8D4C-4EAF-9B72-3C4D5E6F7081}", "Xbox Pad Two", 32768, 32767, 0, 0xFFFFFFFF, true};

// dinput_script.txt for exactly these attached controllers, in this order.
std::string scriptFor(const std::vector<Pad>& pads);

}  // namespace e2e
