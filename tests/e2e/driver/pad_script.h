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

    Pad holding(int button) const;
    Pad at(int newX, int newY) const;
};

inline const Pad kPadA{"{4B0D2C61-8A3E-4F57-9C12-0E6D5A7B3C91}", "Kestro Test Pad", 32767, 32767, 0};
inline const Pad kPadB{"{A1C3E5F7-2B4D-4C6E-8F10-123456789ABC}", "Other Pad", 32767, 32767, 0};

// dinput_script.txt for exactly these attached controllers, in this order.
std::string scriptFor(const std::vector<Pad>& pads);

}  // namespace e2e
